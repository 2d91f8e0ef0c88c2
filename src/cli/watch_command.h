// zatctl watch: a live monitor on the terminal or as a CSV log.
#pragma once

#include "cli/commands.h"

#include <string>
#include <vector>

namespace zat::cli {

extern const char* const kWatchSynopsis;
extern const char* const kWatchHelp;

int runWatch(Context& context, const std::vector<std::string>& args);

}  // namespace zat::cli
