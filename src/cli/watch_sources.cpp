#include "cli/watch_sources.h"

#include "monitoring/analog_input_monitor.h"
#include "monitoring/analog_output_monitor.h"
#include "monitoring/controller_monitor.h"
#include "monitoring/digital_monitors.h"
#include "monitoring/profiler_monitor.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

namespace zat::cli {

std::string statusText(std::uint16_t status) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(status));
    return text;
}

namespace {

std::string statusOf(const std::optional<std::uint16_t>& status) { return status ? statusText(*status) : ""; }

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
    WatchReading reading(int r) const override {
        const AnalogInputMonitorRow& row = monitor_.page().rows[r];
        // A failed poll leaves the window's old value standing; a log must not repeat it as new.
        return {row.name, row.status ? row.value : "", statusOf(row.status), row.range};
    }
};

class AnalogOutputSource final : public RowSource<AnalogOutputMonitor, kAnalogOutputRows> {
public:
    using RowSource::RowSource;
    std::string title() const override { return "Analog outputs - " + tabTitles().at(monitor_.page().page); }

private:
    WatchReading reading(int r) const override {
        const AnalogOutputMonitorRow& row = monitor_.page().rows[r];
        std::string detail = row.range;
        if (!row.comment.empty()) detail += (detail.empty() ? "" : "  ") + row.comment;
        return {row.name, row.current, statusOf(row.status), detail};
    }
};

template <class Monitor>
class DigitalSource final : public EngineSource<Monitor> {
public:
    DigitalSource(const char* what, ConfigDatabase& database) : EngineSource<Monitor>(database), what_(what) {}
    void choose(UnitProtocol& protocol, int tab) override { this->monitor_.loadPage(protocol, tab); }
    int ticksPerSweep() const override { return 1; }
    std::string title() const override { return what_ + this->tabTitles().at(this->monitor_.page().group); }
    std::vector<WatchReading> lastReadings() const override { return pageReadings(); }
    std::vector<WatchReading> pageReadings() const override {
        const DigitalMonitorPage& page = this->monitor_.page();
        // The lamps keep the last group read; while the unit is silent that is not a reading.
        const bool read = page.linkStatus.empty();
        std::vector<WatchReading> rows;
        for (const DigitalMonitorRow& row : page.rows)
            rows.push_back({row.name, read && row.lamp ? (*row.lamp ? "on" : "off") : "", "", row.comment});
        return rows;
    }

private:
    std::string what_;
};

std::string numbered(const char* prefix, int index) { return prefix + std::to_string(index + 1); }

// "MV (A5) SP (A6)": the registers a loop works on, leaving out those it has none for.
std::string registerCodes(std::initializer_list<std::pair<const char*, const std::string&>> codes) {
    std::string text;
    for (const auto& [name, code] : codes)
        if (!code.empty()) text += (text.empty() ? "" : " ") + std::string(name) + " " + code;
    return text;
}

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
    std::vector<WatchReading> pageReadings() const override {
        const ControllerMonitorPage& page = monitor_.page();
        // The value the unit gave, not the bar's position: the bar stops at ±1000.
        const std::string output = page.output ? std::to_string(*page.output) : "";
        return {{numbered("PID", page.controller), "MV=" + page.measured + " SP=" + page.setpoint + " OP=" + output, "",
                 registerCodes({{"MV", page.measuredCode}, {"SP", page.setpointCode}, {"OP", page.outputCode}})}};
    }
};

class ProfilerSource final : public LoopSource<ProfilerMonitor> {
public:
    using LoopSource::LoopSource;
    std::vector<WatchReading> pageReadings() const override {
        const ProfilerMonitorPage& page = monitor_.page();
        std::string value = "MV=" + page.measured + " SP=" + page.setpoint + " Profile=" + page.profile +
                            " Segment=" + page.segment + " Dwell=" + page.dwell +
                            (page.running ? " Running" : " Stopped") + (page.held ? " Held" : "");
        return {{numbered("PRF", page.profiler), value, statusOf(page.status),
                 registerCodes({{"MV", page.measuredCode}, {"SP", page.outputCode}})}};
    }
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
