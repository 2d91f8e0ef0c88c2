// zatctl: the ZAT V2 setup utility's command-line tool.
#include "cli/command_help.h"
#include "cli/commands.h"
#include "cli/console_user_io.h"
#include "cli/unit_options.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace zat::cli;

int printCommandHelp(const std::string& name) {
    const Command* command = findCommand(name);
    if (command == nullptr) {
        std::fprintf(stderr, "zatctl: unknown command '%s' (see zatctl --help)\n", name.c_str());
        return kExitUsage;
    }
    std::fputs(commandHelp(*command).c_str(), stdout);
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    GlobalOptions global;
    std::vector<std::string> words;
    bool optionsEnded = false;
    std::size_t literalFrom = SIZE_MAX;  // words from here on came after "--"

    const std::vector<std::string> argList(argv + 1, argv + argc);
    for (std::size_t i = 0; i < argList.size(); ++i) {
        const std::string& arg = argList[i];
        const zat::options::Taken taken =
            optionsEnded ? zat::options::Taken{} : zat::options::takeOption(globalOptionTable(), argList, i, global);
        if (taken.status == zat::options::Taken::Status::Taken) {
            if (global.help) {
                std::fputs(zatctlHelp().c_str(), stdout);
                return kExitOk;
            }
        } else if (taken.status != zat::options::Taken::Status::NotAnOption) {
            std::fprintf(stderr, "zatctl: %s (see zatctl --help)\n", problemOf(taken).c_str());
            return kExitUsage;
        } else if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            literalFrom = words.size();
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-' && words.empty()) {
            std::fprintf(stderr, "zatctl: unknown option '%s' (see zatctl --help)\n", arg.c_str());
            return kExitUsage;
        } else {
            words.push_back(arg);
        }
    }
    if (words.empty()) {
        std::fputs(zatctlHelp().c_str(), stderr);
        return kExitUsage;
    }
    if (words[0] == "help") {
        if (words.size() == 1) {
            std::fputs(zatctlHelp().c_str(), stdout);
            return kExitOk;
        }
        return printCommandHelp(words[1]);
    }
    const Command* command = findCommand(words[0]);
    if (command == nullptr) {
        std::fprintf(stderr, "zatctl: unknown command '%s' (see zatctl --help)\n", words[0].c_str());
        return kExitUsage;
    }
    // Options after the command word are the command's own.
    for (std::size_t i = 1; i < words.size() && i < literalFrom && !command->unitOptions && !command->ownOptions; ++i) {
        if (words[i].size() > 1 && words[i][0] == '-') {
            std::fprintf(stderr, "zatctl: %s takes no option '%s' (see zatctl help %s)\n", command->name,
                         words[i].c_str(), command->name);
            return kExitUsage;
        }
    }

    ConsoleProgress progress(stderr, isatty(STDERR_FILENO) != 0, global.quiet);
    ConsolePrompts prompts(stderr, &progress);
    zat::SilentBeep beep;
    ConsoleStatus status(stderr, global.verbose);
    zat::NoFileDialogs files;  // every file is named on the command line
    zat::NoWaitCursor cursor;
    Context context{zat::UserIo{prompts, beep, status, progress, files, cursor},
                    stdout,
                    stderr,
                    global.verbose,
                    &prompts,
                    &progress};
    const std::vector<std::string> args(words.begin() + 1, words.end());
    return command->run(context, args);
}
