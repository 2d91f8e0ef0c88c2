#include "cli/watch_output.h"

#include <algorithm>
#include <ctime>

namespace zat::cli {

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

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

std::string isoLocalTime(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32], zone[8];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local);
    std::strftime(zone, sizeof zone, "%z", &local);  // "+0100"
    char text[48];
    std::snprintf(text, sizeof text, "%s.%03d%.3s:%s", stamp, static_cast<int>(millis), zone, zone + 3);
    return text;
}

void writeCsv(std::FILE* out, const std::string& time, const std::vector<WatchReading>& readings) {
    for (const WatchReading& r : readings)
        std::fprintf(out, "%s,%s,%s,%s\n", time.c_str(), csvField(r.channel).c_str(), csvField(r.value).c_str(),
                     r.status.c_str());
    std::fflush(out);
}

std::string watchTable(const std::string& title, const std::vector<WatchReading>& rows, std::string_view link) {
    const WatchReading heading{"Chan", "Value", "Status", ""};
    std::size_t channel = displayWidth(heading.channel), value = displayWidth(heading.value),
                status = displayWidth(heading.status);
    for (const WatchReading& r : rows) {
        channel = std::max(channel, displayWidth(r.channel));
        value = std::max(value, displayWidth(r.value));
        status = std::max(status, displayWidth(r.status));
    }
    std::string table = title + "\n";
    std::vector<WatchReading> lines{heading};
    lines.insert(lines.end(), rows.begin(), rows.end());
    for (const WatchReading& r : lines) {
        std::string line;
        appendPadded(line, r.channel, channel);
        appendPadded(line, r.value, value);
        appendPadded(line, r.status, status);
        line += r.detail;
        line.erase(line.find_last_not_of(' ') + 1);
        table += line + "\n";
    }
    if (!link.empty()) table += std::string(link) + "\n";
    return table;
}

}  // namespace zat::cli
