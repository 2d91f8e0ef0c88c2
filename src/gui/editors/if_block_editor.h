// The IF block editor: one block of the 90, opened by the IF block list on
// its slot. IF register, condition and operand; THEN and ELSE destination,
// first source, operator and second source. OK stores the block and closes;
// a refused entry keeps the dialog open with the focus on that edit.
#pragma once

#include "editing/if_blocks.h"
#include "gui/common/window_context.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace zat {

class TAlSetup final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 210;

    TAlSetup(const WindowContext& context, int index);

public slots:
    void accept() override;

private:
    // The constant and register edits of one source and their radio pair.
    struct SourceEdits {
        QRadioButton* isConstant = nullptr;
        QRadioButton* isRegister = nullptr;
        QLineEdit* constant = nullptr;
        QLineEdit* reg = nullptr;
    };

    // `spoken`: what a screen reader calls the pair ("THEN first source").
    SourceEdits makeSource(const QString& name, const QString& spoken);
    void showSource(const SourceEdits& edits, const IfSource& source);
    static IfSource typedSource(const SourceEdits& edits);
    void loadPage();
    bool storePage();
    // The second source is read only when its operator is not the plain assignment.
    void enableSecondSources();
    QWidget* fieldEdit(IfField field) const;

    ConfigDatabase& db_;
    GuiContext gui_;
    int index_;
    int condition_ = 0;  // the stored code until another is picked
    QCheckBox* enabled_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QLineEdit* ifRegister_ = nullptr;
    QComboBox* conditionList_ = nullptr;
    SourceEdits ifOperand_;
    QLineEdit* thenDestination_ = nullptr;
    SourceEdits thenSource1_;
    QComboBox* thenOperator_ = nullptr;
    SourceEdits thenSource2_;
    QLineEdit* elseDestination_ = nullptr;
    SourceEdits elseSource1_;
    QComboBox* elseOperator_ = nullptr;
    SourceEdits elseSource2_;
};

}  // namespace zat
