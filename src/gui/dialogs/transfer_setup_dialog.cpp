#include "gui/dialogs/transfer_setup_dialog.h"

#include "gui/common/dialog_buttons.h"
#include "gui/common/text_conversion.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zat {

namespace {

// One box per group, box i for bit i.
constexpr const char* kGroupNames[7] = {
    "Analog input configuration",
    "Analog output configuration",
    "Hot/Cold Blocks",
    "IF Blocks",
    "PID Controllers",
    "Profile Generators",
    "Profiles",
};

}  // namespace

TTransferSetup::TTransferSetup(TransferDirection direction, TransferGroups preset, QWidget* parent) : QDialog(parent) {
    const bool exporting = direction == TransferDirection::Export;
    setWindowTitle(exporting ? QStringLiteral("Export Options") : QStringLiteral("Import Options"));

    auto* boxes = new QVBoxLayout;
    for (int i = 0; i < 7; ++i) {
        boxes_[i] = new QCheckBox(toQString(kGroupNames[i]), this);
        boxes_[i]->setObjectName(QStringLiteral("group%1").arg(i + 1));
        boxes_[i]->setChecked((preset >> i) & 1u);
        boxes->addWidget(boxes_[i]);
    }

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(makeDialogButtons(
        *this, nullptr, DialogButtons{exporting ? QStringLiteral("&Export") : QStringLiteral("&Import"), 0}));
}

TransferGroups TTransferSetup::checkedGroups() const {
    TransferGroups groups = 0;
    for (int i = 0; i < 7; ++i) {
        if (boxes_[i]->isChecked()) groups |= TransferGroups{1} << i;
    }
    return groups;
}

TransferGroups TTransferSetup::choose(DialogRunner& runner, TransferDirection direction, TransferGroups preset,
                                      QWidget* parent) {
    TTransferSetup dialog(direction, preset, parent);
    return runner.run(dialog) == QDialog::Accepted ? dialog.checkedGroups() : 0;
}

}  // namespace zat
