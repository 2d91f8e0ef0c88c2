#include "sim/monotonic_clock.h"

#include <algorithm>
#include <cerrno>
#include <ctime>

namespace zat::sim {

namespace {

constexpr Nanos kNanosPerSecond = 1'000'000'000;
constexpr Nanos kStopCheck = 50 * kNanosPerMilli;

}  // namespace

Nanos monotonicNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<Nanos>(now.tv_sec) * kNanosPerSecond + now.tv_nsec;
}

void sleepUntil(Nanos deadline) {
    timespec until{};
    until.tv_sec = static_cast<time_t>(deadline / kNanosPerSecond);
    until.tv_nsec = static_cast<long>(deadline % kNanosPerSecond);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {}
}

bool sleepUntilOrStopped(Nanos deadline, const std::function<bool()>& keepRunning) {
    for (;;) {
        if (!keepRunning()) return false;
        const Nanos now = monotonicNow();
        if (now >= deadline) return true;
        sleepUntil(std::min(deadline, now + kStopCheck));
    }
}

}  // namespace zat::sim
