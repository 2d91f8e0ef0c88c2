#include "commands/app_options.h"

namespace zat {

namespace {

// --print and --pdf come together, and name the database to print; --paper
// goes with them.
std::string checkPrintOptions(const AppOptions& options) {
    if (options.print && !options.pdf) return "--print needs --pdf OUT.pdf";
    if (options.pdf && !options.print) return "--pdf needs --print io|if";
    if (options.paper && !options.print) return "--paper needs --print io|if";
    if (options.print && !options.database) return "--print needs the database file to print";
    return {};
}

using Problem = std::optional<std::string>;

using options::setting;

const options::OptionTable<AppOptions> kAppOptions = {
    {.name = "--simulate",
     .help = "run a simulated ZAT V2 inside the program and talk to it\n"
             "instead of a serial port, to try every command without a unit",
     .take = setting(&AppOptions::simulate)},
    {.name = "--exit-when-shown",
     .help = "quit as soon as the window is up (times the start-up)",
     .take = setting(&AppOptions::exitWhenShown)},
    {.name = "--print",
     .value = "io|if",
     .help = "write the I/O listing (io) or the IF block listing (if) of\n"
             "DATABASE.zat to the PDF file named by --pdf, without a\n"
             "window, portrait; exit status 2 if it cannot be written",
     .take = [](AppOptions& options, const std::string& text) -> Problem {
         options.print = parseListing(text);
         if (!options.print) return "--print takes io or if";
         return std::nullopt;
     },
     .completion = options::oneOf("io|if"),
     .missing = "--print takes io or if"},
    {.name = "--pdf",
     .value = "OUT.pdf",
     .help = "the PDF file --print writes",
     .take = [](AppOptions& options, const std::string& text) -> Problem {
         options.pdf = text;
         return std::nullopt;
     },
     .completion = options::filesLike(".pdf"),
     .missing = "--pdf needs a file name"},
    {.name = "--paper",
     .value = "a4|letter",
     .help = "the paper of that PDF file (default: Letter where the\n"
             "locale measures in inches, else A4)",
     .take = [](AppOptions& options, const std::string& text) -> Problem {
         options.paper = parsePaper(text);
         if (!options.paper) return "--paper takes a4 or letter";
         return std::nullopt;
     },
     .completion = options::oneOf("a4|letter"),
     .missing = "--paper takes a4 or letter"},
    {.name = "--version", .help = "print the version", .take = setting(&AppOptions::version)},
    {.name = "--help", .shortName = "-h", .help = "print this help", .take = setting(&AppOptions::help)},
};

}  // namespace

const options::OptionTable<AppOptions>& appOptionTable() { return kAppOptions; }

AppOptionsResult parseAppOptions(const std::vector<std::string>& args) {
    AppOptionsResult result;
    bool filesOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!filesOnly) {
            const options::Taken taken = options::takeOption(kAppOptions, args, i, result.options);
            if (taken.status == options::Taken::Status::Taken) continue;
            if (taken.status != options::Taken::Status::NotAnOption) {
                result.error = taken.problem;
                return result;
            }
        }
        if (!filesOnly && arg == "--") {
            filesOnly = true;
        } else if (!filesOnly && arg.size() > 1 && arg[0] == '-') {
            result.error = "unknown option " + arg;
            return result;
        } else if (!result.options.database) {
            result.options.database = arg;
        } else {
            result.error = "only one database file can be given (" + arg + ")";
            return result;
        }
    }
    result.error = checkPrintOptions(result.options);
    return result;
}

std::string appUsage() {
    return "usage: zatsetup [--simulate] [DATABASE.zat]\n"
           "       zatsetup --print io|if --pdf OUT.pdf [--paper a4|letter] DATABASE.zat\n"
           "\n" +
           appDescription() + "\n" + options::optionHelp(options::textsOf(kAppOptions), 19) + "\n" + appNotes();
}

std::string appDescription() {
    return "The ZAT V2 setup utility. Loads DATABASE.zat (default ./Default.zat) and\n"
           "opens the serial port its communication settings name.\n";
}

std::string appNotes() {
    return "Port n is /dev/ttyS<n-1> unless ZAT_COM<n> names another device.\n"
           "Without a display, zatctl does the same work from a terminal (zatctl --help).\n";
}

std::optional<std::string> noDisplayMessage(const char* platform, const char* display, const char* wayland) {
    const auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
    if (set(platform) || set(display) || set(wayland)) return std::nullopt;
    return "zatsetup: no display to show its window on (neither DISPLAY nor WAYLAND_DISPLAY is set); "
           "use the command-line tool zatctl instead (zatctl --help)";
}

}  // namespace zat
