// The analog input monitor without a window: 40 inputs, eight per slot tab,
// one row polled per 250 ms tick (value "A" and status "F").
#pragma once

#include "comms/link_health.h"
#include "comms/protocol.h"
#include "monitoring/monitor_common.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zat {

constexpr int kAnalogInputRows = 8;

struct AnalogInputMonitorRow {
    std::string name;                     // "A05"
    std::string range;                    // "TC Type K 1/10°C", "Linear 1V"; "?" while the type is unknown
    std::string value;                    // empty until polled after a page load; "Broken", the number, or
                                          // "?" while the type (and so the scale) is unknown
    bool valueKnown = true;               // false while the value shows "?": greyed
    bool upMarker = false;                // status bit 6
    bool downMarker = false;              // status bit 5
    bool thirdMarker = false;             // status bit 4
    std::optional<std::uint16_t> status;  // the word of the last poll; none until polled or when it failed
};

struct AnalogInputMonitorPage {
    std::vector<MonitorTab> tabs;  // "Slot 1".."Slot 5", bright for card codes 1, 2, 3
    int slot = 0;
    std::array<AnalogInputMonitorRow, kAnalogInputRows> rows;
    std::string linkStatus;  // "No reply from unit" while the unit is silent
};

// The range text of a type word: the fixed linear texts, or the type's name,
// " ", "1/10" with tenths, then "°C" or "°F"; "?" for an unknown type.
[[nodiscard]] std::string analogInputRangeText(std::optional<std::uint16_t> typeWord);

class AnalogInputMonitor {
public:
    static constexpr std::chrono::milliseconds kPollInterval{250};

    // Probes the unit (with the message), reads the slot tabs and loads slot 0.
    // Failed: the monitor is to close.
    [[nodiscard]] Outcome open(UnitProtocol& protocol);
    // Names and ranges of the slot at once; values and markers blank until polled.
    void loadPage(UnitProtocol& protocol, int slot);
    // Polls the next row; a row whose type is unknown has its type read
    // again first.
    void tick(UnitProtocol& protocol);
    // The row the last tick polled.
    [[nodiscard]] int polledRow() const { return row_; }

    // The window is closing: nothing more is sent.
    void stop() { health_.stop(); }
    [[nodiscard]] std::chrono::milliseconds tickInterval() const { return health_.interval(kPollInterval); }
    [[nodiscard]] const AnalogInputMonitorPage& page() const { return page_; }

private:
    void showLinkStatus() { page_.linkStatus = std::string(health_.statusText()); }
    // Reads the type word of row `r` (page 0): the range text follows it.
    void readType(UnitProtocol& protocol, int r);

    LinkHealth health_;
    AnalogInputMonitorPage page_;
    std::array<std::optional<std::uint16_t>, kAnalogInputRows> typeWords_{};
    int row_ = 0;  // the row polled last
};

}  // namespace zat
