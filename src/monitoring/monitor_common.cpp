#include "monitoring/monitor_common.h"

#include <cstdio>

namespace zat {

std::vector<MonitorTab> readSlotTabs(UnitProtocol& protocol, LinkHealth& health,
                                     const std::function<bool(std::uint16_t)>& bright) {
    std::vector<MonitorTab> tabs;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        std::uint16_t code = 0;
        const bool known = succeeded(readHexIndexed(protocol, health, 'b', slot, code));
        tabs.push_back({"Slot " + std::to_string(slot + 1), known && bright(code)});
    }
    return tabs;
}

void appendRangeTabs(std::vector<MonitorTab>& tabs, int first, int last, int size) {
    for (int from = first; from <= last; from += size)
        tabs.push_back({std::to_string(from) + "-" + std::to_string(from + size - 1), false});
}

std::string formatReal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

Outcome readHexIndexed(UnitProtocol& protocol, LinkHealth& health, char letter, int index, std::uint16_t& value) {
    return health.run(protocol, [&](UnitProtocol& p) { return p.readHexIndexed(letter, index, value); });
}

Outcome readDecimalIndexed(UnitProtocol& protocol, LinkHealth& health, char letter, int index,
                           std::int16_t& value) {
    return health.run(protocol, [&](UnitProtocol& p) { return p.readDecimalIndexed(letter, index, value); });
}

Outcome selectPage(UnitProtocol& protocol, LinkHealth& health, int page) {
    return health.run(protocol, [&](UnitProtocol& p) { return p.selectPage(page); });
}

}  // namespace zat
