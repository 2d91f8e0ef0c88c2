#include "sim/digital_inputs.h"

#include <cmath>

namespace zat::sim {

namespace {

constexpr double kStepSeconds = 2.0;

}  // namespace

void DigitalInputs::advance(double seconds) { seconds_ += seconds; }

std::uint8_t DigitalInputs::group(int index) const {
    if (const auto& pinned = pinned_[static_cast<std::size_t>(index)]) return *pinned;
    // Groups start at different positions so they do not move in lockstep.
    const auto step = static_cast<long long>(std::floor(seconds_ / kStepSeconds));
    return static_cast<std::uint8_t>(1u << ((step + 3 * index) % 8));
}

bool DigitalInputs::input(int number) const { return ((group(number / 8) >> (number % 8)) & 1) != 0; }

void DigitalInputs::pin(int index, std::uint8_t pattern) { pinned_[static_cast<std::size_t>(index)] = pattern; }

}  // namespace zat::sim
