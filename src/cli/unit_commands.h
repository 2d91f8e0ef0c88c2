// The zatctl commands that talk to the unit.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace zat::cli {

int runProbe(Context& context, const std::vector<std::string>& args);

}  // namespace zat::cli
