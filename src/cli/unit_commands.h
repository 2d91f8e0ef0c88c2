// The zatctl commands that talk to the unit.
#pragma once

#include "cli/commands.h"

#include <string>
#include <vector>

namespace zat::cli {

int runProbe(Context& context, const std::vector<std::string>& args);

}  // namespace zat::cli
