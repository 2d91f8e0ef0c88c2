// The "Controllers" editor: the eight PID controllers, one to a tab, each
// with its enabled box, comment, measured and setpoint registers, three
// terms and an output that is analog or time-proportioned onto a digital
// output. The rules are those of editing/controller_setup.h. A tab change
// stores the page on display and is refused when a field is bad; Close
// stores it and closes.
#pragma once

#include "editing/controller_setup.h"
#include "editing/record_snapshot.h"
#include "gui/common/window_context.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace zat {

class PageTabs;

class TControllerSetup final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 211;

    explicit TControllerSetup(const WindowContext& context);

public slots:
    // Stores the page on display; a refused field keeps the dialog open.
    void accept() override;
    // Escape and the close box (there is no Cancel button): the page on
    // display is not stored. Pages stored by tab changes stay, and leave the
    // database marked modified when they changed it.
    void reject() override;

private:
    QWidget* buildPage();
    void loadPage(int controller);
    bool storePage();
    // Each tab's picture from its controller's stored enabled bit.
    void refreshTabImages();
    // Cycle Time and To Digital Register are for TP only.
    void updateOutputTypeControls();
    QLineEdit* fieldEdit(ControllerField field) const;

    ConfigDatabase& db_;
    GuiContext gui_;
    ControllerSnapshot opened_;
    PageTabs* tabs_ = nullptr;
    QCheckBox* enabled_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QLineEdit* measured_ = nullptr;
    QLineEdit* setpoint_ = nullptr;
    QLineEdit* propBand_ = nullptr;
    QLineEdit* intTime_ = nullptr;
    QLineEdit* derTime_ = nullptr;
    QLineEdit* output_ = nullptr;
    QRadioButton* analog_ = nullptr;
    QRadioButton* tp_ = nullptr;
    QLineEdit* cycle_ = nullptr;
    QLineEdit* digital_ = nullptr;
};

}  // namespace zat
