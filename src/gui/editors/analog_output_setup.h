// The "Analogue Outputs" editor: one of the 40 analog outputs at a time,
// picked by a tab of four and the up-down beside the register name. The
// rules are those of editing/analog_output_setup.h; this window shows a
// channel and hands it back to them.
#pragma once

#include "editing/analog_output_setup.h"
#include "editing/record_snapshot.h"
#include "gui/common/window_context.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace zat {

class PageTabs;

class TAOUTSetup : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 208;

    explicit TAOUTSetup(const WindowContext& context);

    // The output on display.
    int channel() const { return channel_; }

public slots:
    // Stores the output on display; a refused entry keeps the dialog open.
    // Otherwise marks the database modified and closes with Accepted.
    void accept() override;
    // Cancel, Escape and the close box: the output on display is not stored.
    // Outputs stored by moving to another stay, and mark the database
    // modified when they changed it.
    void reject() override;

private:
    QWidget* buildPage();
    void loadPage(int channel);
    AnalogOutputPage typedPage() const;
    bool storePage();
    void positionChosen(int position);

    ConfigDatabase& db_;
    GuiContext gui_;
    AnalogOutputSnapshot opened_;
    PageTabs* tabs_ = nullptr;
    QSpinBox* position_ = nullptr;
    QLabel* register_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QLineEdit* bias_ = nullptr;
    QRadioButton* linear_ = nullptr;
    QRadioButton* characterised_ = nullptr;
    QComboBox* range_ = nullptr;
    QCheckBox* tenths_ = nullptr;
    QCheckBox* fahrenheit_ = nullptr;
    int channel_ = -1;  // none until the first output is shown
};

}  // namespace zat
