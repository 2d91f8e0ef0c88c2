#include "cli/transfer_commands_cli.h"

#include "calibration/calibration_file.h"
#include "cli/command_args.h"
#include "cli/each_unit.h"
#include "cli/unit_session.h"
#include "commands/changes_command.h"
#include "commands/transfer_commands.h"
#include "model/database_file.h"

#include <cstdio>
#include <filesystem>

namespace zat::cli {

namespace {

constexpr const char* kCalibrationExtension = ".cal";

// export --since: OLD.zat is what the unit holds; only the fields in which
// the database differs from it are checked on the unit and written.
UnitRun exportChangesSince(Context& context, const ConfigDatabase& db, const ConfigDatabase& old,
                           const std::string& oldPath, UnitSession& session) {
    // Both stand for the unit the session reaches.
    ConfigDatabase sending = db;
    sending.comms = session.db.comms;
    UnitImage image;
    image.transferred(UnitPlace::of(sending.comms), kAllTransferGroups, old);
    if (!image.differsFrom(sending)) {
        // Nothing to send, but the unit is there to receive nothing.
        if (failed(session.protocol.checkUnit(false))) return UnitRun{kExitUnitFailure, "failed"};
        std::fprintf(context.out, "nothing to export\n");
        return UnitRun{kExitOk, "nothing to export"};
    }
    const ChangesExport changes = exportChangesCommand(sending, image, session.protocol, context.io);
    switch (changes.outcome) {
        case ChangesOutcome::Nothing:
        case ChangesOutcome::Done:
            std::fprintf(context.out, changes.fields == 1 ? "%zu field exported\n" : "%zu fields exported\n",
                         changes.fields);
            return UnitRun{kExitOk, "exported " + std::to_string(changes.fields)};
        case ChangesOutcome::UnitChanged:
            std::fprintf(context.err, "zatctl: the unit does not hold what %s says; nothing was written\n",
                         oldPath.c_str());
            return UnitRun{kExitDiffer, "unit changed"};
        case ChangesOutcome::GaveUp:
            break;
    }
    std::fprintf(context.err, "zatctl: export of the changes given up; the unit may hold part of them\n");
    return UnitRun{kExitUnitFailure, "failed"};
}

}  // namespace

int runExport(Context& context, const std::vector<std::string>& args) {
    CommandArgs parsed;
    if (const auto status = takeCommandArgs(context, args, kExportOptions, kExportSynopsis, parsed)) return *status;
    // Read before the port is opened, so a file problem costs the unit nothing.
    // The session reads the file again, for its communication settings only.
    ConfigDatabase db;
    if (!loadExisting(context, db, parsed.files[0])) return kExitUsage;
    ConfigDatabase old;
    if (parsed.since && parsed.groups != kAllTransferGroups) {
        // The changes are found in every group; a choice of some would hide the others'.
        std::fprintf(context.err, "zatctl: --since takes no --groups\nusage: zatctl %s\n", kExportSynopsis);
        return kExitUsage;
    }
    if (parsed.since && !loadExisting(context, old, *parsed.since)) return kExitUsage;

    return forEachUnit(context, withSettingsOf(parsed.files[0], parsed.unit), parsed.csv, [&](const UnitOptions& one) {
        UnitSession session(context);
        if (const auto status = session.open(one)) return UnitRun{*status, "port not opened"};
        answerTransferFailures(context, parsed.retries, false);
        if (parsed.since) return exportChangesSince(context, db, old, *parsed.since, session);
        if (exportCommand(db, parsed.groups, session.protocol, context.io) == TransferOutcome::GaveUp) {
            std::fprintf(context.err, "zatctl: export given up; the unit may hold part of the configuration\n");
            return UnitRun{kExitUnitFailure, "failed"};
        }
        return UnitRun{kExitOk, "exported"};
    });
}

int runImport(Context& context, const std::vector<std::string>& args) {
    CommandArgs parsed;
    if (const auto status =
            takeCommandArgs(context, args, kImportOptions,
                            "import DB.zat [--groups LIST] [--retry N] [-o OUT.zat] [UNIT OPTIONS]", parsed))
        return *status;
    const std::string& path = parsed.files[0];
    const std::string target = parsed.output.value_or(path);
    // The groups not imported keep what the file holds.
    ConfigDatabase db;
    std::error_code error;
    const bool existing = std::filesystem::exists(path, error);
    if (existing) {
        if (!loadExisting(context, db, path)) return kExitUsage;
    } else {
        db.clear();
    }
    // Found out before the transfer, not after it.
    if (!checkWritable(context, target)) return kExitUsage;

    UnitSession session(context);
    if (const auto status = session.open(existing ? withSettingsOf(path, parsed.unit) : parsed.unit)) return *status;
    // A new file gets the settings the unit just answered on.
    if (!existing) db.comms = session.db.comms;
    answerTransferFailures(context, parsed.retries, false);
    if (importCommand(db, parsed.groups, session.protocol, context.io) == TransferOutcome::GaveUp) {
        // A half-imported configuration must not replace the file.
        std::fprintf(context.err, "zatctl: import given up; nothing was saved to %s\n", target.c_str());
        return kExitUnitFailure;
    }
    return succeeded(saveDatabase(db, target, context.io)) ? kExitOk : kExitUsage;
}

int runSaveCalibration(Context& context, const std::vector<std::string>& args) {
    CommandArgs parsed;
    if (const auto status = takeCommandArgs(context, args, kSaveCalibrationOptions,
                                            "save-cal FILE.cal [--retry N] [UNIT OPTIONS]", parsed))
        return *status;
    const std::string& path = parsed.files[0];
    if (!checkExtension(context, path, kCalibrationExtension)) return kExitUsage;
    if (!checkWritable(context, path)) return kExitUsage;

    UnitSession session(context);
    if (const auto status = session.open(parsed.unit)) return *status;
    answerTransferFailures(context, parsed.retries, false);
    ConfigDatabase calibration;
    if (readCalibrationCommand(calibration, session.protocol, context.io) == TransferOutcome::GaveUp) {
        std::fprintf(context.err, "zatctl: calibration read given up; no file written\n");
        return kExitUnitFailure;
    }
    return succeeded(writeCalibrationFile(calibration, path, context.io.prompts)) ? kExitOk : kExitUsage;
}

int runRestoreCalibration(Context& context, const std::vector<std::string>& args) {
    CommandArgs parsed;
    if (const auto status =
            takeCommandArgs(context, args, kRestoreCalibrationOptions,
                            "restore-cal FILE.cal [--retry N] [--ignore-errors] [UNIT OPTIONS]", parsed))
        return *status;
    const std::string& path = parsed.files[0];
    if (!checkExtension(context, path, kCalibrationExtension)) return kExitUsage;
    if (!checkReadable(context, path)) return kExitUsage;
    ConfigDatabase calibration;
    if (const CalibrationFileRead read = readCalibrationConstants(path, calibration); !read.ok()) {
        std::fprintf(context.err, "zatctl: %s\n", read.error.c_str());
        return kExitUsage;
    }

    UnitSession session(context);
    if (const auto status = session.open(parsed.unit)) return *status;
    answerTransferFailures(context, parsed.retries, parsed.ignoreErrors);
    switch (writeCalibrationCommand(calibration, session.protocol, context.io)) {
        case TransferOutcome::Done:
            return kExitOk;
        case TransferOutcome::DoneIgnoringErrors:
            std::fprintf(context.err,
                         "zatctl: calibration written with failed writes ignored; "
                         "the constants that failed keep their old values on the unit\n");
            return kExitOk;
        case TransferOutcome::GaveUp:
            break;
    }
    std::fprintf(context.err, "zatctl: calibration restore given up; the unit may hold part of it\n");
    return kExitUnitFailure;
}

}  // namespace zat::cli
