// What carries the frames to the unit and its replies back: a serial device
// (the termios line) or a connection to a serial server on the network.
// UnitLink owns one and does the rest (reply collection, timeouts, traffic).
#pragma once

#include "comms/line_timing.h"
#include "comms/link_reason.h"

#include <string>
#include <string_view>

namespace zat {

class LinkTransport {
public:
    virtual ~LinkTransport() = default;

    // The descriptor to wait on for reply bytes.
    virtual int descriptor() const = 0;
    // Drops what came in since the last reply, then sends the request whole;
    // returns once the unit's line is free for its answer. Gives up writing
    // at `giveUp`.
    virtual LinkReason send(std::string_view request, LineClock::time_point giveUp) = 0;
    // Appends what is waiting to `data` (the unit's characters only); a
    // reason when the device or the connection has gone.
    virtual LinkReason receive(std::string& data) = 0;
    // Drops what is waiting.
    virtual void discardInput() = 0;
    // How long after send() the request is still on its way to the unit: a
    // serial server passes it on at the line's rate once it has it.
    virtual LineClock::duration stillOnTheWay(std::size_t requestLength) const = 0;
};

}  // namespace zat
