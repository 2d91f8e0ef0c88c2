#include "cli/command_help.h"

#include "cli/unit_options.h"

#include <cstring>

namespace zat::cli {

namespace {

using options::setting;

const options::OptionTable<GlobalOptions> kGlobalOptions = {
    {.name = "--quiet", .shortName = "-q", .help = "no progress display", .take = setting(&GlobalOptions::quiet)},
    {.name = "--verbose",
     .shortName = "-v",
     .help = "also print what the program is doing",
     .take = setting(&GlobalOptions::verbose)},
    {.name = "--help", .shortName = "-h", .help = "this text", .take = setting(&GlobalOptions::help)},
};

std::vector<options::OptionText> ownOptions(const Command& command) {
    return command.options == nullptr ? std::vector<options::OptionText>{} : command.options();
}

}  // namespace

const options::OptionTable<GlobalOptions>& globalOptionTable() { return kGlobalOptions; }

std::string zatctlHelp() {
    std::string text =
        "zatctl - command-line tool of the ZAT V2 setup utility\n"
        "\n"
        "usage: zatctl [OPTIONS] COMMAND [ARGS...]\n"
        "       zatctl help COMMAND\n"
        "\n"
        "Commands:\n";
    constexpr std::size_t kColumn = 28;
    const std::string blank(kColumn + 2, ' ');
    for (const Command& command : commands()) {
        std::string synopsis = "  " + std::string(command.synopsis);
        // A long synopsis takes its own line, the summary below it in the column.
        if (synopsis.size() > blank.size())
            synopsis += "\n" + blank;
        else
            synopsis.resize(blank.size(), ' ');
        text += synopsis + " " + command.summary + "\n";
    }
    return text + "\nOptions:\n" + options::optionHelp(options::textsOf(kGlobalOptions), 16) +
           "\n"
           "Messages go to stderr as \"caption: text\". Exit status: 0 success,\n"
           "1 the unit did not answer or a transfer failed, 2 usage or file error.\n";
}

std::string commandHelp(const Command& command) {
    std::string help = command.help;
    const std::vector<options::OptionText> own = ownOptions(command);
    if (!own.empty()) {
        const std::size_t paragraphEnd = help.find("\n\n");
        const std::size_t at = paragraphEnd == std::string::npos ? help.size() : paragraphEnd + 1;
        help.insert(at, "\n" + options::optionHelp(own, options::helpWidth(own)));
    }
    std::string text = "usage: zatctl " + std::string(command.synopsis) + "\n\n" + help;
    if (command.unitOptions) text += "\n" + unitOptionsHelp();
    return text;
}

std::vector<options::OptionText> commandOptions(const Command& command) {
    std::vector<options::OptionText> all = ownOptions(command);
    if (command.unitOptions) {
        const auto unit = options::textsOf(unitOptionTable());
        all.insert(all.end(), unit.begin(), unit.end());
    }
    return all;
}

}  // namespace zat::cli
