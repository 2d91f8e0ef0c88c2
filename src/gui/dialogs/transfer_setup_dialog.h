// "Transfer options": which groups of the configuration an Export or an
// Import moves, one check box per group; an Export also names the units it
// goes to ("To addresses").
#pragma once

#include "commands/shell_commands.h"
#include "comms/transfer_groups.h"
#include "gui/common/gui_context.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zat {

class TTransferSetup : public QDialog {
    Q_OBJECT
public:
    TTransferSetup(TransferDirection direction, const TransferChoice& preset, const GuiContext* gui = nullptr,
                   QWidget* parent = nullptr);

    // The bits of the checked boxes (possibly 0).
    TransferGroups checkedGroups() const;
    // The addresses accepted with OK (an export's; none: the settings' address).
    const std::vector<int>& addresses() const { return addresses_; }

    // Runs the dialog: the choice on OK, no groups on Cancel.
    static TransferChoice choose(DialogRunner& runner, TransferDirection direction, const TransferChoice& preset,
                                 QWidget* parent = nullptr, const GuiContext* gui = nullptr);

    // A list of addresses that cannot be read is refused, naming the bad entry.
    void accept() override;

private:
    QCheckBox* boxes_[7] = {};
    QLineEdit* addressEdit_ = nullptr;  // an export's only
    const GuiContext* gui_;
    std::vector<int> addresses_;
};

}  // namespace zat
