#include "gui/editors/if_block_editor.h"

#include "gui/common/accessible_names.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/field_refusal.h"
#include "gui/editors/editor_fields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QValidator>

namespace zat {

namespace {

constexpr int kCommentWidthInCharacters = 32;

QLineEdit* makeRegisterEdit(QWidget* parent, const QString& objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(static_cast<int>(kRegisterEditLength));
    edit->setValidator(new UpperCaseValidator(edit));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("D55")) * 2);
    return edit;
}

QComboBox* makeOperatorList(QWidget* parent, const QString& objectName, int count, std::string (*text)(int)) {
    auto* list = new QComboBox(parent);
    list->setObjectName(objectName);
    for (int code = 0; code < count; ++code) list->addItem(toQString(text(code)));
    return list;
}

QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

TAlSetup::TAlSetup(const WindowContext& context, int index)
    : QDialog(context.parent), db_(context.db), gui_(context.gui), index_(index) {
    setWindowTitle(QStringLiteral("Editing IF Block"));

    enabled_ = new QCheckBox(QStringLiteral("Enabled"), this);
    enabled_->setObjectName(QStringLiteral("enabled"));
    comment_ = makeCommentEdit(this, QStringLiteral("comment"));
    comment_->setMinimumWidth(comment_->fontMetrics().averageCharWidth() * kCommentWidthInCharacters);
    auto* commentLabel = new QLabel(QStringLiteral("Comment"), this);
    commentLabel->setBuddy(comment_);

    ifRegister_ = makeRegisterEdit(this, QStringLiteral("ifRegister"));
    conditionList_ =
        makeOperatorList(this, QStringLiteral("condition"), kConditionOperatorCount, conditionOperatorText);
    ifOperand_ = makeSource(QStringLiteral("ifOperand"), QStringLiteral("IF operand"));
    thenDestination_ = makeRegisterEdit(this, QStringLiteral("thenDestination"));
    thenSource1_ = makeSource(QStringLiteral("thenSource1"), QStringLiteral("THEN first source"));
    thenOperator_ =
        makeOperatorList(this, QStringLiteral("thenOperator"), kArithmeticOperatorCount, arithmeticOperatorText);
    thenSource2_ = makeSource(QStringLiteral("thenSource2"), QStringLiteral("THEN second source"));
    elseDestination_ = makeRegisterEdit(this, QStringLiteral("elseDestination"));
    elseSource1_ = makeSource(QStringLiteral("elseSource1"), QStringLiteral("ELSE first source"));
    elseOperator_ =
        makeOperatorList(this, QStringLiteral("elseOperator"), kArithmeticOperatorCount, arithmeticOperatorText);
    elseSource2_ = makeSource(QStringLiteral("elseSource2"), QStringLiteral("ELSE second source"));

    // The grid has no labels but its words: each edit is named after them.
    for (const auto& [control, name] : {std::pair<QWidget*, const char*>{ifRegister_, "IF register"},
                                        {conditionList_, "IF condition"},
                                        {thenDestination_, "THEN destination"},
                                        {thenOperator_, "THEN operator"},
                                        {elseDestination_, "ELSE destination"},
                                        {elseOperator_, "ELSE operator"}}) {
        control->setAccessibleName(toQString(name));
    }

    // One row a line: word, register, "=" or the condition, the sources.
    auto* grid = new QGridLayout;
    const auto addSource = [grid](const SourceEdits& s, int row, int column) {
        grid->addWidget(s.isConstant, row, column);
        grid->addWidget(s.constant, row, column + 1);
        grid->addWidget(s.isRegister, row + 1, column);
        grid->addWidget(s.reg, row + 1, column + 1);
    };
    // On Linux a combo box is spoken by its label and its current text: the
    // row's word labels its operator list.
    QLabel* ifWord = boldLabel(QStringLiteral("IF"), this);
    ifWord->setBuddy(conditionList_);
    grid->addWidget(ifWord, 0, 0);
    grid->addWidget(ifRegister_, 0, 1);
    grid->addWidget(conditionList_, 0, 2);
    addSource(ifOperand_, 0, 3);
    const struct {
        const char* word;
        QLineEdit* destination;
        const SourceEdits& source1;
        QComboBox* op;
        const SourceEdits& source2;
    } actions[] = {{"THEN", thenDestination_, thenSource1_, thenOperator_, thenSource2_},
                   {"ELSE", elseDestination_, elseSource1_, elseOperator_, elseSource2_}};
    int row = 2;
    for (const auto& a : actions) {
        QLabel* word = boldLabel(toQString(a.word), this);
        word->setBuddy(a.op);
        grid->addWidget(word, row, 0);
        grid->addWidget(a.destination, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("="), this), row, 2, Qt::AlignCenter);
        addSource(a.source1, row, 3);
        grid->addWidget(a.op, row, 5);
        addSource(a.source2, row, 6);
        row += 2;
    }
    grid->setColumnStretch(8, 1);

    auto* commentRow = new QHBoxLayout;
    commentRow->addWidget(enabled_);
    commentRow->addSpacing(12);
    commentRow->addWidget(commentLabel);
    commentRow->addWidget(comment_, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(commentRow);
    left->addLayout(grid);
    left->addStretch(1);

    auto* whole = new QHBoxLayout(this);
    whole->addLayout(left, 1);
    whole->addSpacing(6);
    whole->addWidget(makeDialogButtons(*this, &gui_, DialogButtons{QStringLiteral("&OK"), kHelpContext}));

    connect(conditionList_, &QComboBox::activated, this, [this](int picked) { condition_ = picked; });
    connect(thenOperator_, &QComboBox::currentIndexChanged, this, [this] { enableSecondSources(); });
    connect(elseOperator_, &QComboBox::currentIndexChanged, this, [this] { enableSecondSources(); });

    loadPage();
    enableSecondSources();
}

