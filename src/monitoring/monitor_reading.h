// What a monitor read, as one row per channel: the texts it shows (and
// zatctl watch writes) and the numbers a trend draws from them. Both front
// ends take their rows from here, so a recording and a log are alike.
#pragma once

#include "monitoring/analog_input_monitor.h"
#include "monitoring/analog_output_monitor.h"
#include "monitoring/controller_monitor.h"
#include "monitoring/digital_monitors.h"
#include "monitoring/profiler_monitor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zat {

// One line of a trend: "A08", "PID1 MV"; none for a failed or missing reading.
struct TrendPoint {
    std::string series;
    std::optional<double> value;
};

struct MonitorReading {
    std::string channel;  // "A08", "D48", "PID1", "PRF2"
    std::string value;    // as the window shows it; empty when the reading failed
    std::string status;   // "0x0040"; empty without a status word
    std::string detail;   // range or comment, for the table
    std::vector<TrendPoint> points;
};

// The controller's output register counts tenths of a percent.
inline constexpr double kOutputTenthsPerPercent = 10.0;

// The series names of a loop's lines: "PID1 MV", "PRF2 Segment".
[[nodiscard]] std::string seriesName(std::string_view channel, std::string_view line);

// A shown text as a number: none for "", "Broken", "Error", "?" and the like.
[[nodiscard]] std::optional<double> shownNumber(std::string_view text);

// "0x0040".
[[nodiscard]] std::string statusText(std::uint16_t status);

[[nodiscard]] MonitorReading analogInputReading(const AnalogInputMonitorPage& page, int row);
[[nodiscard]] MonitorReading analogOutputReading(const AnalogOutputMonitorPage& page, int row);
// Every row of the group: a lamp is a reading only while the unit answers.
[[nodiscard]] std::vector<MonitorReading> digitalReadings(const DigitalMonitorPage& page);
// MV, SP and OP (in percent) of the loop on show.
[[nodiscard]] MonitorReading controllerReading(const ControllerMonitorPage& page);
// MV, SP and the segment (its changes are marked on a trend).
[[nodiscard]] MonitorReading profilerReading(const ProfilerMonitorPage& page);

}  // namespace zat
