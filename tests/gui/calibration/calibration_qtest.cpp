// The calibration dialogs opened from the menu against the simulated unit:
// a step written at once, Revert, a forced output released on OK, a tick at
// every step of the track bars, and a silent unit.
#include "calibration/calibration_rig.h"
#include "gui/calibration/calibrate.h"
#include "gui/calibration/cj_calibrate.h"
#include "gui/shell/command_table.h"
#include "support/window_rig.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

using namespace zat;
using zat::test::press;

namespace {

struct Rig : test::WindowRig {
    Rig() { start(writeQuickDatabase("plant.zat", 1)); }
    std::uint16_t item(char letter, int index) { return test::itemOf(*unit, letter, index); }
    std::int16_t value(char letter, int index) { return test::valueOf(*unit, letter, index); }
    void silent(bool on) { test::setSilent(*unit, on); }
    // Opens the command's dialog from the menu; `handle` works it and closes it.
    template <class Window>
    void open(int command, const std::function<void(Window&)>& handle) {
        bool ran = false;
        dialogs.script.push_back([&](QDialog& dialog) {
            ran = true;
            auto* window = qobject_cast<Window*>(&dialog);
            if (window == nullptr) return int(QDialog::Rejected);
            handle(*window);
            return dialog.result();
        });
        window->action(command)->trigger();
        QVERIFY(ran);
    }
};

QString text(QDialog& d, const char* name) { return d.findChild<QLabel*>(name)->text(); }

}  // namespace

class CalibrationTest : public QObject {
    Q_OBJECT
private slots:
    void anInputStepIsWrittenAtOnceAndRevertPutsItBack() {
        Rig rig;
        rig.open<TCalibrate>(cmd::CalibrateInputs, [&](TCalibrate& d) {
            QCOMPARE(text(d, "title"), QString("Analogue Inputs"));
            QCOMPARE(text(d, "range"), QString("100mV Range"));         // A00, a thermocouple
            QVERIFY(d.findChild<QCheckBox*>("forceZero")->isHidden());  // outputs only
            QTest::mouseClick(d.findChild<QPushButton*>("zeroPlus"), Qt::LeftButton);
            QCOMPARE(text(d, "zero"), QString("1FFFh"));
            QCOMPARE(rig.item('x', 2), std::uint16_t(0x1FFF));
            // The track bar writes on a key at once, and a drag only when it ends.
            auto* span = d.findChild<QSlider*>("spanTrack");
            QTest::keyClick(span, Qt::Key_Right);
            QCOMPARE(rig.item('y', 2), std::uint16_t(0x8001));
            span->setSliderDown(true);
            span->setSliderPosition(span->sliderPosition() + 100);
            QCOMPARE(rig.item('y', 2), std::uint16_t(0x8001));
            span->setSliderDown(false);
            QCOMPARE(rig.item('y', 2), std::uint16_t(0x8065));
            auto* revert = d.findChild<QPushButton*>("revert");
            QVERIFY(revert->isEnabled());
            QTest::mouseClick(revert, Qt::LeftButton);
            QCOMPARE(rig.item('x', 2), std::uint16_t(0x2000));
            QCOMPARE(rig.item('y', 2), std::uint16_t(0x8000));
            QCOMPARE(text(d, "zero"), QString("2000h"));
            QVERIFY(!revert->isEnabled());
            press(d, "ok");
        });
    }

    void anOutputForcedHereIsReleasedOnOk() {
        Rig rig;
        rig.open<TCalibrate>(cmd::CalibrateOutputs, [&](TCalibrate& d) {
            QCOMPARE(text(d, "name"), QString("B08"));
            auto* force = d.findChild<QCheckBox*>("forceSpan");
            QTest::mouseClick(force, Qt::LeftButton);
            QVERIFY(force->isChecked());
            QCOMPARE(rig.value('E', 8), std::int16_t(0x01));
            d.sweep();
            QCOMPARE(text(d, "value"), QString("1000"));
            QCOMPARE(press(d, "ok"), int(QDialog::Accepted));
            QCOMPARE(rig.value('E', 8), std::int16_t(0));
        });
        QVERIFY(rig.messages().empty());
    }

    void theColdJunctionStep() {
        Rig rig;
        rig.open<TCJCalibrate>(cmd::CalibrateColdJunctions, [&](TCJCalibrate& d) {
            QCOMPARE(d.windowTitle(), QString("Cold Junction Calibration"));
            QCOMPARE(text(d, "zero"), QString("03E8h"));
            QTest::mouseClick(d.findChild<QPushButton*>("zeroMinus"), Qt::LeftButton);
            QCOMPARE(rig.item('|', 0), std::uint16_t(999));
            d.sweep();
            QVERIFY(text(d, "temperature0").endsWith(QString::fromUtf8("\u00B0C")));
            press(d, "ok");
        });
    }

    void everyTrackBarHasATickAtEveryStep_data() {
        QTest::addColumn<int>("command");
        QTest::newRow("inputs") << int(cmd::CalibrateInputs);
        QTest::newRow("outputs") << int(cmd::CalibrateOutputs);
        QTest::newRow("cold junctions") << int(cmd::CalibrateColdJunctions);
    }
    void everyTrackBarHasATickAtEveryStep() {
        QFETCH(int, command);
        Rig rig;
        rig.open<QDialog>(command, [&](QDialog& d) {
            const QList<QSlider*> tracks = d.findChildren<QSlider*>();
            QVERIFY(!tracks.isEmpty());
            for (const QSlider* track : tracks) {
                QCOMPARE(track->tickInterval(), 1);
                QVERIFY(track->tickPosition() != QSlider::NoTicks);
            }
            press(d, "ok");
        });
    }

    void aSilentUnit() {
        Rig rig;
        rig.silent(true);
        rig.window->action(cmd::CalibrateInputs)->trigger();
        QVERIFY(rig.dialogs.titles.empty());  // the probe failed: no dialog
        QCOMPARE(rig.messages().size(), std::size_t(1));
        QVERIFY(rig.messages()[0].starts_with("Unable to communicate with ZAT"));

        rig.silent(false);
        rig.open<TCalibrate>(cmd::CalibrateInputs, [&](TCalibrate& d) {
            rig.silent(true);
            d.tickNow();
            QCOMPARE(d.linkStatus(), QString("No reply from unit"));
            QCOMPARE(d.engine().tickInterval(), LinkHealth::kBackOffInterval);  // one try per 5 s
            rig.silent(false);
            d.tickNow();
            QVERIFY(d.linkStatus().isEmpty());
            press(d, "ok");
        });
    }
};

QTEST_MAIN(CalibrationTest)
#include "calibration_qtest.moc"
