#include "gui/dialogs/dil_switch.h"

#include <QImage>
#include <QPixmap>
#include <QTest>

using namespace zat;

namespace {

QImage picture(TDILSwitch& dil) { return dil.grab().toImage().convertToFormat(QImage::Format_RGB32); }

QImage resource(const char* path) { return QImage(QString::fromLatin1(path)).convertToFormat(QImage::Format_RGB32); }

// Switch i's knob as drawn, 5 x 10 pixels at (5i + 1, 1).
QImage knob(const QImage& drawn, int i) { return drawn.copy(5 * i + 1, 1, 5, 10); }

}  // namespace

class DilSwitchTest : public QObject {
    Q_OBJECT

private slots:
    void picturesAreThere() {
        QCOMPARE(resource(":/dil/dil_1192.xpm").size(), QSize(61, 20));
        QCOMPARE(resource(":/dil/dil_1190.xpm").size(), QSize(5, 10));
        QCOMPARE(resource(":/dil/dil_1191.xpm").size(), QSize(5, 10));
        QVERIFY(resource(":/dil/dil_1190.xpm") != resource(":/dil/dil_1191.xpm"));
    }

    void hasTheBodysFixedSize() {
        TDILSwitch dil;
        QCOMPARE(dil.size(), QSize(61, 20));
        QCOMPARE(dil.minimumSize(), QSize(61, 20));
        QCOMPARE(dil.maximumSize(), QSize(61, 20));
    }

    void drawsOneKnobPerBit() {
        TDILSwitch dil;
        const std::uint16_t pattern = 0x0A53;  // switches 1, 2, 5, 7, 10 and 12 on
        dil.setPattern(pattern);
        const QImage drawn = picture(dil);
        const QImage up = resource(":/dil/dil_1190.xpm");
        const QImage down = resource(":/dil/dil_1191.xpm");
        for (int i = 0; i < 12; ++i) {
            const bool set = (pattern >> i) & 1u;
            QVERIFY2(knob(drawn, i) == (set ? down : up), qPrintable(QStringLiteral("switch %1").arg(i + 1)));
        }
    }

    void drawsTheBodyAroundTheKnobs() {
        TDILSwitch dil;
        const QImage drawn = picture(dil);
        const QImage body = resource(":/dil/dil_1192.xpm");
        // The frame outside the knob row is the body's own.
        QCOMPARE(drawn.copy(0, 11, 61, 9), body.copy(0, 11, 61, 9));
        QCOMPARE(drawn.copy(0, 0, 61, 1), body.copy(0, 0, 61, 1));
        QCOMPARE(drawn.copy(0, 0, 1, 20), body.copy(0, 0, 1, 20));
    }

    void startsWithEverySwitchOff() {
        TDILSwitch dil;
        QCOMPARE(dil.pattern(), std::uint16_t{0});
        const QImage drawn = picture(dil);
        const QImage up = resource(":/dil/dil_1190.xpm");
        for (int i = 0; i < 12; ++i) QVERIFY(knob(drawn, i) == up);
    }

    void countsARedrawOnlyForANewPattern() {
        TDILSwitch dil;
        QCOMPARE(dil.redrawCount(), 0);
        dil.setPattern(0);
        QCOMPARE(dil.redrawCount(), 0);
        dil.setPattern(0x305);
        QCOMPARE(dil.redrawCount(), 1);
        dil.setPattern(0x305);
        QCOMPARE(dil.redrawCount(), 1);
        dil.setPattern(0x105);
        QCOMPARE(dil.redrawCount(), 2);
        QCOMPARE(dil.pattern(), std::uint16_t{0x105});
    }
};

QTEST_MAIN(DilSwitchTest)
#include "dil_switch_qtest.moc"
