#include "calibration/session_common.h"

#include <cstdio>

namespace zat {

void beginPageZeroBatch(UnitProtocol& protocol, LinkHealth& health) {
    health.beginBatch();
    // A failed selection has beeped; the reads after it fail on their own.
    (void)selectPage(protocol, health, kConfigPage);
}

std::optional<std::uint16_t> readCardCode(UnitProtocol& protocol, LinkHealth& health, int slot) {
    std::uint16_t code = 0;
    if (failed(readHexIndexed(protocol, health, kCardCodeItem, slot, code))) return std::nullopt;
    return code;
}

std::string hexText(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04Xh", value);
    return text;
}

}  // namespace zat
