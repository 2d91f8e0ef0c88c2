#include "commands/transfer_commands.h"

#include "calibration/calibration_transfer.h"
#include "comms/config_transfer.h"
#include "comms/register_file.h"

#include <functional>

namespace zat {
namespace {

// "ocurred" is kept as the unit's users know these messages.
constexpr char kSetupFailure[] = "An error has ocurred during setup Transfer.";
constexpr char kCalibrationFailure[] = "An error has ocurred during calibration data transfer.";
constexpr char kRegisterFailure[] = "An error has occurred during register data transfer.";
constexpr char kExportIncomplete[] = "Export incomplete: the unit holds part of the configuration.";

// What a transfer's Ignore means: it ends the transfer (with a note, where
// the transfer leaves something half done), or runs it once more ignoring
// errors.
struct IgnoreAnswer {
    bool runsAgain = false;
    const char* note = nullptr;  // shown when Ignore ends the transfer
};

Answer askAfterFailure(Prompts& prompts, const char* text) {
    return prompts.show(text, "Transfer Failure", MessageIcon::Stop, MessageButtons::AbortRetryIgnore);
}

// Runs the transfer (its argument: whether to ignore errors) and asks after
// each failure: Retry runs it again from the beginning, Abort gives up, and
// Ignore either gives up too or runs it once more ignoring errors.
TransferOutcome untilDone(Prompts& prompts, const char* failureText, const std::function<Outcome(bool)>& transfer,
                          IgnoreAnswer ignore = {}) {
    bool ignoring = false;
    Outcome outcome = transfer(false);
    while (failed(outcome)) {
        switch (askAfterFailure(prompts, failureText)) {
            case Answer::Retry:
                ignoring = false;
                break;
            case Answer::Ignore:
                if (!ignore.runsAgain) {
                    // Ignore sounds like going on; the user must not take the end for success.
                    if (ignore.note != nullptr)
                        prompts.show(ignore.note, "Warning", MessageIcon::Exclamation, MessageButtons::Ok);
                    return TransferOutcome::GaveUp;
                }
                ignoring = true;
                break;
            default:
                return TransferOutcome::GaveUp;
        }
        outcome = transfer(ignoring);
    }
    return ignoring ? TransferOutcome::DoneIgnoringErrors : TransferOutcome::Done;
}

TransferOutcome exportCourse(const std::function<Outcome()>& transfer, const UserIo& io) {
    StatusTextSession status(io.status, "Exporting database....");
    return untilDone(
        io.prompts, kSetupFailure, [&](bool) { return transfer(); }, IgnoreAnswer{.note = kExportIncomplete});
}

TransferOutcome importCourse(ConfigDatabase& db, const std::function<Outcome()>& transfer, const UserIo& io) {
    StatusTextSession status(io.status, "Importing database....");
    // Given up half-way, the database would hold a mixture of the unit's
    // values and its own that nobody chose, ready to be saved: it goes back
    // to what it was. A whole import is a change to be saved.
    const ConfigDatabase before = db;
    const TransferOutcome outcome = untilDone(io.prompts, kSetupFailure, [&](bool) { return transfer(); });
    if (outcome == TransferOutcome::GaveUp)
        db = before;
    else
        db.markModified();
    return outcome;
}

}  // namespace

TransferOutcome exportCommand(const ConfigDatabase& db, TransferGroups groups, UnitProtocol& protocol,
                              const UserIo& io) {
    return exportCourse([&] { return exportConfiguration(db, groups, protocol, io.progress); }, io);
}

TransferOutcome importCommand(ConfigDatabase& db, TransferGroups groups, UnitProtocol& protocol, const UserIo& io) {
    return importCourse(
        db, [&] { return importConfiguration(db, groups, protocol, io.progress); }, io);
}

TransferOutcome readForCompareCommand(ConfigDatabase& unit, TransferGroups groups, UnitProtocol& protocol,
                                      const UserIo& io) {
    StatusTextSession status(io.status, "Comparing database with unit....");
    return untilDone(io.prompts, kSetupFailure,
                     [&](bool) { return importConfiguration(unit, groups, protocol, io.progress); });
}

TransferOutcome readFieldsForCompareCommand(ConfigDatabase& unit, const FieldSelection& fields, UnitProtocol& protocol,
                                            const UserIo& io) {
    StatusTextSession status(io.status, "Comparing database with unit....");
    return untilDone(io.prompts, kSetupFailure,
                     [&](bool) { return importFields(unit, fields, protocol, io.progress); });
}

TransferOutcome exportFieldsCommand(const ConfigDatabase& db, const FieldSelection& fields, UnitProtocol& protocol,
                                    const UserIo& io) {
    return exportCourse([&] { return exportFields(db, fields, protocol, io.progress); }, io);
}

TransferOutcome importFieldsCommand(ConfigDatabase& db, const FieldSelection& fields, UnitProtocol& protocol,
                                    const UserIo& io) {
    return importCourse(
        db, [&] { return importFields(db, fields, protocol, io.progress); }, io);
}

std::vector<AddressOutcome> exportToEach(const ConfigDatabase& db, TransferGroups groups,
                                         const std::vector<int>& addresses, CommsSettings& settings,
                                         UnitProtocol& protocol, const UserIo& io) {
    const int own = settings.address;
    std::vector<AddressOutcome> outcomes;
    for (int address : addresses) {
        settings.address = address;
        outcomes.push_back(AddressOutcome{address, exportCommand(db, groups, protocol, io)});
    }
    settings.address = own;
    return outcomes;
}

void showExportSummary(Prompts& prompts, const std::vector<AddressOutcome>& outcomes) {
    std::string text;
    bool allDone = true;
    for (const AddressOutcome& o : outcomes) {
        const bool done = o.outcome != TransferOutcome::GaveUp;
        allDone = allDone && done;
        text += "Address " + std::to_string(o.address) + ": " + (done ? "exported" : "failed") + "\n";
    }
    text.pop_back();
    prompts.show(text, "Export", allDone ? MessageIcon::Information : MessageIcon::Exclamation, MessageButtons::Ok);
}

TransferOutcome readCalibrationCommand(ConfigDatabase& db, UnitProtocol& protocol, const UserIo& io) {
    StatusTextSession status(io.status, "Reading Calibration data....");
    return untilDone(io.prompts, kCalibrationFailure,
                     [&](bool) { return readCalibrationFromUnit(db, protocol, io.progress); });
}

TransferOutcome writeCalibrationCommand(const ConfigDatabase& db, UnitProtocol& protocol, const UserIo& io) {
    StatusTextSession status(io.status, "Writing Calibration data....");
    return untilDone(
        io.prompts, kCalibrationFailure,
        [&](bool ignoring) { return writeCalibrationToUnit(db, protocol, io.progress, ignoring); },
        IgnoreAnswer{.runsAgain = true});
}

TransferOutcome saveRegistersCommand(UnitProtocol& protocol, const std::string& path, const UserIo& io) {
    RegisterSave last = RegisterSave::Stopped;
    // Only a failure on the line is asked about; a probe or file failure has been told.
    const TransferOutcome outcome = untilDone(io.prompts, kRegisterFailure, [&](bool) {
        last = saveRegisters(protocol, path, io);
        return last == RegisterSave::LineFailed ? Outcome::Failed : Outcome::Ok;
    });
    return outcome == TransferOutcome::Done && last == RegisterSave::Saved ? TransferOutcome::Done
                                                                           : TransferOutcome::GaveUp;
}

}  // namespace zat
