// "Digital Input Monitor" and "Digital Output Monitor": eight channels per
// group tab as lamps; the output monitor also forces a group with its check
// boxes and Apply.
#pragma once

#include "gui/monitors/monitor_window.h"
#include "monitoring/digital_monitors.h"

#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabBar;

namespace zat {

class Lamp;

class TDigitalMonitor : public MonitorWindow {
    Q_OBJECT
protected:
    struct Kind {
        QString title;
        QString group;
        QString icon;
        int helpContext;
        bool outputs;
    };
    TDigitalMonitor(const WindowContext& context, const Kind& kind, std::unique_ptr<DigitalMonitor> engine);

private:
    Outcome openEngine() override;
    void tickEngine() override { engine_->tick(context_.protocol); }
    void reloadEngine() override { engine_->loadPage(context_.protocol, engine_->page().group); }
    std::chrono::milliseconds tickInterval() const override { return engine_->tickInterval(); }
    void stopEngine() override { engine_->stop(); }
    void showPage() override;
    std::vector<MonitorReading> polledReadings() const override;
    std::vector<TrendLine> trendLines() const override;
    DigitalOutputMonitor& outputs() { return static_cast<DigitalOutputMonitor&>(*engine_); }

    struct RowWidgets {
        QLabel* name = nullptr;
        Lamp* lamp = nullptr;
        QLabel* comment = nullptr;  // inputs
        QCheckBox* box = nullptr;   // outputs: its text is the comment
    };

    Kind kind_;
    std::unique_ptr<DigitalMonitor> engine_;
    QTabBar* tabs_ = nullptr;
    QGroupBox* channels_ = nullptr;
    QPushButton* apply_ = nullptr;
    std::array<RowWidgets, kDigitalRows> rows_{};
};

class TDINMonitor final : public TDigitalMonitor {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 200;
    explicit TDINMonitor(const WindowContext& context);
};

class TDOUTMonitor final : public TDigitalMonitor {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 201;
    explicit TDOUTMonitor(const WindowContext& context);
};

}  // namespace zat
