// zatctl's own options and the help texts written from the command table and
// the option tables.
#pragma once

#include "cli/commands.h"
#include "options/option_table.h"

#include <string>

namespace zat::cli {

// The options given before the command word.
struct GlobalOptions {
    bool quiet = false;
    bool verbose = false;
    bool help = false;
};

const options::OptionTable<GlobalOptions>& globalOptionTable();

// zatctl --help.
std::string zatctlHelp();

// zatctl help COMMAND: the usage line, the help with the command's options
// after its first paragraph, and the unit options when it takes them.
std::string commandHelp(const Command& command);

// The command's own options and the unit options it takes, in that order.
std::vector<options::OptionText> commandOptions(const Command& command);

}  // namespace zat::cli
