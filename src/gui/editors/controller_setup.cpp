#include "gui/editors/controller_setup.h"

#include "gui/common/dialog_buttons.h"
#include "gui/common/field_refusal.h"
#include "gui/editors/editor_fields.h"
#include "gui/editors/page_tabs.h"
#include "gui/editors/register_edits.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zat {

namespace {

constexpr int kCommentWidthInCharacters = 32;

QIcon controllerIcon(bool enabled) {
    return QIcon(enabled ? QStringLiteral(":/icons/tab_controller_enabled.svg")
                         : QStringLiteral(":/icons/tab_controller_disabled.svg"));
}

// One row of a group's grid: label, edit, unit.
void addRow(QGridLayout* grid, int row, const char* label, QLineEdit* edit, const char* unit = nullptr) {
    auto* name = new QLabel(toQString(label), edit->parentWidget());
    name->setBuddy(edit);
    grid->addWidget(name, row, 0);
    grid->addWidget(edit, row, 1);
    if (unit != nullptr) grid->addWidget(new QLabel(toQString(unit), edit->parentWidget()), row, 2);
}

}  // namespace

TControllerSetup::TControllerSetup(const WindowContext& context)
    : QDialog(context.parent), db_(context.db), gui_(context.gui), opened_(context.db) {
    setWindowTitle(QStringLiteral("Controllers"));

    tabs_ = new PageTabs(
        this, [this] { return storePage(); },
        [this](int controller) {
            loadPage(controller);
            updateOutputTypeControls();
        });
    tabs_->setDrawBase(false);
    for (int c = 0; c < kControllerCount; ++c) tabs_->addTab(controllerIcon(false), toQString(controllerTabTitle(c)));

    layOutPagedDialog(
        *this, tabs_, buildPage(),
        makeDialogButtons(*this, &gui_, DialogButtons{QStringLiteral("&Close"), kHelpContext, /*cancel=*/false}));

    tabs_->setCurrentIndex(0);
    loadPage(0);
    updateOutputTypeControls();
}

QWidget* TControllerSetup::buildPage() {
    auto* page = new QFrame(this);
    page->setObjectName(QStringLiteral("page"));
    page->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);

    enabled_ = new QCheckBox(QStringLiteral("Controller Enabled"), page);
    enabled_->setObjectName(QStringLiteral("enabled"));
    comment_ = makeCommentEdit(page, QStringLiteral("comment"));
    comment_->setMinimumWidth(comment_->fontMetrics().averageCharWidth() * kCommentWidthInCharacters);
    auto* commentLabel = new QLabel(QStringLiteral("Comment"), page);
    commentLabel->setBuddy(comment_);

    auto* inputs = new QGroupBox(QStringLiteral("Inputs"), page);
    measured_ = makeRegisterEdit(inputs, QStringLiteral("measured"));
    setpoint_ = makeRegisterEdit(inputs, QStringLiteral("setpoint"));
    auto* inputGrid = new QGridLayout(inputs);
    addRow(inputGrid, 0, "Measured Value", measured_);
    addRow(inputGrid, 1, "Setpoint", setpoint_);
    inputGrid->setColumnStretch(2, 1);

    auto* terms = new QGroupBox(QStringLiteral("Terms"), page);
    propBand_ = makeDigitsEdit(terms, QStringLiteral("propBand"), kTermEditLength);
    intTime_ = makeDigitsEdit(terms, QStringLiteral("intTime"), kTermEditLength);
    derTime_ = makeDigitsEdit(terms, QStringLiteral("derTime"), kTermEditLength);
    auto* termGrid = new QGridLayout(terms);
    addRow(termGrid, 0, "Proportional Band", propBand_, "Digits");
    addRow(termGrid, 1, "Integral Time", intTime_, "Seconds");
    addRow(termGrid, 2, "Derivative Time", derTime_, "Seconds");
    termGrid->setColumnStretch(2, 1);

    auto* outputs = new QGroupBox(QStringLiteral("Output"), page);
    output_ = makeRegisterEdit(outputs, QStringLiteral("output"));
    analog_ = new QRadioButton(QStringLiteral("Analog"), outputs);
    analog_->setObjectName(QStringLiteral("analog"));
    tp_ = new QRadioButton(QStringLiteral("TP"), outputs);
    tp_->setObjectName(QStringLiteral("tp"));
    auto* types = new QButtonGroup(this);
    types->addButton(analog_);
    types->addButton(tp_);
    connect(tp_, &QRadioButton::toggled, this, [this] { updateOutputTypeControls(); });
    cycle_ = makeDigitsEdit(outputs, QStringLiteral("cycle"), kCycleEditLength);
    digital_ = makeRegisterEdit(outputs, QStringLiteral("digital"));
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(analog_);
    typeRow->addSpacing(12);
    typeRow->addWidget(tp_);
    typeRow->addStretch();
    auto* outputGrid = new QGridLayout(outputs);
    addRow(outputGrid, 0, "Output Register", output_);
    outputGrid->addWidget(new QLabel(QStringLiteral("Output Type"), outputs), 1, 0);
    outputGrid->addLayout(typeRow, 1, 1, 1, 2);
    addRow(outputGrid, 2, "Cycle Time", cycle_, "Seconds");
    addRow(outputGrid, 3, "To Digital Register", digital_);
    outputGrid->setColumnStretch(2, 1);
    outputGrid->setRowStretch(4, 1);

    auto* commentRow = new QHBoxLayout;
    commentRow->addWidget(commentLabel);
    commentRow->addWidget(comment_, 1);
    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(inputs);
    leftColumn->addWidget(terms);
    auto* groups = new QHBoxLayout;
    groups->addLayout(leftColumn, 1);
    groups->addWidget(outputs, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(enabled_);
    layout->addLayout(commentRow);
    layout->addLayout(groups, 1);
    return page;
}

