#include "cli/scan_command.h"

#include "cli/unit_options.h"
#include "cli/unit_session.h"
#include "commands/link_report.h"
#include "comms/address_list.h"
#include "comms/bus_scan.h"

#include <cstdio>
#include <optional>

namespace zat::cli {

const char* const kScanSynopsis =
    "scan [--addresses LIST] [--baud LIST|all] [--timeout-ms N] [--csv] [--device PATH | --port N]";

const char* const kScanHelp =
    "Looks for units on the line: asks each address at each baud rate whether it\n"
    "is there (the probe every transfer starts with, once, without retries) and\n"
    "reads the card codes of the five slots of each unit that answers. Prints one\n"
    "line per unit found.\n"
    "\n"
    "The line is named as for the other unit commands: --device PATH, --port N,\n"
    "--db FILE.zat (whose settings give the port and the default rate), --rs485.\n"
    "\n"
    "Exit status 0 when a unit was found, 1 when none answered, 2 on a usage\n"
    "error (nothing is sent then).\n"
    "\n"
    "Example:\n"
    "  zatctl scan --baud all --device /dev/ttyUSB0\n";

std::vector<options::OptionText> scanOptionTexts() {
    return {
        {.name = "--addresses", .value = "LIST", .help = "addresses to try: 0-99 (default), or a list: 1,5,10-20"},
        {.name = "--baud",
         .value = "LIST|all",
         .help = "rates to try: the settings' rate (default), a list such\nas 9600,19200, or all five",
         .completion = options::oneOf("all|1200|2400|4800|9600|19200")},
        {.name = "--timeout-ms",
         .value = "N",
         .help = "reply timeout per address (default: what a reply needs\nat the rate plus 20 ms, 31 ms at 9600 baud)"},
        {.name = "--csv",
         .help = "write \"address,baud,slot1,...,slot5\" and one line per\nunit, the slots as card codes (empty when "
                 "not read)"},
    };
}

namespace {

struct ScanArgs {
    UnitOptions unit;
    NumberListParse addresses = parseAddressList("0-99");
    std::optional<NumberListParse> baudRates;
    bool csv = false;
};

// The line options of the unit commands (not the address, rate or timeout,
// which mean lists and the scan's own timeout here) and the scan's own.
std::optional<std::string> parseScanArgs(const std::vector<std::string>& args, ScanArgs& parsed) {
    std::vector<std::string> line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--csv") {
            parsed.csv = true;
            continue;
        }
        const bool own = arg == "--addresses" || arg == "--baud" || arg == "--timeout-ms";
        const bool lineOption = arg == "--device" || arg == "--port" || arg == "--db";
        if (arg == "--rs485") {
            line.push_back(arg);
        } else if (!own && !lineOption) {
            return arg.starts_with("-") ? "unknown option '" + arg + "'" : "unexpected '" + arg + "'";
        } else if (i + 1 >= args.size()) {
            return arg + " needs a value";
        } else if (lineOption) {
            line.push_back(arg);
            line.push_back(args[++i]);
        } else {
            const std::string& value = args[++i];
            const std::string bad = "bad value '" + value + "' for " + arg;
            if (arg == "--addresses") {
                parsed.addresses = parseAddressList(value);
                if (!parsed.addresses.ok()) return bad + ": " + parsed.addresses.error;
            } else if (arg == "--baud") {
                parsed.baudRates = parseBaudList(value);
                if (!parsed.baudRates->ok()) return bad + ": " + parsed.baudRates->error;
            } else if (!(parsed.unit.timeoutMs = wholeNumber<std::uint32_t>(value, 1, 600'000))) {
                return bad + " (1..600000)";
            }
        }
    }
    const std::optional<std::uint32_t> timeout = parsed.unit.timeoutMs;
    if (auto problem = takeUnitOptions(line, parsed.unit)) return problem;
    parsed.unit.timeoutMs = timeout;
    return std::nullopt;
}

void printUnit(Context& context, const FoundUnit& unit, bool csv) {
    if (context.consoleProgress != nullptr) context.consoleProgress->breakLine();
    if (csv) {
        std::fprintf(context.out, "%d,%d", unit.address, unit.baudRate);
        for (const auto& code : unit.cardCodes)
            std::fprintf(context.out, code ? ",%u" : ",", code ? static_cast<unsigned>(*code) : 0U);
        std::fputc('\n', context.out);
    } else {
        std::fprintf(context.out, "Address %d at %d baud:", unit.address, unit.baudRate);
        for (std::size_t slot = 0; slot < unit.cardCodes.size(); ++slot) {
            const auto& code = unit.cardCodes[slot];
            std::fprintf(context.out, "%s %s", slot == 0 ? "" : ",", code ? cardName(*code) : "no answer");
        }
        std::fputc('\n', context.out);
    }
    std::fflush(context.out);
}

}  // namespace

int runScan(Context& context, const std::vector<std::string>& args) {
    ScanArgs parsed;
    if (const auto problem = parseScanArgs(args, parsed)) {
        std::fprintf(context.err, "zatctl: %s\nusage: zatctl %s\n", problem->c_str(), kScanSynopsis);
        return kExitUsage;
    }
    UnitSession session(context);
    if (const auto status = session.open(parsed.unit)) return *status;
    const ScanPlan plan{
        .addresses = parsed.addresses.values,
        .baudRates = parsed.baudRates ? parsed.baudRates->values : std::vector<int>{session.db.comms.baudRate},
        .timeoutMs = parsed.unit.timeoutMs,
    };
    if (parsed.csv) std::fputs("address,baud,slot1,slot2,slot3,slot4,slot5\n", context.out);
    const ScanResult result = scanBus(session.link, session.db.comms, plan, context.io.prompts, context.io.progress,
                                      [&](const FoundUnit& unit) { printUnit(context, unit, parsed.csv); });
    if (!result.failure.ok()) {
        showLinkReason(result.failure, context.io.prompts);
        if (const auto status = exitStatusFor(result.failure)) return *status;
    }
    if (result.units.empty()) {
        std::fprintf(context.err, "zatctl: no unit answered\n");
        return kExitUnitFailure;
    }
    return kExitOk;
}

}  // namespace zat::cli
