#include "sim/random_walk.h"

#include <algorithm>
#include <cmath>

namespace zat::sim {

double Random::uniform() { return static_cast<double>(engine_()) / 4294967296.0; }

double Random::between(double low, double high) { return low + (high - low) * uniform(); }

double Wander::step(double value, double seconds, Random& random) const {
    constexpr double kPullTime = 90.0;  // seconds
    const double pull = 1.0 - std::exp(-seconds / kPullTime);
    // A uniform draw on [-1, 1) has variance 1/3; sqrt(3) brings it to 1.
    const double noise = random.between(-1.0, 1.0) * std::sqrt(3.0 * seconds) * spread;
    return std::clamp(value + (centre - value) * pull + noise, low, high);
}

}  // namespace zat::sim
