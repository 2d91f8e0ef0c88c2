// The commands of zatctl, each with its help text.
#pragma once

#include "cli/console_user_io.h"
#include "model/config_database.h"
#include "options/option_table.h"
#include "userio/user_io.h"

#include <string>
#include <vector>

namespace zat::cli {

enum ExitStatus { kExitOk = 0, kExitUnitFailure = 1, kExitUsage = 2, kExitDiffer = 3 };

struct Context {
    UserIo io;
    std::FILE* out;        // results
    std::FILE* err;        // errors and usage
    bool verbose = false;  // also show the traffic with the unit
    // The console implementations behind `io`, when they are those: commands set how
    // questions are answered, and the traffic ends a drawn bar's line.
    ConsolePrompts* consolePrompts = nullptr;
    ConsoleProgress* consoleProgress = nullptr;
};

struct Command {
    const char* name;
    const char* synopsis;  // "new OUT.zat"
    const char* summary;   // one line for the command list
    const char* help;      // full explanation with an example; the options go after its first paragraph
    int (*run)(Context& context, const std::vector<std::string>& args);
    bool unitOptions = false;  // takes the options of the commands that talk to the unit
    bool ownOptions = false;   // reads its own options from its arguments
    // The options it takes besides the unit options, from the table it reads them with.
    std::vector<options::OptionText> (*options)() = nullptr;
};

const std::vector<Command>& commands();
const Command* findCommand(const std::string& name);

// Loads a cleared configuration from a file that must exist: writing or
// showing the loader defaults of a missing file would look like success.
// Says why on the error stream when it cannot.
bool loadExisting(Context& context, ConfigDatabase& db, const std::string& path);

}  // namespace zat::cli
