// "Profiler Monitor": one tab per profiler enabled in the unit, what it is
// running and how far it has got, and Start, Reset, Hold and the profile to run.
#pragma once

#include "gui/monitors/monitor_window.h"
#include "monitoring/profiler_monitor.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;

namespace zat {

class Lamp;
class ProfileChoice;

class TProfMonitor final : public MonitorWindow {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 222;

    explicit TProfMonitor(const WindowContext& context);

private:
    Outcome openEngine() override;
    void tickEngine() override { engine_.tick(context_.protocol); }
    void reloadEngine() override;
    std::chrono::milliseconds tickInterval() const override { return engine_.tickInterval(); }
    void stopEngine() override { engine_.stop(); }
    void showPage() override;
    std::vector<MonitorReading> polledReadings() const override;
    std::vector<TrendLine> trendLines() const override;
    bool pollsOnShow() const override { return true; }
    void showTabs();
    QWidget* buildValues();
    QWidget* buildRunControls();
    void runControl(std::optional<FieldMessage> (ProfilerMonitor::*command)(UnitProtocol&));

    ProfilerMonitor engine_;
    QTabBar* tabs_ = nullptr;
    QWidget* values_ = nullptr;
    QLineEdit* measured_ = nullptr;
    QLineEdit* setpoint_ = nullptr;
    QLabel* measuredCode_ = nullptr;
    QLabel* outputCode_ = nullptr;
    ProfileChoice* profile_ = nullptr;
    QLineEdit* segment_ = nullptr;
    QLabel* arrow_ = nullptr;
    QLineEdit* dwell_ = nullptr;
    Lamp* running_ = nullptr;
    Lamp* stopped_ = nullptr;
    Lamp* held_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* hold_ = nullptr;
};

}  // namespace zat
