// The main window's commands, free of any toolkit: the file commands on the
// database, the unsaved-changes rule, and the unit commands (transfers,
// registers, calibration file) with their file dialogs and questions. The
// window supplies the user I/O and a view for what only it can do.
#pragma once

#include "comms/link_reason.h"
#include "comms/protocol.h"
#include "comms/transfer_groups.h"
#include "comms/unit_image.h"
#include "model/config_database.h"
#include "userio/outcome.h"
#include "userio/user_io.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zat {

// What the Export and Import options dialog chose.
struct TransferChoice {
    TransferGroups groups = 0;   // 0 when cancelled
    std::vector<int> addresses;  // Export's "To addresses", each unit in turn
};

// What the commands ask of the window around them.
class ShellView {
public:
    virtual ~ShellView() = default;
    // Sets the caption from the database's file name and repaints.
    virtual void updateTitle() = 0;
    // (Re)opens the port with the database's settings; why it failed.
    virtual LinkReason openPort() = 0;
    // Closes the serial port, so nothing goes out until it is opened again.
    virtual void closePort() = 0;
    // The "Transfer options" dialog: the groups (0 when cancelled) and, for
    // an export, the addresses chosen.
    virtual TransferChoice chooseTransfer(TransferDirection direction, const TransferChoice& preset) = 0;
};

class ShellCommands {
public:
    ShellCommands(ConfigDatabase& db, UnitProtocol& protocol, ShellView& view, UserIo io);

    // Loads the database named by the current file (a file that is there but
    // cannot be read is reported; a missing one is not), opens the port
    // (unless its settings are refused), and leaves the model unmodified and
    // no longer busy.
    void startUp();

    // "Start again with a clean ZAT Database ?"; true when cleared.
    bool newDatabase();
    // True when another database was loaded.
    bool openDatabase();
    void save();
    // True when saved under a new name.
    bool saveAs();

    // "Save file now ?" for a modified database: Yes saves, No drops the
    // changes, Cancel does nothing. Returns the answer.
    Answer confirmDiscard();
    // Whether the program may close now (asks about unsaved changes).
    bool canClose();

    // Opens the port with usable settings (a failure is shown); with refused
    // ones closes it and fails. At start-up, after a load and after the
    // Communications dialog.
    [[nodiscard]] Outcome reopenPort();

    // The database file Compare with File compares with; none when cancelled.
    std::optional<std::string> askFileToCompare();
    // What the windows a command opens report through.
    const UserIo& io() const { return io_; }

    void exportToUnit();
    // Writes only the fields that differ from what the unit was last known
    // to hold, once the unit is seen to still hold that.
    void exportChanges();
    void importFromUnit();
    void saveRegisters();
    void loadRegisters();
    void saveCalibration();
    void restoreCalibration();

    // What the unit was last known to hold; the monitors that write
    // configuration keep it true.
    UnitImage& unitImage() { return image_; }
    // Whether Export Changes has something to send.
    bool changesToExport() const { return image_.differsFrom(db_); }
    // A transfer of `groups` between the unit and `config` (the database, or
    // what Compare with Unit read) ended: the image follows it.
    void noteTransfer(TransferGroups groups, const ConfigDatabase& config, bool done);

private:
    // Asks about unsaved changes; true when the command may go on (nothing
    // unsaved is left to lose).
    bool mayReplaceDatabase();
    // The database's communication settings checked as a file's are before
    // the unit is asked anything; a refusal is shown. They stay in the model
    // either way, so the Communications dialog shows them for correcting.
    [[nodiscard]] bool settingsUsable();
    // Saves under the wait cursor; a failure has been shown.
    Outcome saveTo(const std::string& path);
    // A file dialog (asking before overwriting when saving, an existing file
    // when opening) and the check of the name's extension.
    std::optional<std::string> askFileName(FileDialogRequest request, bool saving, std::string_view extension);

    ConfigDatabase& db_;
    UnitProtocol& protocol_;
    ShellView& view_;
    UserIo io_;
    // The groups of the last confirmed choice in each direction.
    TransferGroups exportGroups_ = kAllTransferGroups;
    TransferGroups importGroups_ = kAllTransferGroups;
    UnitImage image_;
};

}  // namespace zat
