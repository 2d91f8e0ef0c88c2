// The CSV form of what the monitors read, written alike by `zatctl watch
// --csv` and by a monitor window's recording: "time,channel,value,status",
// then one line per reading.
#pragma once

#include "monitoring/monitor_reading.h"
#include "userio/field_check.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace zat {

inline constexpr std::string_view kMonitorCsvHeader = "time,channel,value,status\n";

// "2026-12-08T07:45:01.123+01:00": local time with milliseconds and its offset.
[[nodiscard]] std::string isoLocalTime(std::chrono::system_clock::time_point time);

// The lines of `readings` read at `time`, fields quoted where CSV needs it.
[[nodiscard]] std::string csvLines(const std::string& time, const std::vector<MonitorReading>& readings);

// Writes the lines and flushes them; false when the file took them not.
[[nodiscard]] bool writeCsv(std::FILE* out, const std::string& time, const std::vector<MonitorReading>& readings);

// A recording to a file: the header at the start, then each reading as it
// arrives, each line flushed, so a crash loses at most the line being written.
class CsvRecording {
public:
    CsvRecording() = default;
    ~CsvRecording() { stop(); }
    CsvRecording(const CsvRecording&) = delete;
    CsvRecording& operator=(const CsvRecording&) = delete;

    // Creates (or empties) `path` and writes the header; a file that cannot
    // be written is refused with its reason and nothing is recorded.
    [[nodiscard]] FieldCheck<bool> start(const std::string& path);
    // False (and the recording stopped) when a line could not be written.
    [[nodiscard]] bool write(std::chrono::system_clock::time_point time, const std::vector<MonitorReading>& readings);
    void stop();

    [[nodiscard]] bool recording() const { return file_ != nullptr; }
    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] long lines() const { return lines_; }

private:
    std::FILE* file_ = nullptr;
    std::string path_;
    long lines_ = 0;
};

}  // namespace zat
