// "Controller monitor": one tab per controller enabled in the unit, its
// measured value, setpoint and output, and its three terms retuned.
#pragma once

#include "gui/monitors/monitor_window.h"
#include "monitoring/controller_monitor.h"

#include <array>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabBar;

namespace zat {

class TPIDMonitor final : public MonitorWindow {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 204;

    explicit TPIDMonitor(const WindowContext& context);

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
    void apply();

    ControllerMonitor engine_;
    QTabBar* tabs_ = nullptr;
    QWidget* values_ = nullptr;
    QLineEdit* measured_ = nullptr;
    QLineEdit* setpoint_ = nullptr;
    QLabel* measuredCode_ = nullptr;
    QLabel* setpointCode_ = nullptr;
    QLabel* outputCode_ = nullptr;
    QProgressBar* output_ = nullptr;
    std::array<QLineEdit*, kControllerTerms> terms_{};
    QPushButton* apply_ = nullptr;
};

}  // namespace zat
