#include "monitoring/monitor_csv.h"

#include "userio/csv_field.h"

#include <cerrno>
#include <cstring>
#include <ctime>

namespace zat {

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

std::string csvLines(const std::string& time, const std::vector<MonitorReading>& readings) {
    std::string lines;
    for (const MonitorReading& r : readings)
        lines += time + "," + csvField(r.channel) + "," + csvField(r.value) + "," + r.status + "\n";
    return lines;
}

bool writeCsv(std::FILE* out, const std::string& time, const std::vector<MonitorReading>& readings) {
    bool written = true;
    for (const MonitorReading& r : readings) {
        const std::string line = csvLines(time, {r});
        written = std::fwrite(line.data(), 1, line.size(), out) == line.size() && std::fflush(out) == 0 && written;
    }
    return written;
}

FieldCheck<bool> CsvRecording::start(const std::string& path) {
    stop();
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr || std::fputs(kMonitorCsvHeader.data(), file) < 0 || std::fflush(file) != 0) {
        const std::string reason = std::strerror(errno);
        if (file != nullptr) std::fclose(file);
        return FieldCheck<bool>::refuse({.text = "Unable to write file " + path + "\n" + reason,
                                         .caption = "Error",
                                         .icon = MessageIcon::Stop,
                                         .sound = FieldMessage::Sound::None});
    }
    file_ = file;
    path_ = path;
    lines_ = 0;
    return FieldCheck<bool>::accept(true);
}

bool CsvRecording::write(std::chrono::system_clock::time_point time, const std::vector<MonitorReading>& readings) {
    if (file_ == nullptr) return false;
    if (!writeCsv(file_, isoLocalTime(time), readings)) {
        stop();
        return false;
    }
    lines_ += static_cast<long>(readings.size());
    return true;
}

void CsvRecording::stop() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
}

}  // namespace zat
