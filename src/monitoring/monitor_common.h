// What the monitors share: their slot tabs, labels and number texts, and the
// reads they make through the link's health.
#pragma once

#include "comms/protocol.h"
#include "model/register_ref.h"  // channelLabel
#include "comms/link_health.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zat {

constexpr int kSlotCount = 5;

struct MonitorTab {
    std::string title;
    bool bright = false;  // the slot holds a card of the monitor's kind
};

// "Slot 1".."Slot 5", each bright when its card code (item "b") satisfies
// `bright`; a slot whose code cannot be read is dark.
[[nodiscard]] std::vector<MonitorTab> readSlotTabs(UnitProtocol& protocol, LinkHealth& health,
                                                   const std::function<bool(std::uint16_t)>& bright);

// "%d-%d" tabs of `size` channels from `first` to `last`, dark.
void appendRangeTabs(std::vector<MonitorTab>& tabs, int first, int last, int size);

// A real number as "%g" shows it: 1234, 123.4, -0.5.
[[nodiscard]] std::string formatReal(double value);

[[nodiscard]] Outcome readHexIndexed(UnitProtocol& protocol, LinkHealth& health, char letter, int index,
                                     std::uint16_t& value);
[[nodiscard]] Outcome readDecimalIndexed(UnitProtocol& protocol, LinkHealth& health, char letter, int index,
                                         std::int16_t& value);
[[nodiscard]] Outcome selectPage(UnitProtocol& protocol, LinkHealth& health, int page);

}  // namespace zat
