// The analog output monitor without a window: 40 output registers B00..B39,
// four per tab, one row polled per 250 ms tick (value "B" and status "E"),
// and new values written with "B".
#pragma once

#include "comms/link_health.h"
#include "comms/protocol.h"
#include "model/config_database.h"
#include "monitoring/monitor_common.h"
#include "userio/field_check.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zat {

constexpr int kAnalogOutputRows = 4;

struct AnalogOutputMonitorRow {
    std::string name;     // "B05"
    std::string comment;  // from the database, UTF-8
    std::string range;    // empty for B20..B39; "?" while the type is unknown
    std::string current;  // empty until polled after a page load; "Error", "Invalid" or the number
    std::string entry;    // the "New" text, not yet applied
    bool entryEnabled = false;
    std::optional<std::uint16_t> status;  // the word of the last poll; none until polled or when it failed
};

struct AnalogOutputMonitorPage {
    std::vector<MonitorTab> tabs;  // "Slot 1".."Slot 5" (bright for card codes 4, 5), "20-23".."36-39"
    int page = 0;
    std::array<AnalogOutputMonitorRow, kAnalogOutputRows> rows;
    bool applyEnabled = false;
    std::string linkStatus;  // "No reply from unit" while the unit is silent
};

// The range text of a physical output: "TC Type K, 1/10ths °C" for a
// characterised output, "Linear 0 to 100, bias 5%" otherwise.
[[nodiscard]] std::string analogOutputRangeText(std::uint16_t typeWord, std::int16_t from, std::int16_t to,
                                                std::int16_t bias);

// A "New" text as the value to write: a finite number whose value (in tenths
// for a tenths output, rounded half away from zero) fits in 16 bits.
[[nodiscard]] FieldCheck<std::int16_t> convertOutputEntry(std::string_view text, bool tenths);

struct OutputEntryRefusal {
    int row = 0;
    FieldMessage message;
};

class AnalogOutputMonitor {
public:
    static constexpr std::chrono::milliseconds kPollInterval{250};

    explicit AnalogOutputMonitor(const ConfigDatabase& database) : database_(database) {}

    [[nodiscard]] Outcome open(UnitProtocol& protocol);
    // Names, comments, ranges and entry states at once; current values and
    // entries blank.
    void loadPage(UnitProtocol& protocol, int page);
    void tick(UnitProtocol& protocol);
    // The row the last tick polled.
    [[nodiscard]] int polledRow() const { return row_; }
    // The user changed a "New" text: Apply is enabled.
    void setEntry(int row, std::string text);
    // Writes every non-empty entry of an enabled row and clears it. A refused
    // entry skips only its row, and a write the unit does not take (its
    // reply failed and the value read back differs) keeps its entry too: such entries stay as typed for another Apply,
    // which stays enabled. Returned: the first refusal, then one message naming the outputs not set (at the row of the
    // first).
    [[nodiscard]] std::vector<OutputEntryRefusal> apply(UnitProtocol& protocol);

    // The window is closing: nothing more is sent.
    void stop() { health_.stop(); }
    [[nodiscard]] std::chrono::milliseconds tickInterval() const { return health_.interval(kPollInterval); }
    [[nodiscard]] const AnalogOutputMonitorPage& page() const { return page_; }

private:
    [[nodiscard]] bool tenths(int row) const;
    // After a failed write: whether the unit holds the value all the same.
    [[nodiscard]] bool holds(UnitProtocol& protocol, int channel, std::int16_t value);
    void showLinkStatus() { page_.linkStatus = std::string(health_.statusText()); }

    const ConfigDatabase& database_;
    LinkHealth health_;
    AnalogOutputMonitorPage page_;
    std::array<std::optional<std::uint16_t>, kAnalogOutputRows> typeWords_{};
    int row_ = 0;  // the row polled last
};

}  // namespace zat
