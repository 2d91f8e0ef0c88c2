// "Analogue Input Monitor": the live values of the 40 analog inputs, eight per
// slot tab, with the unit's range text and three status markers per row.
#pragma once

#include "gui/monitors/monitor_window.h"
#include "monitoring/analog_input_monitor.h"

#include <array>

class QGroupBox;
class QLabel;
class QTabBar;

namespace zat {

class TAINMonitor final : public MonitorWindow {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 202;

    explicit TAINMonitor(const WindowContext& context);

private:
    Outcome openEngine() override;
    void tickEngine() override { engine_.tick(context_.protocol); }
    void reloadEngine() override { engine_.loadPage(context_.protocol, engine_.page().slot); }
    std::chrono::milliseconds tickInterval() const override { return engine_.tickInterval(); }
    int ticksPerSweep() const override { return kAnalogInputRows; }
    void stopEngine() override { engine_.stop(); }
    void showPage() override;
    std::vector<MonitorReading> polledReadings() const override;
    std::vector<TrendLine> trendLines() const override;

    struct RowWidgets {
        QLabel* name;
        QLabel* value;
        std::array<QLabel*, 3> markers;
        QLabel* range;
    };

    AnalogInputMonitor engine_;
    QTabBar* tabs_ = nullptr;
    QGroupBox* channels_ = nullptr;
    std::array<RowWidgets, kAnalogInputRows> rows_{};
};

}  // namespace zat
