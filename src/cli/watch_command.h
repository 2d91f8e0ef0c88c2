// zatctl watch: a live monitor on the terminal or as a CSV log.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace zat::cli {

extern const char* const kWatchSynopsis;
extern const char* const kWatchHelp;

int runWatch(Context& context, const std::vector<std::string>& args);

}  // namespace zat::cli
