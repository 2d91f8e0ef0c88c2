// zatctl: the ZAT V2 setup utility's command-line tool.
#include "cli/commands.h"
#include "cli/console_user_io.h"
#include "cli/unit_options.h"
#include "comms/link_statistics.h"
#include "comms/traffic_log.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace zat::cli;

void printHelp(std::FILE* out) {
    std::fprintf(out,
                 "zatctl - command-line tool of the ZAT V2 setup utility\n"
                 "\n"
                 "usage: zatctl [OPTIONS] COMMAND [ARGS...]\n"
                 "       zatctl help COMMAND\n"
                 "\n"
                 "Commands:\n");
    constexpr int kColumn = 28;
    for (const Command& command : commands()) {
        // A long synopsis takes its own line, the summary below it in the column.
        if (std::strlen(command.synopsis) > kColumn)
            std::fprintf(out, "  %s\n  %-*s %s\n", command.synopsis, kColumn, "", command.summary);
        else
            std::fprintf(out, "  %-*s %s\n", kColumn, command.synopsis, command.summary);
    }
    std::fprintf(out,
                 "\n"
                 "Options:\n"
                 "  -q, --quiet     no progress display\n"
                 "  -v, --verbose   also print what the program is doing, and every request\n"
                 "                  and reply with its time on stderr\n"
                 "  --log FILE      append every request and reply with its time to FILE\n"
                 "  --stats         print the link statistics on stderr when the command ends\n"
                 "  -h, --help      this text\n"
                 "\n"
                 "Messages go to stderr as \"caption: text\". Exit status: 0 success,\n"
                 "1 the unit did not answer or a transfer failed, 2 usage or file error.\n");
}

int printCommandHelp(const std::string& name) {
    const Command* command = findCommand(name);
    if (command == nullptr) {
        std::fprintf(stderr, "zatctl: unknown command '%s' (see zatctl --help)\n", name.c_str());
        return kExitUsage;
    }
    std::fprintf(stdout, "usage: zatctl %s\n\n%s", command->synopsis, command->help);
    if (command->unitOptions) std::fprintf(stdout, "\n%s", kUnitOptionsHelp);
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    bool quiet = false;
    bool verbose = false;
    bool stats = false;
    std::optional<std::string> logPath;
    std::vector<std::string> words;
    bool optionsEnded = false;
    std::size_t literalFrom = SIZE_MAX;  // words from here on came after "--"

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!optionsEnded && (arg == "-h" || arg == "--help")) {
            printHelp(stdout);
            return kExitOk;
        } else if (!optionsEnded && (arg == "-q" || arg == "--quiet")) {
            quiet = true;
        } else if (!optionsEnded && (arg == "-v" || arg == "--verbose")) {
            verbose = true;
        } else if (!optionsEnded && arg == "--stats") {
            stats = true;
        } else if (!optionsEnded && arg == "--log") {
            if (i + 1 == argc) {
                std::fprintf(stderr, "zatctl: --log needs a file name (see zatctl --help)\n");
                return kExitUsage;
            }
            logPath = argv[++i];
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
        printHelp(stderr);
        return kExitUsage;
    }
    if (words[0] == "help") {
        if (words.size() == 1) {
            printHelp(stdout);
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

    // Every exchange goes to the log on stderr (-v), the log file and the statistics.
    zat::TrafficFanOut traffic;
    std::unique_ptr<zat::TrafficLogFile> logFile;
    if (logPath) {
        std::string error;
        logFile = zat::TrafficLogFile::open(*logPath, error);
        if (!logFile) {
            std::fprintf(stderr, "zatctl: %s\n", error.c_str());
            return kExitUsage;
        }
        traffic.add(logFile.get());
    }
    zat::LinkStatistics statistics;
    if (stats) traffic.add(&statistics);

    ConsoleProgress progress(stderr, isatty(STDERR_FILENO) != 0, quiet);
    zat::TrafficLogWriter console(stderr, [&progress] { progress.breakLine(); });
    if (verbose) traffic.add(&console);
    ConsolePrompts prompts(stderr, &progress);
    zat::SilentBeep beep;
    ConsoleStatus status(stderr, verbose);
    zat::NoFileDialogs files;  // every file is named on the command line
    zat::NoWaitCursor cursor;
    Context context{zat::UserIo{prompts, beep, status, progress, files, cursor},
                    stdout,
                    stderr,
                    verbose,
                    &prompts,
                    &progress,
                    &traffic};
    const std::vector<std::string> args(words.begin() + 1, words.end());
    const int exitStatus = command->run(context, args);
    if (stats) {
        progress.breakLine();
        std::fprintf(stderr, "link: %s\n", zat::statisticsText(statistics.total()).c_str());
    }
    return exitStatus;
}
