// The calibration constants on the unit (page 0) and in the ".cal" file:
// their items, the bounds held when reading them from the unit, and the
// defaults of keys missing from a file.
#pragma once

#include <cstdint>

namespace zat {

struct CalibrationItem {
    char letter;
    std::uint16_t lowest;
    std::uint16_t highest;
    std::uint16_t fileDefault;
};

constexpr CalibrationItem kInputZero{'x', 0x1000, 0x3000, 4096};
constexpr CalibrationItem kInputSpan{'y', 0x7000, 0x9000, 0x7000};
constexpr CalibrationItem kOutputZero{'z', 0x0000, 0x3000, 0};
constexpr CalibrationItem kOutputSpan{'{', 0x7F00, 0x9000, 0x7F00};
constexpr CalibrationItem kColdJunctionZero{'|', 800, 1200, 800};

constexpr std::uint16_t clampTo(const CalibrationItem& item, std::uint16_t value) {
    return value < item.lowest ? item.lowest : value > item.highest ? item.highest : value;
}

}  // namespace zat
