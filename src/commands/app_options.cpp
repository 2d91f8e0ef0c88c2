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

}  // namespace

AppOptionsResult parseAppOptions(const std::vector<std::string>& args) {
    AppOptionsResult result;
    bool filesOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool valueFollows = i + 1 < args.size();
        if (!filesOnly && arg == "--print") {
            result.options.print = valueFollows ? parseListing(args[++i]) : std::nullopt;
            if (!result.options.print) {
                result.error = "--print takes io or if";
                return result;
            }
        } else if (!filesOnly && arg == "--pdf") {
            if (!valueFollows) {
                result.error = "--pdf needs a file name";
                return result;
            }
            result.options.pdf = args[++i];
        } else if (!filesOnly && arg == "--paper") {
            result.options.paper = valueFollows ? parsePaper(args[++i]) : std::nullopt;
            if (!result.options.paper) {
                result.error = "--paper takes a4 or letter";
                return result;
            }
        } else if (!filesOnly && arg == "--log") {
            if (!valueFollows) {
                result.error = "--log needs a file name";
                return result;
            }
            result.options.logFile = args[++i];
        } else if (!filesOnly && arg == "--") {
            filesOnly = true;
        } else if (!filesOnly && arg == "--simulate") {
            result.options.simulate = true;
        } else if (!filesOnly && arg == "--exit-when-shown") {
            result.options.exitWhenShown = true;
        } else if (!filesOnly && (arg == "--help" || arg == "-h")) {
            result.options.help = true;
        } else if (!filesOnly && arg == "--version") {
            result.options.version = true;
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
    return "usage: zatsetup [--simulate] [--log FILE] [DATABASE.zat]\n"
           "       zatsetup --print io|if --pdf OUT.pdf [--paper a4|letter] DATABASE.zat\n"
           "\n"
           "The ZAT V2 setup utility. Loads DATABASE.zat (default ./Default.zat) and\n"
           "opens the serial port its communication settings name.\n"
           "\n"
           "  --simulate         run a simulated ZAT V2 inside the program and talk to it\n"
           "                     instead of a serial port, to try every command without a unit\n"
           "  --log FILE         append every request and reply with its time to FILE\n"
           "                     (exit status 2 if FILE cannot be written)\n"
           "  --exit-when-shown  quit as soon as the window is up (times the start-up)\n"
           "  --print io|if      write the I/O listing (io) or the IF block listing (if) of\n"
           "                     DATABASE.zat to the PDF file named by --pdf, without a\n"
           "                     window, portrait; exit status 2 if it cannot be written\n"
           "  --paper a4|letter  the paper of that PDF file (default: Letter where the\n"
           "                     locale measures in inches, else A4)\n"
           "  --version          print the version\n"
           "  --help             print this help\n"
           "\n"
           "Port n is /dev/ttyS<n-1> unless ZAT_COM<n> names another device.\n"
           "Without a display, zatctl does the same work from a terminal (zatctl --help).\n";
}

std::optional<std::string> noDisplayMessage(const char* platform, const char* display, const char* wayland) {
    const auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
    if (set(platform) || set(display) || set(wayland)) return std::nullopt;
    return "zatsetup: no display to show its window on (neither DISPLAY nor WAYLAND_DISPLAY is set); "
           "use the command-line tool zatctl instead (zatctl --help)";
}

}  // namespace zat
