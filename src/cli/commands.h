// The commands of zatctl, each with its help text.
#pragma once

#include <string>
#include <vector>

#include "app/ports.h"

namespace zat::cli {

enum ExitStatus { kExitOk = 0, kExitUnitFailure = 1, kExitUsage = 2 };

struct Context {
    UserPorts ports;
    std::FILE* out;  // results
    std::FILE* err;  // errors and usage
    bool verbose = false;  // also show the traffic with the unit
};

struct Command {
    const char* name;
    const char* synopsis;  // "new OUT.zat"
    const char* summary;   // one line for the command list
    const char* help;      // full explanation with an example
    int (*run)(Context& context, const std::vector<std::string>& args);
    bool unitOptions = false;  // takes the options of the commands that talk to the unit
};

const std::vector<Command>& commands();
const Command* findCommand(const std::string& name);

}  // namespace zat::cli
