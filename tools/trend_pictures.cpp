#include "trend_pictures.h"

#include "comms/protocol.h"
#include "comms/unit_link.h"
#include "gui/monitors/analog_input_monitor.h"
#include "gui/monitors/controller_monitor.h"
#include "gui/shell/embedded_unit.h"

#include <QApplication>
#include <QComboBox>

#include <chrono>

namespace zat {

namespace {

constexpr std::chrono::seconds kPoll{2};  // the controller's pace, simulated
constexpr std::chrono::minutes kRun{16};  // from the start of the firing
constexpr int kTenMinutes = 1;            // the span chosen: index of 10 min
// The plant all but stands still in real time (a minute of it passes 60 ms).
constexpr double kSlowTime = 0.001;

}  // namespace

void saveTrendPictures(const ConfigDatabase& settings, const GuiContext& gui,
                       const std::function<void(QWidget&, const char*)>& save) {
    // The plant's time passes only when told, a poll's worth at a time, so the
    // pictures are the same however busy the machine.
    EmbeddedUnit kiln(kSlowTime);
    UnitLink link;
    link.setOptions(LinkOptions{kiln.devicePath(), RtsControl::Manual});
    ConfigDatabase db = settings;
    UnitProtocol protocol(link, db.comms, gui.prompts, gui.beep);
    if (const LinkReason opened = link.openPort(db.comms); !opened.ok() && !opened.portKept()) return;
    const WindowContext context{db, gui, protocol, nullptr};

    const auto start = MonitorHistory::Clock::now();
    std::chrono::milliseconds elapsed{0};
    const TrendClock simulated = [&] { return start + elapsed; };
    TPIDMonitor controllers(context);
    TAINMonitor inputs(context);
    for (MonitorWindow* monitor : {static_cast<MonitorWindow*>(&controllers), static_cast<MonitorWindow*>(&inputs)}) {
        monitor->setClock(simulated);
        if (failed(monitor->start())) return;
        monitor->showTrend(true);
        monitor->findChild<QComboBox*>(QStringLiteral("trendSpan"))->setCurrentIndex(kTenMinutes);
        monitor->show();
    }
    while (elapsed < kRun) {
        kiln.advance(kPoll);
        elapsed += kPoll;
        controllers.sweep();
        inputs.sweep();
        QApplication::processEvents();
    }
    controllers.trend()->refresh();
    inputs.trend()->refresh();
    save(controllers, "monitor_controllers_trend");
    save(inputs, "monitor_analog_inputs_trend");
    controllers.requestClose();
    inputs.requestClose();
}

}  // namespace zat
