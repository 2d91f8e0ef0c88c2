#include "cli/zatctl_manual.h"

#include "cli/command_help.h"
#include "cli/commands.h"
#include "cli/unit_options.h"
#include "options/bash_completion.h"
#include "options/man_page.h"

namespace zat::cli {

namespace {

using options::roffLine;
using options::roffOptions;
using options::roffText;

constexpr std::string_view kExampleHeading = "Example:\n";

// A command's help without its example, and the example's lines.
std::pair<std::string_view, std::string_view> splitExample(std::string_view help) {
    const std::size_t at = help.find(kExampleHeading);
    if (at == std::string_view::npos) return {help, {}};
    return {help.substr(0, at), help.substr(at + kExampleHeading.size())};
}

std::string commandSections() {
    std::string roff;
    for (const Command& command : commands()) {
        roff += ".SS " + roffLine(command.synopsis);
        roff += roffText(splitExample(command.help).first);
        if (command.options != nullptr) roff += roffOptions(command.options());
        if (command.unitOptions) roff += ".PP\nTakes the unit options.\n";
    }
    return roff;
}

std::string examples() {
    std::string text;
    for (const Command& command : commands()) text += std::string(splitExample(command.help).second) + "\n";
    return roffText(text);
}

// The names of the options that take a value, for counting a command's words.
std::string valueNames(const std::vector<options::OptionText>& options) {
    std::string names;
    for (const options::OptionText& option : options) {
        if (option.value.empty()) continue;
        names += (names.empty() ? "" : " ") + std::string(option.name);
        if (!option.shortName.empty()) names += " " + std::string(option.shortName);
    }
    return names;
}

std::string commandNames() {
    std::string names;
    for (const Command& command : commands()) names += (names.empty() ? "" : " ") + std::string(command.name);
    return names;
}

std::string commandArm(const Command& command) {
    const std::vector<options::OptionText> own = commandOptions(command);
    std::string arm = "        " + std::string(command.name) + ")\n";
    arm += "            case $prev in\n" + options::bashValueArms(own) + "            esac\n";
    arm += "            if [[ $cur == -* ]]; then\n";
    arm += "                _zat_words '" + options::bashNames(own) + "'\n                return\n            fi\n";
    arm += "            _zat_position '" + valueNames(own) + "'\n";
    arm += "            case $position in\n";
    const std::vector<options::Completion> words = options::synopsisWords(command.synopsis);
    for (std::size_t at = 0; at < words.size(); ++at)
        arm += "                " + std::to_string(at) + ") " + options::bashCompleting(words[at]) + " ;;\n";
    arm += "            esac ;;\n";
    return arm;
}

}  // namespace

std::string zatctlManual(std::string_view version) {
    const std::vector<options::OptionText> global = options::textsOf(globalOptionTable());
    const std::vector<options::OptionText> unit = options::textsOf(unitOptionTable());
    return options::manPage({
        .name = "zatctl",
        .version = version,
        .summary = "command-line tool of the ZAT V2 setup utility",
        .sections =
            {
                {"SYNOPSIS",
                 "\\fBzatctl\\fR [\\fIOPTIONS\\fR] \\fICOMMAND\\fR [\\fIARGS\\fR...]\n.br\n"
                 "\\fBzatctl help\\fR \\fICOMMAND\\fR\n"},
                {"DESCRIPTION", roffText("zatctl does from a terminal what the ZAT Setup window does: it writes,\n"
                                         "shows and lists configuration databases (.zat files), sends them to a\n"
                                         "ZAT V2 unit and reads them back, saves and restores its working\n"
                                         "registers (.reg) and calibration constants (.cal), and watches the\n"
                                         "running unit. Messages go to standard error as \"caption: text\".\n")},
                {"OPTIONS", roffOptions(global)},
                {"COMMANDS", commandSections()},
                {"UNIT OPTIONS",
                 roffText("The commands that talk to the unit take these options; each overrides the\n"
                          "database's setting for this run only.\n") +
                     roffOptions(unit) +
                     roffText("\nSettings taken from the database must pass the same checks (port 1..99,\n"
                              "its time out 0.001..60 s); one that does not stops the command.\n")},
                {"EXIT STATUS",
                 ".TP\n.B 0\nsuccess\n.TP\n.B 1\nthe unit did not answer or a transfer failed\n"
                 ".TP\n.B 2\nusage or file error\n"},
                {"ENVIRONMENT",
                 ".TP\n.B ZAT_COM\\fIn\\fR\nthe device of COM port \\fIn\\fR; without it, port \\fIn\\fR is "
                 "/dev/ttyS\\fIn\\-1\\fR\n"},
                {"EXAMPLES", examples()},
                {"SEE ALSO", "\\fBzatsetup\\fR(1), \\fBzat\\-unit\\-sim\\fR(1)\n"},
            },
    });
}

std::string zatctlCompletion() {
    const std::vector<options::OptionText> global = options::textsOf(globalOptionTable());
    std::string script = "# bash completion for zatctl, written from its option tables by the build\n" +
                         options::bashHelpers() +
                         "# The number of the command's words before the current one, options and\n"
                         "# their values (options named in $1) not counted.\n"
                         "_zat_position() {\n"
                         "    local i skip=\n"
                         "    position=0\n"
                         "    for ((i = at + 1; i < COMP_CWORD; i++)); do\n"
                         "        if [[ -n $skip ]]; then skip=; continue; fi\n"
                         "        if [[ \" $1 \" == *\" ${COMP_WORDS[i]} \"* ]]; then skip=1; continue; fi\n"
                         "        [[ ${COMP_WORDS[i]} == -* ]] || position=$((position + 1))\n"
                         "    done\n"
                         "}\n"
                         "_zatctl() {\n"
                         "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
                         "    local command= at=0 i position\n"
                         "    COMPREPLY=()\n"
                         "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
                         "        case ${COMP_WORDS[i]} in\n"
                         "            -*) ;;\n"
                         "            *) command=${COMP_WORDS[i]}; at=$i; break ;;\n"
                         "        esac\n"
                         "    done\n"
                         "    if [[ -z $command ]]; then\n"
                         "        if [[ $cur == -* ]]; then\n"
                         "            _zat_words '" +
                         options::bashNames(global) +
                         "'\n"
                         "        else\n"
                         "            _zat_words 'help " +
                         commandNames() +
                         "'\n"
                         "        fi\n"
                         "        return\n"
                         "    fi\n"
                         "    case $command in\n"
                         "        help)\n"
                         "            [[ $COMP_CWORD -eq $((at + 1)) ]] && _zat_words '" +
                         commandNames() + "' ;;\n";
    for (const Command& command : commands()) script += commandArm(command);
    return script + "    esac\n}\ncomplete -F _zatctl zatctl\n";
}

}  // namespace zat::cli
