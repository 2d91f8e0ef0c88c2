// The exchange records as text, one line per event, the same in every log:
//   2026-12-08T10:01:02.345 > W01?0042
//   2026-12-08T10:01:02.371 < *01?0042 26 ms
//   2026-12-08T10:01:02.621 ! W01?0042 timed out after 250 ms (try 1 of 4)
// and as CSV rows (time,address,request,reply,ms,outcome). Times are local
// wall-clock times to the millisecond.
#pragma once

#include "userio/traffic.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zat {

// "2026-12-08T10:01:02.345" for ms since 1970, in local time.
std::string wallClockText(std::int64_t ms);
// The frame with every byte outside printable ASCII as \xNN.
std::string printableFrame(std::string_view frame);
// "answered", "timed out", "bad echo", "refused", "reply cut short".
std::string_view resultText(ExchangeResult result);
bool isFailure(ExchangeResult result);

// The request sent; the reply, if any came; the failure, if it was one.
std::vector<std::string> logLines(const ExchangeRecord& record);

inline constexpr std::string_view kTrafficCsvHeader = "time,address,request,reply,ms,outcome";
std::string csvRow(const ExchangeRecord& record);

// A saved traffic file: the log lines of the records, or the CSV header and their rows.
enum class TrafficFileFormat { Log, Csv };
// The format a file name asks for: CSV for a name ending in ".csv", else the log.
TrafficFileFormat trafficFileFormatFor(std::string_view fileName);
std::string trafficFileText(const std::vector<const ExchangeRecord*>& records, TrafficFileFormat format);

// Writes the log lines of every record to a stream, each flushed as written,
// so a crash loses nothing logged. beforeLine runs before each line (the
// command-line tool ends a drawn progress bar's line there).
class TrafficLogWriter final : public TrafficObserver {
public:
    explicit TrafficLogWriter(std::FILE* out, std::function<void()> beforeLine = {})
        : out_(out), beforeLine_(std::move(beforeLine)) {}
    void exchanged(const ExchangeRecord& record) override;

private:
    std::FILE* out_;
    std::function<void()> beforeLine_;
};

// A log file opened for appending (--log FILE), with its writer.
class TrafficLogFile final : public TrafficObserver {
public:
    // The file, or none with `error` saying why it cannot be written.
    static std::unique_ptr<TrafficLogFile> open(const std::string& path, std::string& error);
    ~TrafficLogFile() override;
    TrafficLogFile(const TrafficLogFile&) = delete;
    TrafficLogFile& operator=(const TrafficLogFile&) = delete;
    void exchanged(const ExchangeRecord& record) override { writer_.exchanged(record); }

private:
    explicit TrafficLogFile(std::FILE* file) : file_(file), writer_(file) {}
    std::FILE* file_;
    TrafficLogWriter writer_;
};

}  // namespace zat
