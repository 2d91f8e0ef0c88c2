// Puts a reply on the line at the pace a real RS-485 link would: not before
// the request and the client's one character of RTS hold have passed, then
// after the turnaround, one character every 10 bits' time, each handed over
// when its last bit would have arrived.
#pragma once

#include "sim/monotonic_clock.h"
#include "sim/pty_unit.h"

#include <cstddef>
#include <functional>
#include <string_view>

namespace zat::sim {

struct ReplyTiming {
    Nanos firstByte;            // the request's first character arrived
    Nanos requestEnd;           // its carriage return arrived
    std::size_t requestLength;  // characters, carriage return included
    bool late;
};

class LineWriter {
public:
    LineWriter(int fd, const LineTiming& timing) : fd_(fd), timing_(timing) {}

    // Returns early (the rest unsent) once keepRunning() turns false.
    void send(std::string_view bytes, const ReplyTiming& when, const std::function<bool()>& keepRunning) const;

private:
    bool writeAll(std::string_view bytes, const std::function<bool()>& keepRunning) const;

    int fd_;
    LineTiming timing_;
};

}  // namespace zat::sim
