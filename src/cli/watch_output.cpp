#include "cli/watch_output.h"

#include <algorithm>
#include <array>

namespace zat::cli {

namespace {

// Columns are measured in characters, not bytes: ranges carry "°".
std::size_t displayWidth(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void appendPadded(std::string& line, const std::string& text, std::size_t width) {
    line += text;
    line.append(width - displayWidth(text) + 2, ' ');
}

}  // namespace

std::string sparkline(const MonitorHistory& history, std::string_view series, std::size_t count) {
    static constexpr std::array<const char*, 8> kBars = {"▁", "▂", "▃", "▄", "▅", "▆", "▇", "█"};
    std::vector<MonitorHistory::Sample> samples = history.samples(series);
    if (samples.size() > count) samples.erase(samples.begin(), samples.end() - static_cast<std::ptrdiff_t>(count));
    if (samples.size() < 2) return "";
    double low = 0, high = 0;
    bool any = false;
    for (const auto& s : samples) {
        if (s.gap()) continue;
        low = any ? std::min(low, s.value) : s.value;
        high = any ? std::max(high, s.value) : s.value;
        any = true;
    }
    std::string line;
    for (const auto& s : samples) {
        if (s.gap()) {
            line += ' ';
            continue;
        }
        const double share = high > low ? (s.value - low) / (high - low) : 0.5;
        line += kBars[static_cast<std::size_t>(std::clamp(share * 8, 0.0, 7.0))];
    }
    return line;
}

std::string watchTable(const std::string& title, const std::vector<WatchReading>& rows, std::string_view link,
                       const MonitorHistory* history) {
    struct Line {
        WatchReading reading;
        std::string trend;
    };
    std::vector<Line> lines{
        {{.channel = "Chan", .value = "Value", .status = "Status", .detail = "", .points = {}}, "Trend"}};
    bool trends = false;
    for (const WatchReading& r : rows) {
        std::string trend;
        if (history != nullptr && !r.points.empty())
            trend = sparkline(*history, r.points.front().series, kTableTrendReadings);
        trends = trends || !trend.empty();
        lines.push_back({r, trend});
    }
    std::size_t channel = 0, value = 0, status = 0, trend = 0;
    for (const Line& l : lines) {
        channel = std::max(channel, displayWidth(l.reading.channel));
        value = std::max(value, displayWidth(l.reading.value));
        status = std::max(status, displayWidth(l.reading.status));
        trend = std::max(trend, displayWidth(l.trend));
    }
    std::string table = title + "\n";
    for (const Line& l : lines) {
        std::string line;
        appendPadded(line, l.reading.channel, channel);
        appendPadded(line, l.reading.value, value);
        if (trends) appendPadded(line, l.trend, trend);
        appendPadded(line, l.reading.status, status);
        line += l.reading.detail;
        line.erase(line.find_last_not_of(' ') + 1);
        table += line + "\n";
    }
    if (!link.empty()) table += std::string(link) + "\n";
    return table;
}

}  // namespace zat::cli
