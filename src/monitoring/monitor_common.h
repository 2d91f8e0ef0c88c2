// What the monitors share: their slot tabs, labels and number texts, and the
// reads they make through the link's health.
#pragma once

#include "comms/link_health.h"
#include "comms/protocol.h"
#include "comms/unit_items.h"
#include "model/register_ref.h"  // channelLabel
#include "userio/field_check.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zat {

struct MonitorTab {
    std::string title;
    bool bright = false;  // the slot holds a card of the monitor's kind
};

// The opening of the monitors paged by slot: the probe (with its message),
// then page 0 and the slot tabs in a new batch: "Slot 1".."Slot 5", each
// bright when its card code (item "b") satisfies `bright`, dark when the code
// cannot be read. None: the unit did not answer.
[[nodiscard]] std::optional<std::vector<MonitorTab>> openSlotTabs(UnitProtocol& protocol, LinkHealth& health,
                                                                  const std::function<bool(std::uint16_t)>& bright);

// "%d-%d" tabs of `size` channels from `first` to `last`, dark.
void appendRangeTabs(std::vector<MonitorTab>& tabs, int first, int last, int size);

// The loops (controllers, profilers) by their flags, page 1 item `letter`:
// those enabled, and those whose flags could not be read.
struct LoopFlags {
    std::vector<int> enabled;
    std::vector<int> unread;
};

// Every loop's flags, at opening. When none is found enabled the user is
// told why: `noneText` if every read succeeded, that the unit did not answer
// otherwise; the monitor is then to close.
[[nodiscard]] LoopFlags readEnabledLoops(UnitProtocol& protocol, LinkHealth& health, char letter, int count,
                                         std::string_view noneText);

// Reads again the flags of the loops in `unread` (selecting page 1 first):
// `found` is called for each one now known enabled; those still unread stay.
void retryLoopFlags(UnitProtocol& protocol, LinkHealth& health, char letter, std::vector<int>& unread,
                    const std::function<void(int loop)>& found);

// A write the unit did not take, told as the profiler's "Unable to stop
// profiler" is: "Unable to set " and what, caption "Problem". The protocol
// has beeped already.
[[nodiscard]] FieldMessage writeProblem(const std::vector<std::string>& what);

// "(A5)" for a register code; empty for 0, "(?)" for a code not read.
[[nodiscard]] std::string registerCodeLabel(std::optional<std::uint16_t> code);

// A register code read from page 1, or none when the read failed.
[[nodiscard]] std::optional<std::uint16_t> readRegisterCode(UnitProtocol& protocol, LinkHealth& health, char letter,
                                                            int index);

// The value of the register a code names, as the controller and profiler
// monitors show it: the number, "Broken" for a broken input, "Error" when a
// read failed or the code itself could not be read, empty for no register
// (code 0) and for C and D registers, which are not shown.
struct RegisterValue {
    std::string text;
    std::optional<std::int16_t> value;  // when a number was read
};
[[nodiscard]] RegisterValue readRegisterValue(UnitProtocol& protocol, LinkHealth& health,
                                              std::optional<std::uint16_t> code);

}  // namespace zat
