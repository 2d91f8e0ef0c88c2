// What the monitors share: their slot tabs, labels and number texts, and the
// reads they make through the link's health.
#pragma once

#include "comms/link_health.h"
#include "comms/protocol.h"
#include "model/register_ref.h"  // channelLabel

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zat {

constexpr int kSlotCount = 5;

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

// The loops (controllers, profilers) whose flags (page 1 item `letter`)
// say enabled. A loop whose flags cannot be read is left out and the others
// still read; when none is found the user is told why: `noneText` if every
// read succeeded, that the unit did not answer otherwise. Empty: the monitor
// is to close.
[[nodiscard]] std::vector<int> readEnabledLoops(UnitProtocol& protocol, LinkHealth& health, char letter, int count,
                                                std::string_view noneText);

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
