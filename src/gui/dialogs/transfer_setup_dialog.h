// "Transfer options": which groups of the configuration an Export or an
// Import moves, one check box per group.
#pragma once

#include "comms/transfer_groups.h"
#include "gui/common/gui_context.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace zat {

class TTransferSetup : public QDialog {
    Q_OBJECT
public:
    TTransferSetup(TransferDirection direction, TransferGroups preset, QWidget* parent = nullptr);

    // The bits of the checked boxes (possibly 0).
    TransferGroups checkedGroups() const;

    // Runs the dialog: the checked groups on OK, 0 on Cancel.
    static TransferGroups choose(DialogRunner& runner, TransferDirection direction, TransferGroups preset,
                                 QWidget* parent = nullptr);

private:
    QCheckBox* boxes_[7] = {};
};

}  // namespace zat
