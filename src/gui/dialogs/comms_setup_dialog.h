// The Communications Setup dialog: port, baud rate, unit address, reply
// timeout, retries and protocol, with the unit's DIL switch drawn to match.
// OK checks the entries and stores them into the database's settings.
#pragma once

#include "gui/common/gui_context.h"
#include "model/config_database.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <string>

class QAbstractButton;
class QLineEdit;
class QRadioButton;

namespace zat {

class TDILSwitch;

class TCommsSetupDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 214;

    // deviceName(n) says which device "Com n" names here (shown beside it).
    TCommsSetupDialog(ConfigDatabase& db, const GuiContext& gui, std::function<std::string(int port)> deviceName,
                      QWidget* parent = nullptr);

    // The switch pattern on display (bit 0 = switch 1).
    std::uint16_t dilPattern() const;

public slots:
    // Checks address, retries and timeout in that order; the first bad one is
    // reported and the dialog stays open. Otherwise stores, marks the
    // database modified and closes with Accepted.
    void accept() override;

private:
    void fillFromSettings();
    void addressEdited();
    void baudClicked();
    void protocolClicked();
    void setPattern(std::uint16_t pattern);

    ConfigDatabase& db_;
    GuiContext gui_;
    QRadioButton* portButtons_[8] = {};
    QRadioButton* bauds_[5] = {};  // 1200, 2400, 4800, 9600, 19200
    QLineEdit* address_ = nullptr;
    QLineEdit* timeout_ = nullptr;
    QLineEdit* retries_ = nullptr;
    QRadioButton* kvl_ = nullptr;
    QRadioButton* modbus_ = nullptr;
    TDILSwitch* dil_ = nullptr;
};

}  // namespace zat
