#include "gui/dialogs/find_units_dialog.h"

#include "commands/link_report.h"
#include "comms/address_list.h"
#include "gui/common/accessible_names.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/field_refusal.h"
#include "gui/common/text_conversion.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zat {

namespace {

constexpr int kAllRates = 0;  // the baud box's data for "All rates"

}  // namespace

TFindUnits::TFindUnits(const WindowContext& context, const UserIo& io)
    : QDialog(context.parent),
      context_(context),
      io_(io),
      addresses_(new QLineEdit(QStringLiteral("0-99"), this)),
      baud_(new QComboBox(this)),
      found_(new QTableWidget(0, 2 + kSlotCount, this)),
      summary_(new QLabel(this)) {
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setAccessibleName(QStringLiteral("Result"));
    setWindowTitle(QStringLiteral("Find Units"));
    addresses_->setObjectName(QStringLiteral("addresses"));
    baud_->setObjectName(QStringLiteral("baud"));
    const int settingsRate = context.db.comms.baudRate;
    baud_->addItem(QStringLiteral("%1 (the settings' rate)").arg(settingsRate), settingsRate);
    for (int rate : unitBaudRates())
        if (rate != settingsRate) baud_->addItem(QString::number(rate), rate);
    baud_->addItem(QStringLiteral("All rates"), kAllRates);

    found_->setObjectName(QStringLiteral("units"));
    QStringList headings{QStringLiteral("Address"), QStringLiteral("Baud rate")};
    for (int slot = 1; slot <= kSlotCount; ++slot) headings << QStringLiteral("Slot %1").arg(slot);
    found_->setHorizontalHeaderLabels(headings);
    found_->setSelectionBehavior(QAbstractItemView::SelectRows);
    found_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    found_->verticalHeader()->hide();
    found_->setMinimumSize(860, 200);
    connect(found_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { choose(row); });

    auto* findButton = new QPushButton(QStringLiteral("&Find"), this);
    findButton->setObjectName(QStringLiteral("find"));
    connect(findButton, &QPushButton::clicked, this, &TFindUnits::find);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Addresses"), addresses_);
    form->addRow(QStringLiteral("&Baud rate"), baud_);
    auto* column = new QVBoxLayout;
    column->addLayout(form);
    column->addWidget(findButton, 0, Qt::AlignLeft);
    column->addWidget(found_);
    column->addWidget(summary_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column);
    layout->addWidget(makeDialogButtons(*this, nullptr, DialogButtons{QStringLiteral("&Close"), 0, false}));
}

std::vector<int> TFindUnits::baudRates() const {
    const int rate = baud_->currentData().toInt();
    return rate == kAllRates ? unitBaudRates() : std::vector<int>{rate};
}

void TFindUnits::find() {
    const NumberListParse addresses = parseAddressList(toUtf8(addresses_->text().trimmed()));
    if (!addresses.ok()) {
        refuseField(FieldMessage{.text = "The addresses cannot be used: " + addresses.error,
                                 .caption = "Find Units",
                                 .icon = MessageIcon::Exclamation,
                                 .sound = FieldMessage::Sound::Simple},
                    addresses_, context_.gui);
        return;
    }
    found_->setRowCount(0);
    units_.clear();
    UnitLink& link = context_.protocol.link();
    {
        UnitLink::OperationHold hold(link);  // the monitors wait, then reload
        const ScanPlan plan{.addresses = addresses.values, .baudRates = baudRates(), .timeoutMs = std::nullopt};
        const ScanResult result =
            scanBus(link, context_.db.comms, plan, io_.prompts, io_.progress, [this](const FoundUnit& unit) {
                units_.push_back(unit);
                const int row = found_->rowCount();
                found_->insertRow(row);
                QStringList texts{QString::number(unit.address), QString::number(unit.baudRate)};
                for (const auto& code : unit.cardCodes)
                    texts << (code ? toQString(cardName(*code)) : QStringLiteral("?"));
                // Each cell is named by its unit and column, as a screen reader speaks it.
                const QString unitName = QStringLiteral("Unit %1 at %2 baud").arg(unit.address).arg(unit.baudRate);
                for (int column = 0; column < texts.size(); ++column) {
                    auto* item = new QTableWidgetItem(texts[column]);
                    const QString heading = found_->horizontalHeaderItem(column)->text();
                    item->setData(Qt::AccessibleTextRole, cellName(unitName, heading) + ": " + texts[column]);
                    found_->setItem(row, column, item);
                }
            });
        // Back to the settings' line for everything else; a failure shows there.
        (void)link.openPort(context_.db.comms);
        if (!result.failure.ok()) showLinkReason(result.failure, io_.prompts);
    }
    found_->resizeColumnsToContents();
    summary_->setText(
        units_.empty()
            ? QStringLiteral("No unit answered.")
            : QStringLiteral("%1 unit(s) found: double-click one to use its address and rate.").arg(units_.size()));
}

void TFindUnits::choose(int row) {
    if (row < 0 || row >= static_cast<int>(units_.size())) return;
    const FoundUnit& unit = units_[static_cast<std::size_t>(row)];
    context_.db.comms.address = unit.address;
    context_.db.comms.baudRate = unit.baudRate;
    context_.db.markModified();
    chosen_ = true;
    accept();
}

}  // namespace zat
