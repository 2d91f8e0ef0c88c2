// The cold-junction temperature of each slot's terminals, wandering between
// 20 and 25 degrees C.
#pragma once

#include "sim/random_walk.h"

#include <array>
#include <cstdint>

namespace zat::sim {

class ColdJunctions {
public:
    static constexpr int kSlots = 5;

    explicit ColdJunctions(Random& random);
    void wander(double seconds, Random& random);
    std::int16_t tenthsCelsius(int slot) const;  // 235 = 23.5 degrees C

private:
    std::array<double, kSlots> celsius_{};
};

}  // namespace zat::sim