TAlSetup::SourceEdits TAlSetup::makeSource(const QString& name, const QString& spoken) {
    SourceEdits s;
    s.isConstant = new QRadioButton(QStringLiteral("Constant"), this);
    s.isConstant->setObjectName(name + QStringLiteral("IsConstant"));
    s.isRegister = new QRadioButton(QStringLiteral("Register"), this);
    s.isRegister->setObjectName(name + QStringLiteral("IsRegister"));
    auto* pair = new QButtonGroup(this);  // each pair on its own
    pair->addButton(s.isConstant);
    pair->addButton(s.isRegister);
    s.constant = makeNumberEdit(this, name + QStringLiteral("Constant"), kConstantEditLength);
    s.constant->setFixedWidth(s.constant->fontMetrics().horizontalAdvance(QStringLiteral("-9999")) * 2);
    s.reg = makeRegisterEdit(this, name + QStringLiteral("Register"));
    nameCell(s.isConstant, spoken, s.isConstant->text());
    nameCell(s.isRegister, spoken, s.isRegister->text());
    nameCell(s.constant, spoken, QStringLiteral("constant value"));
    nameCell(s.reg, spoken, QStringLiteral("register"));
    return s;
}

void TAlSetup::showSource(const SourceEdits& edits, const IfSource& source) {
    (source.constant ? edits.isConstant : edits.isRegister)->setChecked(true);
    showNumber(edits.constant, source.constantText, kConstantEditLength);
    edits.reg->setText(toQString(source.registerText));
}

IfSource TAlSetup::typedSource(const SourceEdits& edits) {
    return IfSource{edits.isConstant->isChecked(), toUtf8(edits.constant->text()), toUtf8(edits.reg->text())};
}

void TAlSetup::loadPage() {
    const IfBlockPage page = loadIfBlock(db_, index_);
    comment_->setText(toQString(page.comment));
    enabled_->setChecked(page.enabled);
    ifRegister_->setText(toQString(page.ifRegister));
    condition_ = page.condition;
    conditionList_->setCurrentIndex(conditionListIndex(page.condition));
    showSource(ifOperand_, page.ifOperand);
    thenDestination_->setText(toQString(page.thenDestination));
    showSource(thenSource1_, page.thenSource1);
    thenOperator_->setCurrentIndex(page.thenOperator);
    showSource(thenSource2_, page.thenSource2);
    elseDestination_->setText(toQString(page.elseDestination));
    showSource(elseSource1_, page.elseSource1);
    elseOperator_->setCurrentIndex(page.elseOperator);
    showSource(elseSource2_, page.elseSource2);
}

bool TAlSetup::storePage() {
    const IfBlockPage page{
        .comment = toUtf8(comment_->text()),
        .enabled = enabled_->isChecked(),
        .ifRegister = toUtf8(ifRegister_->text()),
        .condition = condition_,
        .ifOperand = typedSource(ifOperand_),
        .thenDestination = toUtf8(thenDestination_->text()),
        .thenSource1 = typedSource(thenSource1_),
        .thenOperator = thenOperator_->currentIndex(),
        .thenSource2 = typedSource(thenSource2_),
        .elseDestination = toUtf8(elseDestination_->text()),
        .elseSource1 = typedSource(elseSource1_),
        .elseOperator = elseOperator_->currentIndex(),
        .elseSource2 = typedSource(elseSource2_),
    };
    const StoreResult<IfField> stored = storeIfBlock(db_, index_, page);
    if (!stored) {
        refuseField(stored.refusal().message, fieldEdit(stored.refusal().field), gui_);
        return false;
    }
    return true;
}

void TAlSetup::enableSecondSources() {
    for (const auto& [op, source] :
         {std::pair{thenOperator_, &thenSource2_}, std::pair{elseOperator_, &elseSource2_}}) {
        const bool used = op->currentIndex() != 0;
        source->constant->setEnabled(used);
        source->reg->setEnabled(used);
    }
}

QWidget* TAlSetup::fieldEdit(IfField field) const {
    switch (field) {
        case IfField::IfRegister:
            return ifRegister_;
        case IfField::IfConstant:
            return ifOperand_.constant;
        case IfField::IfOperandRegister:
            return ifOperand_.reg;
        case IfField::ThenDestination:
            return thenDestination_;
        case IfField::ThenSource1Constant:
            return thenSource1_.constant;
        case IfField::ThenSource1Register:
            return thenSource1_.reg;
        case IfField::ThenSource2Constant:
            return thenSource2_.constant;
        case IfField::ThenSource2Register:
            return thenSource2_.reg;
        case IfField::ElseDestination:
            return elseDestination_;
        case IfField::ElseSource1Constant:
            return elseSource1_.constant;
        case IfField::ElseSource1Register:
            return elseSource1_.reg;
        case IfField::ElseSource2Constant:
            return elseSource2_.constant;
        case IfField::ElseSource2Register:
            return elseSource2_.reg;
    }
    return ifRegister_;
}

void TAlSetup::accept() {
    if (!storePage()) return;
    QDialog::accept();
}

}  // namespace zat
