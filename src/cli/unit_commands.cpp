#include "cli/unit_commands.h"

#include "cli/unit_session.h"
#include "comms/unit_items.h"

#include <cstdio>
#include <string>

namespace zat::cli {

namespace {

const char* cardName(std::uint16_t code) {
    switch (code) {
        case 0:
            return "empty";
        case 1:
        case 2:
            return "analog input card";
        case 3:
            return "thermocouple input card";
        case 4:
        case 5:
            return "analog output card";
        case 6:
            return "digital input card";
        case 7:
            return "digital output card";
        default:
            return "unknown card";
    }
}

// Takes the unit options; anything else left over is a usage error.
std::optional<int> unitOptionsOnly(Context& context, std::vector<std::string> args, UnitOptions& options,
                                   const char* synopsis) {
    if (const auto problem = takeUnitOptions(args, options)) {
        std::fprintf(context.err, "zatctl: %s\n", problem->c_str());
        return kExitUsage;
    }
    if (!args.empty()) {
        std::fprintf(context.err, "usage: zatctl %s\n", synopsis);
        return kExitUsage;
    }
    return std::nullopt;
}

}  // namespace

int runProbe(Context& context, const std::vector<std::string>& args) {
    UnitOptions options;
    if (const auto status = unitOptionsOnly(context, args, options, "probe [UNIT OPTIONS]")) return *status;
    UnitSession session(context);
    if (const auto status = session.open(options)) return *status;

    if (failed(session.protocol.checkUnit(true))) return kExitUnitFailure;
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
    return kExitOk;
}

}  // namespace zat::cli
