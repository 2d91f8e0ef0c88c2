// The zatctl commands that save the unit's working registers to a ".reg"
// file and load them back.
#pragma once

#include "cli/commands.h"

#include <string>
#include <vector>

namespace zat::cli {

int runSaveRegisters(Context& context, const std::vector<std::string>& args);
int runLoadRegisters(Context& context, const std::vector<std::string>& args);

}  // namespace zat::cli
