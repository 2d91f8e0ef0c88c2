#include "cli/unit_commands.h"

#include "cli/each_unit.h"
#include "cli/unit_session.h"
#include "comms/bus_scan.h"
#include "comms/unit_items.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace zat::cli {

namespace {

constexpr const char* kProbeSynopsis = "probe [--csv] [UNIT OPTIONS]";

// Takes the unit options and --csv; anything else left over is a usage error.
std::optional<int> unitOptionsOnly(Context& context, std::vector<std::string> args, UnitOptions& options, bool& csv,
                                   const char* synopsis) {
    if (const auto problem = takeUnitOptions(args, options)) {
        std::fprintf(context.err, "zatctl: %s\n", problem->c_str());
        return kExitUsage;
    }
    const auto csvAt = std::find(args.begin(), args.end(), "--csv");
    csv = csvAt != args.end();
    if (csv) args.erase(csvAt);
    if (!args.empty()) {
        std::fprintf(context.err, "usage: zatctl %s\n", synopsis);
        return kExitUsage;
    }
    return std::nullopt;
}

UnitRun probeOne(Context& context, const UnitOptions& options) {
    UnitSession session(context);
    if (const auto status = session.open(options)) return UnitRun{*status, "port not opened"};

    if (failed(session.protocol.checkUnit(true))) return UnitRun{kExitUnitFailure, "no answer"};
    const CommsSettings& comms = session.db.comms;
    std::fprintf(context.out, "ZAT at address %d answered on %s (%d baud).\n", comms.address,
                 session.link.devicePath().c_str(), comms.baudRate);
    // The page selection's own result is not used.
    (void)session.protocol.selectPage(kConfigPage);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        std::uint16_t code = 0;
        if (failed(session.protocol.readHexIndexed(kCardCodeItem, slot, code))) {
            std::fprintf(context.out, "Slot %d: no answer\n", slot + 1);
        } else {
            std::fprintf(context.out, "Slot %d: %s (code %u)\n", slot + 1, cardName(code), static_cast<unsigned>(code));
        }
    }
    return UnitRun{kExitOk, "answered"};
}

}  // namespace

int runProbe(Context& context, const std::vector<std::string>& args) {
    UnitOptions options;
    bool csv = false;
    if (const auto status = unitOptionsOnly(context, args, options, csv, kProbeSynopsis)) return *status;
    return forEachUnit(context, options, csv, [&](const UnitOptions& one) { return probeOne(context, one); });
}

}  // namespace zat::cli
