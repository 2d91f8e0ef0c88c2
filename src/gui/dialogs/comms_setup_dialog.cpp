#include "gui/dialogs/comms_setup_dialog.h"

#include "comms/comms_entries.h"
#include "gui/common/accessible_names.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/text_conversion.h"
#include "gui/dialogs/dil_switch.h"
#include "model/database_file.h"
#include "userio/field_check.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <array>

namespace zat {

namespace {

constexpr std::array<int, 5> kBaudRates = {1200, 2400, 4800, 9600, 19200};
constexpr int kChoosableBauds = 4;  // 19200 is shown but cannot be chosen
constexpr int kPortCount = 8;

// The first checked of 1200..9600; none of them means 19200.
int checkedBaudRate(QRadioButton* const (&bauds)[5]) {
    for (int i = 0; i < kChoosableBauds; ++i) {
        if (bauds[i]->isChecked()) return kBaudRates[static_cast<std::size_t>(i)];
    }
    return kBaudRates.back();
}

// The first checked port button; 1 when none is.
int checkedPort(QRadioButton* const (&ports)[8]) {
    for (int i = 0; i < kPortCount; ++i) {
        if (ports[i]->isChecked()) return i + 1;
    }
    return 1;
}

QLineEdit* newEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(56);
    return edit;
}

QLabel* deviceLabel(const std::string& device, QWidget* parent) {
    auto* label = new QLabel(toQString(device), parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::gray);
    label->setPalette(palette);
    return label;
}

}  // namespace

TCommsSetupDialog::TCommsSetupDialog(ConfigDatabase& db, const GuiContext& gui,
                                     std::function<std::string(int port)> deviceName, QWidget* parent)
    : QDialog(parent), db_(db), gui_(gui) {
    setWindowTitle(QStringLiteral("Communications Setup"));

    auto* portBox = new QGroupBox(QStringLiteral("Communications Port"), this);
    auto* portGrid = new QGridLayout(portBox);
    auto* portGroup = new QButtonGroup(this);
    for (int i = 0; i < kPortCount; ++i) {
        const int port = i + 1;
        portButtons_[i] = new QRadioButton(QStringLiteral("Com %1").arg(port), portBox);
        portButtons_[i]->setObjectName(QStringLiteral("com%1").arg(port));
        portGroup->addButton(portButtons_[i], port);
        QLabel* device = deviceLabel(deviceName ? deviceName(port) : std::string(), portBox);
        device->setObjectName(QStringLiteral("device%1").arg(port));
        nameLiveValue(device, portButtons_[i]->text(), device->text());  // "Com 1 /dev/ttyS0"
        portGrid->addWidget(portButtons_[i], i, 0);
        portGrid->addWidget(device, i, 1);
    }

    auto* baudBox = new QGroupBox(QStringLiteral("Baud Rate"), this);
    auto* baudColumn = new QVBoxLayout(baudBox);
    auto* baudGroup = new QButtonGroup(this);
    for (std::size_t i = 0; i < kBaudRates.size(); ++i) {
        const QString rate = QString::number(kBaudRates[i]);
        bauds_[i] = new QRadioButton(rate, baudBox);
        bauds_[i]->setObjectName(QStringLiteral("baud") + rate);
        baudGroup->addButton(bauds_[i]);
        baudColumn->addWidget(bauds_[i]);
    }
    bauds_[kBaudRates.size() - 1]->setEnabled(false);
    baudColumn->addStretch();
    connect(baudGroup, &QButtonGroup::buttonClicked, this, [this] { baudClicked(); });

    const QRegularExpression digits(QStringLiteral("[0-9]*"));
    address_ = newEdit("address", this);
    address_->setValidator(new QRegularExpressionValidator(digits, address_));
    retries_ = newEdit("retries", this);
    retries_->setValidator(new QRegularExpressionValidator(digits, retries_));
    // Four characters may be typed; a stored value may show longer ("0.019").
    timeout_ = newEdit("timeout", this);
    timeout_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral(".{0,%1}").arg(kTimeoutTextLength)), timeout_));
    connect(address_, &QLineEdit::textChanged, this, [this] { addressEdited(); });

    auto* entries = new QGridLayout;
    const auto labelFor = [this](const char* text, QLineEdit* edit) {
        auto* label = new QLabel(toQString(text), this);
        label->setBuddy(edit);
        return label;
    };
    entries->addWidget(labelFor("Address", address_), 0, 0);
    entries->addWidget(address_, 0, 1);
    entries->addWidget(labelFor("Timeout", timeout_), 1, 0);
    entries->addWidget(timeout_, 1, 1);
    entries->addWidget(new QLabel(QStringLiteral("Sec"), this), 1, 2);
    entries->addWidget(labelFor("Retries", retries_), 2, 0);
    entries->addWidget(retries_, 2, 1);
    entries->setColumnStretch(3, 1);

    auto* protocolBox = new QGroupBox(QStringLiteral("Protocol"), this);
    auto* protocolColumn = new QVBoxLayout(protocolBox);
    auto* protocolGroup = new QButtonGroup(this);
    kvl_ = new QRadioButton(QStringLiteral("KVL"), protocolBox);
    kvl_->setObjectName(QStringLiteral("kvl"));
    modbus_ = new QRadioButton(QStringLiteral("Modbus"), protocolBox);
    modbus_->setObjectName(QStringLiteral("modbus"));
    modbus_->setEnabled(false);
    protocolGroup->addButton(kvl_);
    protocolGroup->addButton(modbus_);
    protocolColumn->addWidget(kvl_);
    protocolColumn->addWidget(modbus_);
    connect(protocolGroup, &QButtonGroup::buttonClicked, this, [this] { protocolClicked(); });

    dil_ = new TDILSwitch(this);
    dil_->setObjectName(QStringLiteral("dilSwitch"));
    auto* dilColumn = new QVBoxLayout;
    dilColumn->addWidget(new QLabel(QStringLiteral("DIL Switch"), this));
    dilColumn->addWidget(dil_);

    auto* right = new QVBoxLayout;
    right->addLayout(entries);
    right->addWidget(protocolBox);
    right->addLayout(dilColumn);
    right->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(portBox);
    layout->addWidget(baudBox);
    layout->addLayout(right);
    layout->addWidget(makeDialogButtons(*this, &gui_, DialogButtons{QStringLiteral("&OK"), kHelpContext}));

    fillFromSettings();
}

