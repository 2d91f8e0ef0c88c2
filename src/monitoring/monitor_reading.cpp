#include "monitoring/monitor_reading.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <utility>

namespace zat {

namespace {

std::string statusOf(const std::optional<std::uint16_t>& status) { return status ? statusText(*status) : ""; }

std::string numbered(const char* prefix, int index) { return prefix + std::to_string(index + 1); }

// "MV (A5) SP (A6)": the registers a loop works on, leaving out those it has none for.
std::string registerCodes(std::initializer_list<std::pair<const char*, const std::string&>> codes) {
    std::string text;
    for (const auto& [name, code] : codes)
        if (!code.empty()) text += (text.empty() ? "" : " ") + std::string(name) + " " + code;
    return text;
}

}  // namespace

std::string seriesName(std::string_view channel, std::string_view line) {
    return std::string(channel) + " " + std::string(line);
}

std::optional<double> shownNumber(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string statusText(std::uint16_t status) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(status));
    return text;
}

MonitorReading analogInputReading(const AnalogInputMonitorPage& page, int row) {
    const AnalogInputMonitorRow& r = page.rows.at(static_cast<std::size_t>(row));
    // A failed poll leaves the window's old value standing; a log must not repeat it as new.
    const std::string value = r.status ? r.value : "";
    return {.channel = r.name,
            .value = value,
            .status = statusOf(r.status),
            .detail = r.range,
            .points = {{r.name, shownNumber(value)}}};
}

MonitorReading analogOutputReading(const AnalogOutputMonitorPage& page, int row) {
    const AnalogOutputMonitorRow& r = page.rows.at(static_cast<std::size_t>(row));
    std::string detail = r.range;
    if (!r.comment.empty()) detail += (detail.empty() ? "" : "  ") + r.comment;
    return {.channel = r.name,
            .value = r.current,
            .status = statusOf(r.status),
            .detail = detail,
            .points = {{r.name, shownNumber(r.current)}}};
}

std::vector<MonitorReading> digitalReadings(const DigitalMonitorPage& page) {
    // The lamps keep the last group read; while the unit is silent that is not a reading.
    const bool read = page.linkStatus.empty();
    std::vector<MonitorReading> rows;
    for (const DigitalMonitorRow& row : page.rows) {
        const bool known = read && row.lamp.has_value();
        const bool on = known && row.lamp.value_or(false);
        std::optional<double> lane;
        if (known) lane = on ? 1.0 : 0.0;
        rows.push_back({.channel = row.name,
                        .value = known ? (on ? "on" : "off") : "",
                        .status = "",
                        .detail = row.comment,
                        .points = {{row.name, lane}}});
    }
    return rows;
}

MonitorReading controllerReading(const ControllerMonitorPage& page) {
    const std::string channel = numbered("PID", page.controller);
    // The value the unit gave, not the bar's position: the bar stops at ±1000.
    const std::string output = page.output ? std::to_string(*page.output) : "";
    std::optional<double> percent;
    if (page.output) percent = *page.output / kOutputTenthsPerPercent;
    return {.channel = channel,
            .value = "MV=" + page.measured + " SP=" + page.setpoint + " OP=" + output,
            .status = "",
            .detail = registerCodes({{"MV", page.measuredCode}, {"SP", page.setpointCode}, {"OP", page.outputCode}}),
            .points = {{seriesName(channel, "MV"), shownNumber(page.measured)},
                       {seriesName(channel, "SP"), shownNumber(page.setpoint)},
                       {seriesName(channel, "OP"), percent}}};
}

MonitorReading profilerReading(const ProfilerMonitorPage& page) {
    const std::string channel = numbered("PRF", page.profiler);
    std::string value = "MV=" + page.measured + " SP=" + page.setpoint + " Profile=" + page.profile +
                        " Segment=" + page.segment + " Dwell=" + page.dwell + (page.running ? " Running" : " Stopped") +
                        (page.held ? " Held" : "");
    return {.channel = channel,
            .value = std::move(value),
            .status = statusOf(page.status),
            .detail = registerCodes({{"MV", page.measuredCode}, {"SP", page.outputCode}}),
            .points = {{seriesName(channel, "MV"), shownNumber(page.measured)},
                       {seriesName(channel, "SP"), shownNumber(page.setpoint)},
                       {seriesName(channel, "Segment"), shownNumber(page.segment)}}};
}

}  // namespace zat
