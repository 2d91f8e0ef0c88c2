// Timing of the half-duplex line: 7 data bits, odd parity and one stop bit
// make ten bits per character.
#pragma once

#include <chrono>
#include <cstddef>
#include <ctime>

namespace zat {

using LineClock = std::chrono::steady_clock;

constexpr int kBitsPerCharacter = 10;

// One character time at this baud rate (rates below 1 are taken as 1200, the
// slowest rate the unit offers, so a hold is never too short).
std::chrono::nanoseconds characterTime(int baudRate);

// The hold after the driver reports the output drained: one character time in
// whole milliseconds, 10000 / baud (8 ms at 1200 baud, 0 at 19200).
std::chrono::milliseconds holdAfterDrain(int baudRate);

// When the transmitter may be released: the frame and one more character must
// have left since the write began (USB adapters report a drain early), and the
// hold after the drain must have passed.
LineClock::time_point transmitterReleaseTime(LineClock::time_point writeBegan, LineClock::time_point drained,
                                             std::size_t frameLength, int baudRate);

// Sleeps until the given time of the monotonic clock (absolute, so a late
// wake-up does not add to the next wait).
void sleepUntil(LineClock::time_point when);

// A wait for ppoll; a negative one is no wait.
timespec toTimespec(LineClock::duration d);

}  // namespace zat
