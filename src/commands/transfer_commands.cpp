#include "commands/transfer_commands.h"

#include "calibration/calibration_transfer.h"
#include "comms/config_transfer.h"

#include <functional>

namespace zat {
namespace {

// "ocurred" is kept as the unit's users know these messages.
constexpr char kSetupFailure[] = "An error has ocurred during setup Transfer.";
constexpr char kCalibrationFailure[] = "An error has ocurred during calibration data transfer.";

Answer askAfterFailure(Prompts& prompts, const char* text) {
    return prompts.show(text, "Transfer Failure", MessageIcon::Stop, MessageButtons::AbortRetryIgnore);
}

// Runs the transfer (its argument: whether to ignore errors) and asks after
// each failure: Retry runs it again from the beginning, Abort gives up, and
// Ignore either gives up too or, where the transfer can ignore errors, runs
// it once more so.
TransferOutcome untilDone(Prompts& prompts, const char* failureText, const std::function<Outcome(bool)>& transfer,
                          bool ignoreRunsAgain) {
    bool ignoring = false;
    Outcome outcome = transfer(false);
    while (failed(outcome)) {
        switch (askAfterFailure(prompts, failureText)) {
            case Answer::Retry:
                ignoring = false;
                break;
            case Answer::Ignore:
                if (!ignoreRunsAgain) return TransferOutcome::GaveUp;
                ignoring = true;
                break;
            default:
                return TransferOutcome::GaveUp;
        }
        outcome = transfer(ignoring);
    }
    return ignoring ? TransferOutcome::DoneIgnoringErrors : TransferOutcome::Done;
}

}  // namespace

TransferOutcome exportCommand(const ConfigDatabase& db, TransferGroups groups, UnitProtocol& protocol,
                              const UserIo& io) {
    StatusTextSession status(io.status, "Exporting database....");
    return untilDone(
        io.prompts, kSetupFailure, [&](bool) { return exportConfiguration(db, groups, protocol, io.progress); }, false);
}

TransferOutcome importCommand(ConfigDatabase& db, TransferGroups groups, UnitProtocol& protocol, const UserIo& io) {
    StatusTextSession status(io.status, "Importing database....");
    return untilDone(
        io.prompts, kSetupFailure, [&](bool) { return importConfiguration(db, groups, protocol, io.progress); }, false);
}

TransferOutcome readCalibrationCommand(ConfigDatabase& db, UnitProtocol& protocol, const UserIo& io) {
    StatusTextSession status(io.status, "Reading Calibration data....");
    return untilDone(
        io.prompts, kCalibrationFailure, [&](bool) { return readCalibrationFromUnit(db, protocol, io.progress); },
        false);
}

TransferOutcome writeCalibrationCommand(const ConfigDatabase& db, UnitProtocol& protocol, const UserIo& io) {
    StatusTextSession status(io.status, "Writing Calibration data....");
    return untilDone(
        io.prompts, kCalibrationFailure,
        [&](bool ignoring) { return writeCalibrationToUnit(db, protocol, io.progress, ignoring); }, true);
}

}  // namespace zat
