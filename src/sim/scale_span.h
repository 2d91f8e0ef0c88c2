// The working range of a scaled channel: its two scalars as set, or 0..1000
// while they are still equal (not set up yet).
#pragma once

#include <cstdint>

namespace zat::sim {

struct ScaleSpan {
    double zero;  // the value at the bottom of the signal (loScalar, "from")
    double span;  // the value at the top (hiScalar, "to")
    bool configured;
};

inline ScaleSpan scaleSpan(std::int16_t zero, std::int16_t span) {
    if (zero == span) return {0.0, 1000.0, false};
    return {static_cast<double>(zero), static_cast<double>(span), true};
}

}  // namespace zat::sim
