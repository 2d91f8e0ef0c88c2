#include "gui/dialogs/transfer_setup_dialog.h"

#include "comms/address_list.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/field_refusal.h"
#include "gui/common/text_conversion.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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

TTransferSetup::TTransferSetup(TransferDirection direction, const TransferChoice& preset, const GuiContext* gui,
                               QWidget* parent)
    : QDialog(parent), gui_(gui), addresses_(preset.addresses) {
    const TransferGroups groups = preset.groups;
    const bool exporting = direction == TransferDirection::Export;
    setWindowTitle(exporting ? QStringLiteral("Export Options") : QStringLiteral("Import Options"));

    auto* boxes = new QVBoxLayout;
    for (int i = 0; i < 7; ++i) {
        boxes_[i] = new QCheckBox(toQString(kGroupNames[i]), this);
        boxes_[i]->setObjectName(QStringLiteral("group%1").arg(i + 1));
        boxes_[i]->setChecked((groups >> i) & 1u);
        boxes->addWidget(boxes_[i]);
    }

    if (exporting) {
        // The units the configuration goes to, each in turn: "1,3,5-7".
        QStringList shown;
        for (int address : preset.addresses) shown << QString::number(address);
        addressEdit_ = new QLineEdit(shown.join(QLatin1Char(',')), this);
        addressEdit_->setObjectName(QStringLiteral("addresses"));
        auto* label = new QLabel(QStringLiteral("To &addresses"), this);
        label->setBuddy(addressEdit_);
        auto* row = new QHBoxLayout;
        row->addWidget(label);
        row->addWidget(addressEdit_);
        boxes->addLayout(row);
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

void TTransferSetup::accept() {
    // Left empty, the export goes to the settings' address.
    if (addressEdit_ != nullptr && addressEdit_->text().trimmed().isEmpty()) {
        addresses_.clear();
    } else if (addressEdit_ != nullptr) {
        const NumberListParse parsed = parseAddressList(toUtf8(addressEdit_->text().trimmed()));
        if (!parsed.ok()) {
            const FieldMessage refusal{.text = "The addresses cannot be used: " + parsed.error,
                                       .caption = "Export Options",
                                       .icon = MessageIcon::Exclamation,
                                       .sound = FieldMessage::Sound::Simple};
            if (gui_ != nullptr) refuseField(refusal, addressEdit_, *gui_);
            return;
        }
        addresses_ = parsed.values;
    }
    QDialog::accept();
}

TransferChoice TTransferSetup::choose(DialogRunner& runner, TransferDirection direction, const TransferChoice& preset,
                                      QWidget* parent, const GuiContext* gui) {
    TTransferSetup dialog(direction, preset, gui, parent);
    if (runner.run(dialog) != QDialog::Accepted) return {};
    return TransferChoice{.groups = dialog.checkedGroups(), .addresses = dialog.addresses()};
}

}  // namespace zat
