#include "cli/unit_session.h"

#include "commands/link_report.h"
#include "comms/comms_entries.h"
#include "model/database_file.h"

#include <cstdio>
#include <filesystem>

namespace zat::cli {

std::optional<int> exitStatusFor(const LinkReason& reason) {
    if (reason.ok() || reason.portKept()) return std::nullopt;
    // An address that cannot be read is a mistake in the command; the rest
    // are the unit's line failing.
    return reason.failure == LinkFailure::BadAddress ? kExitUsage : kExitUnitFailure;
}

UnitSession::UnitSession(Context& context)
    : protocol(link, db.comms, context.io.prompts, context.io.beep), context_(context) {
    link.setTraffic(context.traffic);
}

std::optional<int> UnitSession::open(const UnitOptions& options) {
    if (options.addresses.size() > 1) {
        std::fprintf(context_.err, "zatctl: --address takes a list only for export, verify and probe\n");
        return kExitUsage;
    }
    db.clear();
    db.comms = CommsSettings{};
    // Without a default database here, the program's start-up settings apply;
    // a database that is named or present must be read, or its settings are unknown.
    if (options.databaseGiven || std::filesystem::exists(options.database)) {
        // Only its settings are wanted: no progress for that.
        SilentProgress quiet;
        Context settingsOnly{UserIo{context_.io.prompts, context_.io.beep, context_.io.status, quiet, context_.io.files,
                                    context_.io.cursor},
                             context_.out, context_.err, context_.verbose};
        if (!loadExisting(settingsOnly, db, options.database)) return kExitUsage;
    }
    applyOverrides(options, db.comms);
    // The options were checked as they were read; what still comes from the
    // file must pass the same rules before the port is opened with it.
    const CommsSettingsCheck check = checkCommsSettings(db.comms, options.database, overridesOf(options));
    if (!check.ok()) {
        std::fprintf(context_.err, "zatctl: %s\n", check.error.c_str());
        return kExitUsage;
    }
    link.setOptions(linkOptions(options));
    const LinkReason reason = link.openPort(db.comms);
    showLinkReason(reason, context_.io.prompts);
    return exitStatusFor(reason);
}

}  // namespace zat::cli
