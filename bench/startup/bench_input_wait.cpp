// How long a person's input waits while a monitor polls a slow line. Against
// a simulated unit pacing 1200 baud and running the demonstration kiln (a
// tick of the analog monitors then takes longer than its 250 ms), key presses
// come at random moments into the monitor window; each one's wait runs from
// the moment it came (the due time of the timer that brings it, which fires
// between two exchanges at the earliest, as input the system holds is first
// seen there) to the moment the window gets it. Escape is timed the same way
// to the window hidden (a key held back to the end of a batch would not hide
// it, and shows as -1).
//
// usage: bench_input_wait [SECONDS-PER-MONITOR]   (default 20)
#include "gui/monitors/monitor_window.h"
#include "gui/shell/command_table.h"
#include "kiln_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>

namespace {

constexpr int kBaud = 1200;

// Counts the presses that reach the window, each against its due time.
class PressClock final : public QObject {
public:
    explicit PressClock(const QElapsedTimer& clock) : clock_(clock) {}
    std::deque<qint64> due;  // ns
    qint64 longest = 0, total = 0;
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F20 && !due.empty()) {
            const qint64 wait = clock_.nsecsElapsed() - due.front();
            due.pop_front();
            longest = std::max(longest, wait);
            total += wait;
            ++count;
        }
        return false;
    }

private:
    const QElapsedTimer& clock_;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    KilnWindow kiln("bench_input_wait", kBaud, 400);
    zat::ConfigDatabase& db = kiln.db;
    zat::TZATWindow& window = kiln.window;

    std::printf("%d baud, reply timeout %d ms, %d s per monitor, a key every 50..400 ms\n", kBaud, db.comms.timeOut,
                seconds);
    std::printf("%-26s %8s %16s %16s %16s\n", "monitor", "presses", "mean wait ms", "longest wait ms",
                "Escape to hidden ms");
    std::mt19937 random(1);
    QElapsedTimer clock;
    clock.start();
    for (const zat::CommandInfo& command : zat::commandInfos()) {
        if (!command.action.monitor) continue;
        window.runCommand(command.id);
        zat::MonitorWindow* monitor = window.monitor(*command.action.monitor);
        if (monitor == nullptr) return 1;
        PressClock presses(clock);
        monitor->installEventFilter(&presses);
        QTimer press;
        press.setSingleShot(true);
        press.setTimerType(Qt::PreciseTimer);
        qint64 dueAt = 0;
        const auto arm = [&] {
            const int ms = std::uniform_int_distribution<int>(50, 400)(random);
            dueAt = clock.nsecsElapsed() + qint64(ms) * 1000000;
            press.start(ms);
        };
        QObject::connect(&press, &QTimer::timeout, [&] {
            presses.due.push_back(dueAt);
            QKeyEvent key(QEvent::KeyPress, Qt::Key_F20, Qt::NoModifier);
            QApplication::sendEvent(monitor, &key);
            arm();
        });
        arm();
        QEventLoop loop;
        QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
        loop.exec();
        press.stop();
        // Escape at a random moment, timed to the window hidden.
        QTimer escape;
        escape.setSingleShot(true);
        escape.setTimerType(Qt::PreciseTimer);
        const int ms = std::uniform_int_distribution<int>(50, 400)(random);
        const qint64 escapeDue = clock.nsecsElapsed() + qint64(ms) * 1000000;
        qint64 hiddenAt = 0;
        QObject::connect(&escape, &QTimer::timeout, [&] {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(monitor, &key);
            if (!monitor->isVisible()) hiddenAt = clock.nsecsElapsed();
        });
        escape.start(ms);
        QEventLoop closing;
        QTimer::singleShot(3000, &closing, &QEventLoop::quit);
        closing.exec();
        std::printf("%-26s %8d %16.1f %16.1f %16.1f\n", command.action.pictureName, presses.count,
                    presses.count > 0 ? static_cast<double>(presses.total) / presses.count / 1e6 : 0.0,
                    static_cast<double>(presses.longest) / 1e6,
                    hiddenAt > 0 ? static_cast<double>(hiddenAt - escapeDue) / 1e6 : -1.0);
        QApplication::processEvents();
    }
    return 0;
}
