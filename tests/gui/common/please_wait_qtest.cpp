#include "gui/common/please_wait.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace zat;

namespace {

QProgressBar* bar(TPleaseWait& window) { return window.findChild<QProgressBar*>(QStringLiteral("bar")); }

QString messageText(TPleaseWait& window) { return window.findChild<QLabel*>(QStringLiteral("message"))->text(); }

void steps(TPleaseWait& window, int count) {
    for (int i = 0; i < count; ++i) window.step();
}

}  // namespace

class PleaseWaitTest : public QObject {
    Q_OBJECT

private slots:
    void showsItsTexts() {
        TPleaseWait window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Working"));
        QStringList texts;
        for (const QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
        QVERIFY(texts.contains(QStringLiteral("Please wait :")));
        auto* message = window.findChild<QLabel*>(QStringLiteral("message"));
        QVERIFY(message != nullptr);
        QCOMPARE(message->text(), QStringLiteral("message"));
        window.setMessage(QStringLiteral("Writing ZAT data file"));
        QCOMPARE(message->text(), QStringLiteral("Writing ZAT data file"));
    }

    void barRunsFrom0To100AndStartsAt0() {
        TPleaseWait window;
        QProgressBar* b = bar(window);
        QVERIFY(b != nullptr);
        QCOMPARE(b->orientation(), Qt::Horizontal);
        QCOMPARE(b->minimum(), 0);
        QCOMPARE(b->maximum(), 100);
        QCOMPARE(b->value(), 0);
        QCOMPARE(b->text(), QStringLiteral("0% complete"));
        QCOMPARE(b->size(), QSize(272, 24));
    }

    void showsThePercentageOfThePosition() {
        TPleaseWait window;
        window.setRange(0, 290);
        steps(window, 145);
        QCOMPARE(bar(window)->value(), 50);
        QCOMPARE(bar(window)->text(), QStringLiteral("50% complete"));
        steps(window, 144);
        QCOMPARE(bar(window)->value(), 99);  // 289 of 290, truncated
        QCOMPARE(bar(window)->text(), QStringLiteral("99% complete"));
        window.step();
        QCOMPARE(bar(window)->value(), 100);
        QCOMPARE(bar(window)->text(), QStringLiteral("100% complete"));
    }

    void percentageCountsFromTheMinimum() {
        TPleaseWait window;
        window.setRange(100, 300);
        steps(window, 150);  // position 150: 25 % of the way from 100 to 300
        QCOMPARE(bar(window)->value(), 25);
    }

    void aPositionBeyondTheMaximumShows100() {
        TPleaseWait window;
        window.setRange(0, 3);
        steps(window, 5);
        QCOMPARE(bar(window)->value(), 100);
        QCOMPARE(bar(window)->text(), QStringLiteral("100% complete"));
    }

    void aPositionBelowTheMinimumShows0() {
        TPleaseWait window;
        window.setRange(0, 10);
        steps(window, 5);
        QCOMPARE(bar(window)->value(), 50);
        window.setRange(20, 30);
        window.update();
        QCOMPARE(bar(window)->value(), 0);
        QCOMPARE(bar(window)->text(), QStringLiteral("0% complete"));
    }

    void noStepsLeaveTheBarAt0() {
        TPleaseWait window;
        window.setRange(0, 290);
        window.setMessage(QStringLiteral("Reading ZAT data file"));
        QCOMPARE(bar(window)->value(), 0);
        QCOMPARE(bar(window)->text(), QStringLiteral("0% complete"));
    }

    void setRangeDoesNotRedraw() {
        TPleaseWait window;
        window.setRange(0, 10);
        steps(window, 5);
        window.setRange(0, 100);
        QCOMPARE(bar(window)->value(), 50);
        window.update();
        QCOMPARE(bar(window)->value(), 5);
    }

    void anEmptyRangeLeavesTheBar() {
        TPleaseWait window;
        window.setRange(0, 10);
        steps(window, 5);
        window.setRange(10, 10);
        window.step();
        QCOMPARE(bar(window)->value(), 50);
        window.setRange(10, 5);
        window.step();
        QCOMPARE(bar(window)->value(), 50);
        QCOMPARE(bar(window)->text(), QStringLiteral("50% complete"));
    }

    void isAnOwnerlessOnTopWindowWithoutACloseBox() {
        TPleaseWait window;
        QVERIFY(window.parentWidget() == nullptr);
        const Qt::WindowFlags flags = window.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowSystemMenuHint));
        QCOMPARE(window.windowModality(), Qt::ApplicationModal);
    }

    void isCentredOnTheScreen() {
        TPleaseWait window;
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        const QPoint centre = window.geometry().center();
        QVERIFY2((centre - screenCentre).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("centre %1,%2").arg(centre.x()).arg(centre.y())));
    }

    void cannotBeClosedByTheUser() {
        TPleaseWait window;
        window.show();
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        window.close();
        QVERIFY(window.isVisible());
    }

    void eventsRunBetweenSteps() {
        TPleaseWait window;
        window.setRange(0, 10);
        int ticks = 0;
        QTimer timer;
        timer.setInterval(0);
        connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
        timer.start();
        QCOMPARE(ticks, 0);
        window.step();
        QVERIFY(ticks >= 1);
        const int afterFirst = ticks;
        window.step();
        QVERIFY(ticks > afterFirst);
    }

    void progressPortOpensAndClosesTheWindow() {
        PleaseWaitProgress progress;
        QVERIFY(progress.window() == nullptr);
        QPointer<TPleaseWait> shown;
        {
            ProgressSession session(progress, 290, "Writing ZAT data file");
            shown = progress.window();
            QVERIFY(shown != nullptr);
            QVERIFY(shown->isVisible());
            QCOMPARE(messageText(*shown), QStringLiteral("Writing ZAT data file"));
            QCOMPARE(bar(*shown)->text(), QStringLiteral("0% complete"));
            for (int i = 0; i < 145; ++i) session.step();
            QCOMPARE(bar(*shown)->text(), QStringLiteral("50% complete"));
        }
        QVERIFY(progress.window() == nullptr);
        QVERIFY(shown.isNull());
    }

    void eachOperationStartsAFreshWindow() {
        PleaseWaitProgress progress;
        {
            ProgressSession first(progress, 10, "Reading ZAT data file");
            for (int i = 0; i < 7; ++i) first.step();
        }
        ProgressSession second(progress, 10);
        QCOMPARE(bar(*progress.window())->text(), QStringLiteral("0% complete"));
        QCOMPARE(messageText(*progress.window()), QStringLiteral("message"));
        second.step();
        QCOMPARE(bar(*progress.window())->text(), QStringLiteral("10% complete"));
    }

    void callsWithoutAWindowAreIgnored() {
        PleaseWaitProgress progress;
        progress.setRange(0, 10);
        progress.setMessage("nothing");
        progress.step();
        progress.destroy();
        QVERIFY(progress.window() == nullptr);
        progress.show();
        QCOMPARE(bar(*progress.window())->text(), QStringLiteral("0% complete"));
        progress.destroy();
        progress.destroy();
        QVERIFY(progress.window() == nullptr);
    }
};

QTEST_MAIN(PleaseWaitTest)
#include "please_wait_qtest.moc"
