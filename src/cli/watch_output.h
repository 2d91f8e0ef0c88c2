// How zatctl watch writes what the monitors read: CSV lines for a log (the
// form of monitoring/monitor_csv), or a table of the page for a person.
#pragma once

#include "cli/watch_sources.h"
#include "monitoring/monitor_history.h"

#include <string>
#include <string_view>
#include <vector>

namespace zat::cli {

// Readings a row's trend shows: the newest first series of the row.
inline constexpr std::size_t kTableTrendReadings = 20;

// "▁▃▅█ ▇": the newest `count` samples of `series` scaled between their least
// and greatest, a gap as a space; empty for fewer than two samples.
std::string sparkline(const MonitorHistory& history, std::string_view series, std::size_t count);

// The title, the rows in columns and the link's state when it has one. Once
// the history holds two readings of a row a "Trend" column shows them.
std::string watchTable(const std::string& title, const std::vector<WatchReading>& rows, std::string_view link,
                       const MonitorHistory* history = nullptr);

}  // namespace zat::cli
