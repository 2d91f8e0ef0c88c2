#include "comms/line_timing.h"

#include <algorithm>
#include <cerrno>
#include <ctime>

namespace zat {

namespace {
int effectiveBaud(int baudRate) { return baudRate >= 1 ? baudRate : 1200; }
}  // namespace

std::chrono::nanoseconds characterTime(int baudRate) {
    return std::chrono::nanoseconds(std::int64_t{kBitsPerCharacter} * 1'000'000'000 / effectiveBaud(baudRate));
}

std::chrono::milliseconds holdAfterDrain(int baudRate) {
    return std::chrono::milliseconds(10000 / effectiveBaud(baudRate));
}

LineClock::time_point transmitterReleaseTime(LineClock::time_point writeBegan, LineClock::time_point drained,
                                             std::size_t frameLength, int baudRate) {
    const auto onTheLine = writeBegan + characterTime(baudRate) * static_cast<std::int64_t>(frameLength + 1);
    return std::max(onTheLine, drained + holdAfterDrain(baudRate));
}

timespec toTimespec(LineClock::duration d) {
    if (d < LineClock::duration::zero()) d = LineClock::duration::zero();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(d);
    timespec t{};
    t.tv_sec = static_cast<time_t>(seconds.count());
    t.tv_nsec = static_cast<long>(std::chrono::duration_cast<std::chrono::nanoseconds>(d - seconds).count());
    return t;
}

void sleepUntil(LineClock::time_point when) {
    // steady_clock is CLOCK_MONOTONIC on Linux; the clock's epoch is its zero.
    const timespec deadline = toTimespec(when.time_since_epoch());
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {}
}

}  // namespace zat
