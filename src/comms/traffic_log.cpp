#include "comms/traffic_log.h"

#include "userio/csv_field.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace zat {

std::string wallClockText(std::int64_t ms) {
    const auto seconds = static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    const auto millis = static_cast<int>(ms - static_cast<std::int64_t>(seconds) * 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, millis);
    return text;
}

std::string printableFrame(std::string_view frame) {
    std::string shown;
    for (char c : frame) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(byte));
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string_view resultText(ExchangeResult result) {
    switch (result) {
        case ExchangeResult::Answered:
            return "answered";
        case ExchangeResult::TimedOut:
            return "timed out";
        case ExchangeResult::BadEcho:
            return "bad echo";
        case ExchangeResult::Refused:
            return "refused";
        case ExchangeResult::CutShort:
            return "reply cut short";
    }
    return "?";
}

bool isFailure(ExchangeResult result) { return result != ExchangeResult::Answered; }

std::vector<std::string> logLines(const ExchangeRecord& record) {
    const std::string request = printableFrame(record.request);
    const std::string ended = wallClockText(record.sentAtMs + record.replyMs);
    std::vector<std::string> lines{wallClockText(record.sentAtMs) + " > " + request};
    if (record.result != ExchangeResult::TimedOut) {
        lines.push_back(ended + " < " + printableFrame(record.reply) + " " + std::to_string(record.replyMs) + " ms");
    }
    if (isFailure(record.result)) {
        lines.push_back(ended + " ! " + request + " " + std::string(resultText(record.result)) + " after " +
                        std::to_string(record.replyMs) + " ms (try " + std::to_string(record.attempt) + " of " +
                        std::to_string(record.attempts) + ")");
    }
    return lines;
}

namespace {}  // namespace

std::string csvRow(const ExchangeRecord& record) {
    return wallClockText(record.sentAtMs) + "," + std::to_string(record.address) + "," +
           csvField(printableFrame(record.request)) + "," + csvField(printableFrame(record.reply)) + "," +
           std::to_string(record.replyMs) + "," + std::string(resultText(record.result));
}

TrafficFileFormat trafficFileFormatFor(std::string_view fileName) {
    constexpr std::string_view kCsv = ".csv";
    if (fileName.size() < kCsv.size()) return TrafficFileFormat::Log;
    const std::string_view tail = fileName.substr(fileName.size() - kCsv.size());
    const bool csv = std::equal(tail.begin(), tail.end(), kCsv.begin(),
                                [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
    return csv ? TrafficFileFormat::Csv : TrafficFileFormat::Log;
}

std::string trafficFileText(const std::vector<const ExchangeRecord*>& records, TrafficFileFormat format) {
    std::string text;
    if (format == TrafficFileFormat::Csv) {
        text.append(kTrafficCsvHeader).append("\n");
        for (const ExchangeRecord* record : records) text.append(csvRow(*record)).append("\n");
        return text;
    }
    for (const ExchangeRecord* record : records) {
        for (const std::string& line : logLines(*record)) text.append(line).append("\n");
    }
    return text;
}

void TrafficLogWriter::exchanged(const ExchangeRecord& record) {
    for (const std::string& line : logLines(record)) {
        if (beforeLine_) beforeLine_();
        std::fprintf(out_, "%s\n", line.c_str());
        std::fflush(out_);
    }
}

std::unique_ptr<TrafficLogFile> TrafficLogFile::open(const std::string& path, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (file == nullptr) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<TrafficLogFile>(new TrafficLogFile(file));
}

TrafficLogFile::~TrafficLogFile() { std::fclose(file_); }

}  // namespace zat