std::uint16_t TCommsSetupDialog::dilPattern() const { return dil_->pattern(); }

void TCommsSetupDialog::fillFromSettings() {
    const CommsSettings& comms = db_.comms;
    if (comms.port >= 1 && comms.port <= kPortCount) portButtons_[comms.port - 1]->setChecked(true);

    std::size_t baud = 3;  // any rate without a button of its own shows as 9600
    for (std::size_t i = 0; i < kBaudRates.size(); ++i) {
        if (kBaudRates[i] == comms.baudRate) baud = i;
    }
    bauds_[baud]->setChecked(true);

    // The pattern is set from the whole setting below; no beep for a stored address.
    {
        const QSignalBlocker quiet(address_);
        address_->setText(QString::number(comms.address));
    }
    retries_->setText(QString::number(comms.retries));
    timeout_->setText(toQString(formatTimeOutSeconds(comms.timeOut)));

    (comms.protocol == 0 ? kvl_ : modbus_)->setChecked(true);

    setPattern(dilSwitchPattern(comms.address, checkedBaudRate(bauds_), kvl_->isChecked() ? 0 : 1));
}

void TCommsSetupDialog::addressEdited() {
    const std::optional<int> address = dilAddressEntry(toUtf8(address_->text()));
    if (!address) {
        gui_.beep.simple();
        return;
    }
    setPattern(withDilAddress(dilPattern(), *address));
}

void TCommsSetupDialog::baudClicked() { setPattern(withDilBaudRate(dilPattern(), checkedBaudRate(bauds_))); }

void TCommsSetupDialog::protocolClicked() { setPattern(withDilModbus(dilPattern(), !kvl_->isChecked())); }

void TCommsSetupDialog::setPattern(std::uint16_t pattern) { dil_->setPattern(pattern); }

void TCommsSetupDialog::accept() {
    const int port = checkedPort(portButtons_);
    const int baudRate = checkedBaudRate(bauds_);
    const CommsEntriesCheck check =
        checkCommsEntries({toUtf8(address_->text()), toUtf8(retries_->text()), toUtf8(timeout_->text())});
    if (!check.ok()) {
        showFieldMessage(FieldMessage{check.error, "Error", MessageIcon::Exclamation, FieldMessage::Sound::Exclamation},
                         gui_.prompts, gui_.beep);
        return;
    }
    CommsSettings& comms = db_.comms;
    comms.protocol = kvl_->isChecked() ? 0 : 1;
    comms.address = check.address;
    comms.retries = check.retries;
    comms.timeOut = check.timeOut;
    comms.baudRate = baudRate;
    comms.port = port;
    db_.markModified();
    QDialog::accept();
}

}  // namespace zat
