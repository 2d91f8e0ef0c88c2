#include "sim/cold_junctions.h"

#include <cmath>

namespace zat::sim {

namespace {

constexpr Wander kRoomWander{22.5, 0.05, 20.0, 25.0};

}  // namespace

ColdJunctions::ColdJunctions(Random& random) {
    for (double& celsius : celsius_) celsius = random.between(kRoomWander.low, kRoomWander.high);
}

void ColdJunctions::wander(double seconds, Random& random) {
    for (double& celsius : celsius_) celsius = kRoomWander.step(celsius, seconds, random);
}

std::int16_t ColdJunctions::tenthsCelsius(int slot) const {
    return static_cast<std::int16_t>(std::lround(celsius_[static_cast<std::size_t>(slot)] * 10.0));
}

}  // namespace zat::sim
