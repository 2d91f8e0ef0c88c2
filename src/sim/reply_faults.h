// What goes on the line for a reply once a fault has been applied to it.
#pragma once

#include "sim/fault_plan.h"

#include <optional>
#include <string>

namespace zat::sim {

struct OutgoingReply {
    std::string bytes;  // as sent, with the carriage return when it is sent
    bool late = false;  // hold it back by the late delay
};

// `reply` is without its carriage return; nothing for a dropped reply.
std::optional<OutgoingReply> applyFault(const std::string& reply, Fault fault);

}  // namespace zat::sim