void TControllerSetup::loadPage(int controller) {
    const ControllerPage page = loadController(db_, controller);
    enabled_->setChecked(page.enabled);
    (page.timeProportioned ? tp_ : analog_)->setChecked(true);
    comment_->setText(toQString(page.comment));
    measured_->setText(toQString(page.measured));
    setpoint_->setText(toQString(page.setpoint));
    output_->setText(toQString(page.output));
    digital_->setText(toQString(page.digital));
    showNumber(cycle_, page.cycle, kCycleEditLength);
    showNumber(propBand_, page.propBand, kTermEditLength);
    showNumber(intTime_, page.intTime, kTermEditLength);
    showNumber(derTime_, page.derTime, kTermEditLength);
    refreshTabImages();
}

bool TControllerSetup::storePage() {
    const ControllerPage page{
        .enabled = enabled_->isChecked(),
        .timeProportioned = tp_->isChecked(),
        .comment = toUtf8(comment_->text()),
        .measured = toUtf8(measured_->text()),
        .setpoint = toUtf8(setpoint_->text()),
        .output = toUtf8(output_->text()),
        .propBand = toUtf8(propBand_->text()),
        .intTime = toUtf8(intTime_->text()),
        .derTime = toUtf8(derTime_->text()),
        .digital = toUtf8(digital_->text()),
        .cycle = toUtf8(cycle_->text()),
    };
    const StoreResult<ControllerField> stored = storeController(db_, tabs_->shownPage(), page);
    if (stored) return true;
    refuseField(stored.refusal().message, fieldEdit(stored.refusal().field), gui_);
    return false;
}

void TControllerSetup::refreshTabImages() {
    for (int c = 0; c < kControllerCount; ++c)
        tabs_->setTabIcon(c, controllerIcon(isControllerEnabled(db_.controllers[static_cast<std::size_t>(c)])));
}

void TControllerSetup::updateOutputTypeControls() {
    const bool tp = tp_->isChecked();
    cycle_->setEnabled(tp);
    digital_->setEnabled(tp);
}

QLineEdit* TControllerSetup::fieldEdit(ControllerField field) const {
    switch (field) {
        case ControllerField::Setpoint:
            return setpoint_;
        case ControllerField::Measured:
            return measured_;
        case ControllerField::Output:
            return output_;
        case ControllerField::PropBand:
            return propBand_;
        case ControllerField::IntTime:
            return intTime_;
        case ControllerField::DerTime:
            return derTime_;
        case ControllerField::Digital:
            return digital_;
        case ControllerField::Cycle:
            return cycle_;
    }
    return setpoint_;
}

void TControllerSetup::accept() {
    if (!storePage()) return;
    db_.markModified();
    QDialog::accept();
}

void TControllerSetup::reject() {
    QDialog::reject();
    opened_.markModifiedIfChanged(db_);
}

}  // namespace zat
