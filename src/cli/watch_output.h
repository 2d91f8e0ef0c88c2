// How zatctl watch writes what the monitors read: CSV lines for a log, or a
// table of the page for a person.
#pragma once

#include "cli/watch_sources.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace zat::cli {

inline constexpr std::string_view kWatchCsvHeader = "time,channel,value,status\n";

// "2026-12-08T07:45:01.123+01:00": local time with milliseconds and its offset.
std::string isoLocalTime(std::chrono::system_clock::time_point time);

// A CSV field, quoted where CSV needs it.
std::string csvField(const std::string& text);

// One line per reading, fields quoted where CSV needs it.
void writeCsv(std::FILE* out, const std::string& time, const std::vector<WatchReading>& readings);

// The title, the rows in columns and the link's state when it has one.
std::string watchTable(const std::string& title, const std::vector<WatchReading>& rows, std::string_view link);

}  // namespace zat::cli
