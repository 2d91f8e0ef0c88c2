// The monitors as zatctl watch drives them: each engine behind one face that
// says what it shows as rows of channel, value, status word and detail.
#pragma once

#include "comms/protocol.h"
#include "model/config_database.h"
#include "monitoring/monitor_reading.h"
#include "userio/outcome.h"

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zat::cli {

using WatchReading = MonitorReading;

class WatchSource {
public:
    virtual ~WatchSource() = default;

    // The window's opening: false when the monitor would close.
    [[nodiscard]] virtual Outcome open(UnitProtocol& protocol) = 0;
    [[nodiscard]] virtual std::vector<std::string> tabTitles() const = 0;
    // The user picks tab `tab` other than the first.
    virtual void choose(UnitProtocol& protocol, int tab) = 0;
    virtual void tick(UnitProtocol& protocol) = 0;
    [[nodiscard]] virtual std::chrono::milliseconds tickInterval() const = 0;
    // Ticks that poll every row of the page once.
    [[nodiscard]] virtual int ticksPerSweep() const = 0;
    // Controllers and profilers poll when their tab is shown and wait from the
    // end of a poll; the others tick on a fixed period from the opening.
    [[nodiscard]] virtual bool pollsOnShow() const { return false; }
    // What the last tick (or showing the tab) read.
    [[nodiscard]] virtual std::vector<WatchReading> lastReadings() const = 0;
    // Every row of the page, for the table.
    [[nodiscard]] virtual std::vector<WatchReading> pageReadings() const = 0;
    [[nodiscard]] virtual std::string title() const = 0;
    [[nodiscard]] virtual std::string_view linkStatus() const = 0;
};

// The monitor named ai, ao, di, do, pid or profilers; none for another name.
std::unique_ptr<WatchSource> makeWatchSource(std::string_view kind, ConfigDatabase& database);

}  // namespace zat::cli
