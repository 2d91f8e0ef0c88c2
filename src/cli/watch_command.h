// zatctl watch: a live monitor on the terminal or as a CSV log.
#pragma once

#include "cli/commands.h"
#include "cli/unit_options.h"
#include "options/option_table.h"

#include <optional>
#include <string>
#include <vector>

namespace zat::cli {

extern const char* const kWatchSynopsis;
extern const char* const kWatchHelp;

struct WatchArgs {
    UnitOptions unit;
    std::string kind;
    std::optional<int> slot;
    std::optional<std::string> group;
    std::optional<long> count;
    bool csv = false;
};

// The options of watch besides the unit options.
const options::OptionTable<WatchArgs>& watchOptionTable();

int runWatch(Context& context, const std::vector<std::string>& args);

}  // namespace zat::cli
