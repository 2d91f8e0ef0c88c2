#include "gui/editors/analog_output_setup.h"

#include "gui/common/dialog_buttons.h"
#include "gui/common/field_refusal.h"
#include "gui/editors/editor_fields.h"
#include "gui/editors/page_tabs.h"
#include "model/channel_type.h"
#include "model/config_database.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace zat {

namespace {

// Characters an edit takes for the values of its range.
std::size_t lengthFor(int minimum, int maximum) {
    return std::max(std::to_string(minimum).size(), std::to_string(maximum).size());
}

const std::size_t kSpanLength = lengthFor(kEngineeringMin, kEngineeringMax);
const std::size_t kBiasLength = lengthFor(kMinZeroBias, kMaxZeroBias);

QLabel* fieldLabel(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(toQString(text), parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

TAOUTSetup::TAOUTSetup(const WindowContext& context)
    : QDialog(context.parent), db_(context.db), gui_(context.gui), opened_(context.db) {
    setWindowTitle(QStringLiteral("Analogue Outputs"));

    tabs_ = new PageTabs(
        this, [this] { return storePage(); },
        [this](int tab) { loadPage(analogOutputChannel(tab, position_->value())); });
    const QIcon icon(QStringLiteral(":/icons/tab_analog_output.svg"));
    for (int t = 0; t < kAnalogOutputTabCount; ++t) tabs_->addTab(icon, toQString(analogOutputTabTitle(t)));
    tabs_->setDrawBase(false);

    layOutPagedDialog(*this, tabs_, buildPage(),
                      makeDialogButtons(*this, &gui_, DialogButtons{QStringLiteral("&OK"), kHelpContext}));

    loadPage(analogOutputChannel(0, 0));
    connect(position_, &QSpinBox::valueChanged, this, [this](int position) { positionChosen(position); });
}

QWidget* TAOUTSetup::buildPage() {
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("page"));
    frame->setFrameShape(QFrame::StyledPanel);
    const QFontMetrics metrics = fontMetrics();

    position_ = new QSpinBox(frame);
    position_->setObjectName(QStringLiteral("channel"));
    position_->setRange(0, kAnalogOutputsPerTab - 1);
    position_->setValue(0);
    // The arrows and the arrow keys move it; its number is not typed.
    if (auto* number = position_->findChild<QLineEdit*>()) number->setReadOnly(true);
    register_ = new QLabel(frame);
    register_->setObjectName(QStringLiteral("register"));
    QFont bold = register_->font();
    bold.setBold(true);
    register_->setFont(bold);

    comment_ = makeCommentEdit(frame, QStringLiteral("comment"));
    comment_->setMinimumWidth(metrics.horizontalAdvance(QString(kCommentLength, QChar('x'))));
    const int numberWidth = metrics.horizontalAdvance(QStringLiteral("-99999")) + 16;
    from_ = makeNumberEdit(frame, QStringLiteral("from"), kSpanLength);
    to_ = makeNumberEdit(frame, QStringLiteral("to"), kSpanLength);
    bias_ = makeNumberEdit(frame, QStringLiteral("bias"), kBiasLength);
    for (QLineEdit* number : {from_, to_, bias_}) {
        number->setFixedWidth(numberWidth);
        number->setAlignment(Qt::AlignRight);
    }

    auto* channelLine = new QHBoxLayout;
    channelLine->addWidget(position_);
    channelLine->addSpacing(8);
    channelLine->addWidget(register_);
    channelLine->addStretch();

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->addWidget(fieldLabel("Channel", position_, frame), 0, 0);
    fields->addLayout(channelLine, 0, 1, 1, 2);
    fields->addWidget(fieldLabel("Comment", comment_, frame), 1, 0);
    fields->addWidget(comment_, 1, 1, 1, 2);
    fields->addWidget(fieldLabel("From", from_, frame), 2, 0);
    fields->addWidget(from_, 2, 1);
    fields->addWidget(fieldLabel("To", to_, frame), 3, 0);
    fields->addWidget(to_, 3, 1);
    fields->addWidget(fieldLabel("Zero Bias", bias_, frame), 4, 0);
    fields->addWidget(bias_, 4, 1);
    fields->addWidget(new QLabel(QStringLiteral("%"), frame), 4, 2);
    fields->setColumnStretch(2, 1);
    fields->setRowStretch(5, 1);

    auto* output = new QGroupBox(QStringLiteral("Output"), frame);
    linear_ = new QRadioButton(QStringLiteral("Linear"), output);
    linear_->setObjectName(QStringLiteral("linear"));
    characterised_ = new QRadioButton(QStringLiteral("Characterised"), output);
    characterised_->setObjectName(QStringLiteral("characterised"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(linear_);
    kinds->addButton(characterised_);
    range_ = new QComboBox(output);
    range_->setObjectName(QStringLiteral("range"));
    for (int t = 0; t < kChannelTypeCount; ++t) range_->addItem(toQString(channelType(t)->name));
    tenths_ = new QCheckBox(QStringLiteral("1/10ths"), output);
    tenths_->setObjectName(QStringLiteral("tenths"));
    fahrenheit_ = new QCheckBox(QStringLiteral("°F"), output);
    fahrenheit_->setObjectName(QStringLiteral("fahrenheit"));

    auto* rangeLine = new QHBoxLayout;
    rangeLine->addWidget(fieldLabel("Range", range_, output));
    rangeLine->addWidget(range_, 1);
    auto* options = new QHBoxLayout;
    options->addWidget(tenths_);
    options->addSpacing(16);
    options->addWidget(fahrenheit_);
    options->addStretch();
    auto* outputColumn = new QVBoxLayout(output);
    outputColumn->addWidget(linear_);
    outputColumn->addWidget(characterised_);
    outputColumn->addLayout(rangeLine);
    outputColumn->addLayout(options);
    outputColumn->addStretch();

    auto* row = new QHBoxLayout(frame);
    row->addLayout(fields, 1);
    row->addSpacing(8);
    row->addWidget(output);
    return frame;
}

void TAOUTSetup::loadPage(int channel) {
    channel_ = channel;
    const AnalogOutputPage page = loadAnalogOutput(db_, channel);
    register_->setText(toQString(page.label));
    const bool physical = isPhysicalOutput(channel);
    for (QWidget* control :
         std::initializer_list<QWidget*>{bias_, linear_, characterised_, range_, tenths_, fahrenheit_}) {
        control->setEnabled(physical);
    }
    comment_->setText(toQString(page.comment));
    showNumber(from_, page.from, kSpanLength);
    showNumber(to_, page.to, kSpanLength);
    // An output without a zero bias and a type keeps what the last one showed, greyed.
    if (!physical) return;
    showNumber(bias_, page.bias, kBiasLength);
    range_->setCurrentIndex(page.characteristic.value_or(-1));
    (page.characterised ? characterised_ : linear_)->setChecked(true);
    tenths_->setChecked(page.tenths);
    fahrenheit_->setChecked(page.fahrenheit);
}

AnalogOutputPage TAOUTSetup::typedPage() const {
    AnalogOutputPage page;
    page.comment = toUtf8(comment_->text());
    page.from = toUtf8(from_->text());
    page.to = toUtf8(to_->text());
    page.bias = toUtf8(bias_->text());
    if (range_->currentIndex() >= 0) page.characteristic = range_->currentIndex();
    page.characterised = characterised_->isChecked();
    page.tenths = tenths_->isChecked();
    page.fahrenheit = fahrenheit_->isChecked();
    return page;
}

bool TAOUTSetup::storePage() {
    const StoreResult<AnalogOutputField> stored = storeAnalogOutput(db_, channel_, typedPage());
    if (stored) return true;
    QLineEdit* field = nullptr;
    switch (stored.refusal().field) {
        case AnalogOutputField::Bias:
            field = bias_;
            break;
        case AnalogOutputField::From:
            field = from_;
            break;
        case AnalogOutputField::To:
            field = to_;
            break;
    }
    refuseField(stored.refusal().message, field, gui_);
    return false;
}

void TAOUTSetup::positionChosen(int position) {
    if (channel_ < 0) return;
    if (!storePage()) {
        // The up-down goes back to the output still on display.
        const QSignalBlocker quiet(position_);
        position_->setValue(channel_ - kAnalogOutputsPerTab * tabs_->shownPage());
        return;
    }
    loadPage(analogOutputChannel(tabs_->shownPage(), position));
}

void TAOUTSetup::accept() {
    if (!storePage()) return;
    db_.markModified();
    QDialog::accept();
}

void TAOUTSetup::reject() {
    QDialog::reject();
    opened_.markModifiedIfChanged(db_);
}

}  // namespace zat
