// "Analogue Output Monitor": the 40 output registers B00..B39, four per tab,
// their current values, and new values written with Apply.
#pragma once

#include "gui/monitors/monitor_window.h"
#include "monitoring/analog_output_monitor.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;

namespace zat {

class TAOUTMonitor final : public MonitorWindow {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 203;

    explicit TAOUTMonitor(const WindowContext& context);

private:
    Outcome openEngine() override;
    void tickEngine() override { engine_.tick(context_.protocol); }
    void reloadEngine() override { engine_.loadPage(context_.protocol, engine_.page().page); }
    std::chrono::milliseconds tickInterval() const override { return engine_.tickInterval(); }
    int ticksPerSweep() const override { return kAnalogOutputRows; }
    void stopEngine() override { engine_.stop(); }
    void showPage() override;
    std::vector<MonitorReading> polledReadings() const override;
    std::vector<TrendLine> trendLines() const override;
    void apply();

    struct RowWidgets {
        QLabel* name;
        QLineEdit* current;
        QLineEdit* entry;
        QLabel* range;
        QLabel* comment;
    };

    AnalogOutputMonitor engine_;
    QTabBar* tabs_ = nullptr;
    QGroupBox* channels_ = nullptr;
    QPushButton* apply_ = nullptr;
    std::array<RowWidgets, kAnalogOutputRows> rows_{};
};

}  // namespace zat
