// The text form of exchanges for a log: "> request" then "< reply" or
// "< (none)", with control characters and DEL written as \xHH.
#pragma once

#include "sim/pty_unit.h"

#include <ostream>
#include <string>
#include <string_view>

namespace zat::sim {

std::string printable(std::string_view text);

void writeExchange(std::ostream& log, const Exchange& exchange);

}  // namespace zat::sim
