#include "commands/shell_commands.h"

#include "calibration/calibration_file.h"
#include "commands/changes_command.h"
#include "commands/file_names.h"
#include "commands/link_report.h"
#include "commands/transfer_commands.h"
#include "comms/comms_entries.h"
#include "comms/register_file.h"
#include "model/database_file.h"
#include "model/profile_file.h"

namespace zat {

namespace {

FileDialogRequest databaseDialog(const ConfigDatabase& db, std::string title) {
    FileDialogRequest request;
    request.title = std::move(title);
    request.filter = "ZAT Files (*.zat)";
    request.defaultExtension = "ZAT";
    request.initialDirectory = db.directory;
    return request;
}

FileDialogRequest registerDialog(std::string title) {
    FileDialogRequest request;
    request.title = std::move(title);
    request.filter = "ZAT Register Files (*.reg)";
    request.defaultExtension = "REG";
    return request;  // in the current folder
}

FileDialogRequest calibrationDialog(const ConfigDatabase& db, std::string title) {
    FileDialogRequest request;
    request.title = std::move(title);
    request.filter = "ZAT Calibration Files (*.cal)";
    request.defaultExtension = "CAL";
    request.initialDirectory = db.directory;
    request.proposedName = withExtension(db.fileName, ".cal");
    return request;
}

}  // namespace

ShellCommands::ShellCommands(ConfigDatabase& db, UnitProtocol& protocol, ShellView& view, UserIo io)
    : db_(db), protocol_(protocol), view_(view), io_(io) {}

void ShellCommands::startUp() {
    db_.busy = true;
    DatabaseLoad outcome;
    {
        WaitCursorSession cursor(io_.cursor);
        outcome = loadDatabase(db_, db_.currentPath(), io_);
    }
    view_.updateTitle();
    // Only a missing file is a normal start (with the defaults); one that is
    // there but cannot be read is told as File > Open tells it.
    if (!outcome.fileRead && !outcome.missing) reportUnableToRead(io_.prompts, db_.currentPath(), outcome.reason);
    (void)reopenPort();  // a refusal has been shown; start-up goes on
    db_.modified = false;
    db_.busy = false;
}

bool ShellCommands::newDatabase() {
    const Answer answer = io_.prompts.showWithDefault("Start again with a clean ZAT Database ?", "Confirm",
                                                      MessageIcon::Question, MessageButtons::OkCancel, Answer::Cancel);
    if (answer != Answer::Ok) return false;
    db_.clear();
    return true;
}

bool ShellCommands::openDatabase() {
    const auto path = askFileName(databaseDialog(db_, "Select ZAT database file to open"), false, ".zat");
    if (!path) return false;
    // Unsaved edits are not dropped without a word.
    if (!mayReplaceDatabase()) return false;

    // Loaded aside first: a file that cannot be read must not leave an empty
    // configuration under its name, ready to be saved over it.
    ConfigDatabase loaded = db_;
    loaded.setCurrentFile(*path);
    loaded.clear();
    DatabaseLoad outcome;
    {
        WaitCursorSession cursor(io_.cursor);
        outcome = loadDatabase(loaded, *path, io_);
    }
    if (!outcome.fileRead) {
        reportUnableToRead(io_.prompts, *path, outcome.reason);
        return false;
    }
    db_ = loaded;
    (void)reopenPort();  // the file is open even when its settings are refused
    view_.updateTitle();
    db_.modified = false;
    return true;
}

Outcome ShellCommands::saveTo(const std::string& path) {
    WaitCursorSession cursor(io_.cursor);
    return saveDatabase(db_, path, io_);
}

// A failure has been shown and leaves `modified` set, which is what the
// callers look at.
void ShellCommands::save() { (void)saveTo(db_.currentPath()); }

bool ShellCommands::saveAs() {
    const auto path = askFileName(databaseDialog(db_, "Save ZAT Database As..."), true, ".zat");
    if (!path) return false;
    // A file that was not written does not become the current one.
    if (failed(saveTo(*path))) return false;
    db_.setCurrentFile(*path);
    view_.updateTitle();
    db_.modified = false;
    return true;
}

Answer ShellCommands::confirmDiscard() {
    const Answer answer = io_.prompts.show("ZAT Database: " + db_.fileName + "\n has not been saved!\nSave file now ?",
                                           "Confirm", MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == Answer::Yes) {
        save();
    } else if (answer == Answer::No) {
        db_.modified = false;
    }
    return answer;
}

bool ShellCommands::mayReplaceDatabase() {
    if (db_.modified && confirmDiscard() == Answer::Cancel) return false;
    // A save that failed leaves the changes unsaved: keep them.
    return !db_.modified;
}

bool ShellCommands::settingsUsable() {
    const CommsSettingsCheck check = checkCommsSettings(db_.comms, db_.currentPath());
    if (!check.ok()) io_.prompts.show(check.error, "Error", MessageIcon::Stop, MessageButtons::Ok);
    return check.ok();
}

Outcome ShellCommands::reopenPort() {
    // The port stays closed rather than open with the settings of the last
    // file: the protocol reads the address and retries from the model.
    if (!settingsUsable()) {
        view_.closePort();
        return Outcome::Failed;
    }
    image_.follow(UnitPlace::of(db_.comms));  // another unit's image says nothing of this one
    const LinkReason reason = view_.openPort();
    showLinkReason(reason, io_.prompts);
    return Outcome::Ok;
}

bool ShellCommands::canClose() {
    if (db_.busy) return false;
    return mayReplaceDatabase();
}

std::optional<std::string> ShellCommands::askFileToCompare() {
    return askFileName(databaseDialog(db_, "Select ZAT database file to compare with"), false, ".zat");
}

void ShellCommands::exportToUnit() {
    if (!settingsUsable()) return;
    // Several units are a deliberate choice each time: the settings' unit first.
    const TransferChoice choice = view_.chooseTransfer(
        TransferDirection::Export, TransferChoice{.groups = exportGroups_, .addresses = {db_.comms.address}});
    if (choice.groups == 0) return;
    exportGroups_ = choice.groups;
    UnitLink::OperationHold hold(protocol_.link());  // the monitors wait, then reload
    if (choice.addresses.size() <= 1) {
        const int settingsAddress = db_.comms.address;
        if (!choice.addresses.empty()) db_.comms.address = choice.addresses.front();
        // The image is of the unit written to.
        noteTransfer(choice.groups, db_, exportCommand(db_, choice.groups, protocol_, io_) == TransferOutcome::Done);
        db_.comms.address = settingsAddress;
        return;
    }
    image_.drop();  // an image is of one unit
    showExportSummary(io_.prompts, exportToEach(db_, choice.groups, choice.addresses, db_.comms, protocol_, io_));
}

void ShellCommands::exportChanges() {
    if (!settingsUsable()) return;
    UnitLink::OperationHold hold(protocol_.link());           // the monitors wait, then reload
    (void)exportChangesCommand(db_, image_, protocol_, io_);  // told, and the image follows
}

void ShellCommands::noteTransfer(TransferGroups groups, const ConfigDatabase& config, bool done) {
    if (done) {
        image_.transferred(UnitPlace::of(db_.comms), groups, config);
    } else {
        image_.drop();
    }
}

void ShellCommands::importFromUnit() {
    if (!settingsUsable()) return;
    const TransferGroups groups =
        view_.chooseTransfer(TransferDirection::Import, TransferChoice{.groups = importGroups_, .addresses = {}})
            .groups;
    if (groups == 0) return;
    importGroups_ = groups;
    if (!mayReplaceDatabase()) return;
    UnitLink::OperationHold hold(protocol_.link());  // the monitors wait, then reload
    noteTransfer(groups, db_, importCommand(db_, groups, protocol_, io_) == TransferOutcome::Done);
}

std::optional<std::string> ShellCommands::askFileName(FileDialogRequest request, bool saving,
                                                      std::string_view extension) {
    if (saving) {
        request.confirmOverwrite = true;
    } else {
        request.mustExist = true;
    }
    const std::optional<std::string> path = saving ? io_.files.saveFileName(request) : io_.files.openFileName(request);
    if (!path || !checkExtension(*path, extension, io_.prompts, io_.beep)) return std::nullopt;
    return path;
}

void ShellCommands::saveRegisters() {
    const auto path = askFileName(registerDialog("Select ZAT register file to save"), true, ".reg");
    if (!path) return;
    WaitCursorSession cursor(io_.cursor);
    UnitLink::OperationHold hold(protocol_.link());  // the monitors wait, then reload
    if (failed(reopenPort())) return;
    (void)saveRegistersCommand(protocol_, *path, io_);  // a failure has been shown
}

void ShellCommands::loadRegisters() {
    const auto path = askFileName(registerDialog("Select ZAT register file to open"), false, ".reg");
    if (!path) return;
    WaitCursorSession cursor(io_.cursor);
    UnitLink::OperationHold hold(protocol_.link());  // the monitors wait, then reload
    if (failed(reopenPort())) return;
    (void)zat::loadRegisters(protocol_, *path, io_);  // a failure has been shown
}

void ShellCommands::saveCalibration() {
    if (!settingsUsable()) return;
    {
        UnitLink::OperationHold hold(protocol_.link());  // the monitors wait, then reload
        if (readCalibrationCommand(db_, protocol_, io_) != TransferOutcome::Done) return;
    }
    // A calibration written into a file of another kind would change it.
    const auto path = askFileName(calibrationDialog(db_, "Save ZAT Calibration As..."), true, ".cal");
    if (!path) return;
    (void)writeCalibrationFile(db_, *path, io_.prompts);  // a failure has been shown
}

void ShellCommands::restoreCalibration() {
    if (!settingsUsable()) return;
    const auto path = askFileName(calibrationDialog(db_, "Select Calibration file to open"), false, ".cal");
    if (!path || failed(readCalibrationFile(db_, *path, io_.prompts))) return;
    UnitLink::OperationHold hold(protocol_.link());  // the monitors wait, then reload
    writeCalibrationCommand(db_, protocol_, io_);
}

}  // namespace zat
