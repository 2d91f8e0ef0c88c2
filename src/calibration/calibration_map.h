// The calibration constants on the unit (page 0) and in the ".cal" file:
// their items, the bounds held when reading them from the unit, and the
// defaults of keys missing from a file.
#pragma once

#include "comms/unit_items.h"

#include <cstdint>

namespace zat {

struct CalibrationItem {
    char letter;
    std::uint16_t lowest;
    std::uint16_t highest;
    std::uint16_t fileDefault;
};

constexpr CalibrationItem kInputZero{
    .letter = kInputZeroItem, .lowest = 0x1000, .highest = 0x3000, .fileDefault = 4096};
constexpr CalibrationItem kInputSpan{
    .letter = kInputSpanItem, .lowest = 0x7000, .highest = 0x9000, .fileDefault = 0x7000};
constexpr CalibrationItem kOutputZero{.letter = kOutputZeroItem, .lowest = 0x0000, .highest = 0x3000, .fileDefault = 0};
constexpr CalibrationItem kOutputSpan{
    .letter = kOutputSpanItem, .lowest = 0x7F00, .highest = 0x9000, .fileDefault = 0x7F00};
constexpr CalibrationItem kColdJunctionZero{
    .letter = kColdJunctionZeroItem, .lowest = 800, .highest = 1200, .fileDefault = 800};

constexpr std::uint16_t clampTo(const CalibrationItem& item, std::uint16_t value) {
    return value < item.lowest ? item.lowest : value > item.highest ? item.highest : value;
}

}  // namespace zat
