// The "Analogue Inputs" editor: the 40 analog inputs as five slots of eight
// rows, one tab per slot. The rules are those of editing/analog_input_setup.h;
// this window shows their rows and hands the page on display back to them.
#pragma once

#include "editing/analog_input_setup.h"
#include "editing/record_snapshot.h"
#include "gui/common/window_context.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace zat {

class PageTabs;

class TAINSetup : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 207;

    explicit TAINSetup(const WindowContext& context);

    // The slot whose rows are on display.
    int slot() const;

public slots:
    // Stores the page on display; a refused row keeps the dialog open.
    // Otherwise marks the database modified and closes with Accepted.
    void accept() override;
    // Escape and the close box: the page on display is not stored. Pages
    // stored by tab changes stay, and mark the database modified when they
    // changed it.
    void reject() override;

private:
    struct Row {
        QLabel* label = nullptr;
        QCheckBox* scan = nullptr;
        QComboBox* type = nullptr;
        QCheckBox* coldJunction = nullptr;
        QCheckBox* tenths = nullptr;
        QCheckBox* fahrenheit = nullptr;
        QCheckBox* tcbo = nullptr;
        QLineEdit* comment = nullptr;
        QLineEdit* hiScalar = nullptr;
        QLineEdit* loScalar = nullptr;
    };
    using Page = std::array<AnalogInputRow, kAnalogInputRowCount>;

    QWidget* buildPage();
    void loadPage(int slot);
    void showPage(const Page& page);
    // Each cell is named by its channel and column ("A03 Type").
    static void nameRow(const Row& row);
    void enableRow(const Row& row, const AnalogInputControls& controls);
    Page typedPage() const;
    bool storePage();
    void typeChosen(int row);
    void applyAllSame();
    void refuse(const FieldRefusal<AnalogInputField>& refusal);

    ConfigDatabase& db_;
    GuiContext gui_;
    AnalogInputSnapshot opened_;
    PageTabs* tabs_ = nullptr;
    std::array<Row, kAnalogInputRowCount> rows_{};
    bool showing_ = false;  // rows being filled: their lists' changes are not choices
};

}  // namespace zat
