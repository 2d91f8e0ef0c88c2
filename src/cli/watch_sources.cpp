#include "cli/watch_sources.h"

#include "monitoring/monitor_reading.h"

namespace zat::cli {

namespace {

// What every engine has alike: opening, ticking, its interval, tabs and link.
template <class Monitor>
class EngineSource : public WatchSource {
public:
    template <class... Args>
    explicit EngineSource(Args&... args) : monitor_(args...) {}

    Outcome open(UnitProtocol& protocol) override { return monitor_.open(protocol); }
    void tick(UnitProtocol& protocol) override { monitor_.tick(protocol); }
    std::chrono::milliseconds tickInterval() const override { return monitor_.tickInterval(); }
    std::string_view linkStatus() const override { return monitor_.page().linkStatus; }
    std::vector<std::string> tabTitles() const override {
        std::vector<std::string> titles;
        for (const auto& tab : monitor_.page().tabs) titles.push_back(tab.title);
        return titles;
    }

protected:
    Monitor monitor_;
};

// The analog monitors poll one row per tick: a sweep is a tick per row.
template <class Monitor, int Rows>
class RowSource : public EngineSource<Monitor> {
public:
    using EngineSource<Monitor>::EngineSource;
    void choose(UnitProtocol& protocol, int tab) override { this->monitor_.loadPage(protocol, tab); }
    int ticksPerSweep() const override { return Rows; }
    std::vector<WatchReading> lastReadings() const override { return {reading(this->monitor_.polledRow())}; }
    std::vector<WatchReading> pageReadings() const override {
        std::vector<WatchReading> rows;
        for (int r = 0; r < Rows; ++r) rows.push_back(reading(r));
        return rows;
    }

protected:
    virtual WatchReading reading(int r) const = 0;
};

class AnalogInputSource final : public RowSource<AnalogInputMonitor, kAnalogInputRows> {
public:
    std::string title() const override { return "Analog inputs - " + tabTitles().at(monitor_.page().slot); }

private:
    WatchReading reading(int r) const override { return analogInputReading(monitor_.page(), r); }
};

class AnalogOutputSource final : public RowSource<AnalogOutputMonitor, kAnalogOutputRows> {
public:
    using RowSource::RowSource;
    std::string title() const override { return "Analog outputs - " + tabTitles().at(monitor_.page().page); }

private:
    WatchReading reading(int r) const override { return analogOutputReading(monitor_.page(), r); }
};

template <class Monitor>
class DigitalSource final : public EngineSource<Monitor> {
public:
    DigitalSource(const char* what, ConfigDatabase& database) : EngineSource<Monitor>(database), what_(what) {}
    void choose(UnitProtocol& protocol, int tab) override { this->monitor_.loadPage(protocol, tab); }
    int ticksPerSweep() const override { return 1; }
    std::string title() const override { return what_ + this->tabTitles().at(this->monitor_.page().group); }
    std::vector<WatchReading> lastReadings() const override { return pageReadings(); }
    std::vector<WatchReading> pageReadings() const override { return digitalReadings(this->monitor_.page()); }

private:
    std::string what_;
};

// Controllers and profilers show one loop per tab and poll it whole on showing and on each tick.
template <class Monitor>
class LoopSource : public EngineSource<Monitor> {
public:
    using EngineSource<Monitor>::EngineSource;
    void choose(UnitProtocol& protocol, int tab) override { this->monitor_.selectTab(protocol, tab); }
    int ticksPerSweep() const override { return 1; }
    bool pollsOnShow() const override { return true; }
    std::string title() const override { return this->monitor_.page().windowTitle; }
    std::vector<WatchReading> lastReadings() const override { return this->pageReadings(); }
};

class ControllerSource final : public LoopSource<ControllerMonitor> {
public:
    using LoopSource::LoopSource;
    std::vector<WatchReading> pageReadings() const override { return {controllerReading(monitor_.page())}; }
};

class ProfilerSource final : public LoopSource<ProfilerMonitor> {
public:
    using LoopSource::LoopSource;
    std::vector<WatchReading> pageReadings() const override { return {profilerReading(monitor_.page())}; }
};

}  // namespace

std::unique_ptr<WatchSource> makeWatchSource(std::string_view kind, ConfigDatabase& database) {
    if (kind == "ai") return std::make_unique<AnalogInputSource>();
    if (kind == "ao") return std::make_unique<AnalogOutputSource>(database);
    if (kind == "di") return std::make_unique<DigitalSource<DigitalInputMonitor>>("Digital inputs - ", database);
    if (kind == "do") return std::make_unique<DigitalSource<DigitalOutputMonitor>>("Digital outputs - ", database);
    if (kind == "pid") return std::make_unique<ControllerSource>(database);
    if (kind == "profilers") return std::make_unique<ProfilerSource>(database);
    return nullptr;
}

}  // namespace zat::cli
