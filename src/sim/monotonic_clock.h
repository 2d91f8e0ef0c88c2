// Nanoseconds on CLOCK_MONOTONIC, and sleeping to an absolute time on it so
// that a late wake-up does not push every later deadline back.
#pragma once

#include <cstdint>
#include <functional>

namespace zat::sim {

using Nanos = std::int64_t;

constexpr Nanos kNanosPerMilli = 1'000'000;

Nanos monotonicNow();

// Sleeps until the deadline (returns at once if it has passed).
void sleepUntil(Nanos deadline);

// The same for waits that may be long: gives up, returning false, as soon as
// keepRunning() turns false (looked at every 50 ms).
bool sleepUntilOrStopped(Nanos deadline, const std::function<bool()>& keepRunning);

}  // namespace zat::sim
