// How the unit's calibration constants bend what it reports: a zero constant
// shifts a reading by its distance from the middle of its bounds (one count
// per unit, the "+" side up), a span constant scales it by its ratio to the
// middle of its bounds. At the power-up constants, mid-range, nothing changes.
#pragma once

#include <cstdint>
#include <optional>

namespace zat::sim {

// Power-up constants, the middles of the bounds the utility keeps them in.
constexpr std::uint16_t kInputZeroMiddle = 0x2000;   // 0x1000..0x3000
constexpr std::uint16_t kInputSpanMiddle = 0x8000;   // 0x7000..0x9000
constexpr std::uint16_t kOutputZeroMiddle = 0x1800;  // 0..0x3000
constexpr std::uint16_t kOutputSpanMiddle = 0x8780;  // 0x7F00..0x9000
constexpr std::uint16_t kColdJunctionMiddle = 1000;  // 800..1200

struct Calibration {
    double offset = 0;
    double scale = 1;
    [[nodiscard]] double apply(double value) const { return value * scale + offset; }
};

inline Calibration calibration(std::uint16_t zero, std::uint16_t span, std::uint16_t zeroMiddle,
                               std::uint16_t spanMiddle) {
    return {static_cast<double>(zeroMiddle) - zero, static_cast<double>(span) / spanMiddle};
}

// The measuring range an input type is converted in (0 10V, 1 1V, 2 100mV,
// 3 resistance); none outside the type table.
inline std::optional<int> rangeCodeOfType(int typeIndex) {
    constexpr int kRanges[] = {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 0, 3, 1, 3};
    if (typeIndex < 0 || typeIndex >= static_cast<int>(sizeof kRanges / sizeof kRanges[0])) return std::nullopt;
    return kRanges[typeIndex];
}

}  // namespace zat::sim
