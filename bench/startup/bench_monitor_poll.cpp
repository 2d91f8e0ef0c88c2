// How a polling monitor treats the window's event loop and the processor.
// For each monitor, against a simulated unit pacing 9600 baud and running the
// demonstration kiln: the longest the event loop went without turning while
// the monitor polled and its tab changed every second, reloading the page (a
// 5 ms probe timer measures how late it fires), then
// the same with the unit silent (the bound is one reply timeout), and the
// user-interface thread's processor time while the monitor polls alone;
// each without the trend and with it shown. Last, the memory 8 h of a full
// analog input page hold in a monitor's history (the heap grown by it) and
// the time the trend takes to draw all of it on its 8 h span.
//
// usage: bench_monitor_poll [SECONDS-PER-PHASE]   (default 10)
#include "gui/common/link_batch.h"
#include "gui/common/message_box_prompts.h"
#include "gui/common/qt_file_dialogs.h"
#include "gui/monitors/monitor_window.h"
#include "gui/monitors/trend_strip.h"
#include "gui/shell/command_table.h"
#include "kiln_window.h"
#include "monitoring/analog_input_monitor.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <malloc.h>

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

// The heap a full analog input page's 8 h of readings take in a history,
// and how long the trend takes to draw it all.
void historyOfEightHours(const zat::GuiContext& gui) {
    using namespace std::chrono;
    const milliseconds perChannel = zat::AnalogInputMonitor::kPollInterval * zat::kAnalogInputRows;
    const std::size_t heapBefore = mallinfo2().uordblks;
    zat::MonitorHistory history(zat::MonitorHistory::capacityFor(perChannel));
    const auto end = zat::MonitorHistory::Clock::now();
    const auto start = end - duration_cast<zat::MonitorHistory::Clock::duration>(zat::MonitorHistory::kSpan);
    std::size_t readings = 0;
    for (auto t = start; t < end; t += perChannel)
        for (int channel = 0; channel < zat::kAnalogInputRows; ++channel, ++readings)
            history.add(t, "A0" + std::to_string(channel), 20.0 + channel + (readings % 100) * 0.1);
    const double heapMb = static_cast<double>(mallinfo2().uordblks - heapBefore) / (1024.0 * 1024.0);
    std::printf(
        "\n8 h of a full analog input page: %zu readings, history %.2f MB (heap grown %.2f MB, bound %.1f MB)\n",
        readings, static_cast<double>(history.bytesUsed()) / (1024.0 * 1024.0), heapMb,
        static_cast<double>(history.bytesBound()) / (1024.0 * 1024.0));
    zat::TrendStrip trend(history, gui, nullptr);
    std::vector<zat::TrendLine> lines;
    for (int channel = 0; channel < zat::kAnalogInputRows; ++channel)
        lines.push_back({.series = "A0" + std::to_string(channel), .label = QStringLiteral("A0%1").arg(channel)});
    trend.setLines(lines);
    trend.findChild<QComboBox*>(QStringLiteral("trendSpan"))->setCurrentIndex(3);  // 8 h
    trend.show();
    QElapsedTimer clock;
    clock.start();
    constexpr int kDraws = 10;
    for (int draw = 0; draw < kDraws; ++draw) {
        trend.refresh();
        QApplication::processEvents();  // and painted
    }
    std::printf("drawing its 8 h trend: %.1f ms a time (%d points a line)\n",
                static_cast<double>(clock.elapsed()) / kDraws, trend.pointCount("A00"));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    // The trend's shown and span choices are the benchmark's, not the user's.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    KilnWindow kiln("bench_monitor_poll", 9600, 250);
    zat::sim::PtyUnit& unit = kiln.unit;
    zat::ConfigDatabase& db = kiln.db;
    zat::TZATWindow& window = kiln.window;

    std::printf("9600 baud, reply timeout %d ms, %d retries, %d s per phase\n", db.comms.timeOut, db.comms.retries,
                seconds);
    std::printf("%-26s %6s %16s %16s %10s\n", "monitor", "trend", "stall ms (unit)", "stall ms (silent)", "CPU %");
    for (const zat::CommandInfo& command : zat::commandInfos()) {
        for (const bool trendShown : {false, true}) {
            if (!command.action.monitor) continue;
            window.runCommand(command.id);
            zat::MonitorWindow* monitor = window.monitor(*command.action.monitor);
            if (monitor == nullptr) return 1;
            monitor->showTrend(trendShown);
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
            std::printf("%-26s %6s %16.1f %16.1f %10.2f\n", command.action.pictureName, trendShown ? "shown" : "hidden",
                        answering, silent, cpu);
            monitor->requestClose();
            // The slot is free again once the monitor is destroyed.
            while (window.monitorOpen(*command.action.monitor)) QApplication::processEvents();
        }
    }
    zat::MessageBoxPrompts prompts;
    zat::QtFileDialogs files;
    historyOfEightHours(zat::GuiContext{prompts, kiln.beep, kiln.dialogs, files, kiln.cursor, {}});
    return 0;
}
