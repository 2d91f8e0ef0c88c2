// How a polling monitor treats the window's event loop and the processor.
// For each monitor, against a simulated unit pacing 9600 baud and running the
// demonstration kiln: the longest the event loop went without turning while
// the monitor polled and its tab changed every second, reloading the page (a
// 5 ms probe timer measures how late it fires), then
// the same with the unit silent (the bound is one reply timeout), and the
// user-interface thread's processor time while the monitor polls alone.
//
// usage: bench_monitor_poll [SECONDS-PER-PHASE]   (default 10)
#include "gui/common/link_batch.h"
#include "gui/monitors/monitor_window.h"
#include "gui/shell/command_table.h"
#include "kiln_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabBar>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace sim = zat::sim;

namespace {

constexpr int kProbeMs = 5;

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The longest gap between two turns of the probe timer, beyond its period.
double longestStallMs(int seconds) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    probe.start(kProbeMs);
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    return static_cast<double>(longest) / 1e6 - kProbeMs;
}

double cpuPercent(int seconds) {
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = threadCpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    return 100.0 * (threadCpuSeconds() - cpuBefore) / (static_cast<double>(clock.elapsed()) / 1000.0);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    KilnWindow kiln("bench_monitor_poll", 9600, 250);
    zat::sim::PtyUnit& unit = kiln.unit;
    zat::ConfigDatabase& db = kiln.db;
    zat::TZATWindow& window = kiln.window;

    std::printf("9600 baud, reply timeout %d ms, %d retries, %d s per phase\n", db.comms.timeOut, db.comms.retries,
                seconds);
    std::printf("%-26s %16s %16s %10s\n", "monitor", "stall ms (unit)", "stall ms (silent)", "CPU %");
    for (const zat::CommandInfo& command : zat::commandInfos()) {
        if (!command.action.monitor) continue;
        window.runCommand(command.id);
        zat::MonitorWindow* monitor = window.monitor(*command.action.monitor);
        if (monitor == nullptr) return 1;
        // Page loads are the longest batches: change the tab every second, as
        // a click would, which waits for a batch under way to end.
        QTimer pageTurner;
        auto* tabs = monitor->findChild<QTabBar*>(QStringLiteral("tabs"));
        QObject::connect(&pageTurner, &QTimer::timeout, [tabs] {
            if (tabs == nullptr || tabs->count() < 2 || zat::LinkBatch::running()) return;
            tabs->setCurrentIndex((tabs->currentIndex() + 1) % tabs->count());
        });
        pageTurner.start(1000);
        const double answering = longestStallMs(seconds);
        pageTurner.stop();
        const double cpu = cpuPercent(seconds);
        unit.setSilent(true);
        const double silent = longestStallMs(seconds);
        unit.setSilent(false);
        // Back to answering before the next monitor opens.
        QEventLoop settle;
        QTimer::singleShot(6000, &settle, &QEventLoop::quit);
        settle.exec();
        std::printf("%-26s %16.1f %16.1f %10.2f\n", command.action.pictureName, answering, silent, cpu);
        monitor->requestClose();
        QApplication::processEvents();
    }
    return 0;
}
