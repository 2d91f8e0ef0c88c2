#include "gui/editors/analog_input_setup.h"

#include "gui/common/accessible_names.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/field_refusal.h"
#include "gui/editors/editor_fields.h"
#include "gui/editors/page_tabs.h"
#include "model/channel_type.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zat {

namespace {

// The columns of a row, from the left.
enum Column { Label, Scan, Type, ColdJunction, Tenths, Fahrenheit, Tcbo, CommentColumn, Hi, Lo, ColumnCount };

const char* const kHeaders[ColumnCount] = {"",   "Scan", "Type",    "CJ",        "1/10ths",
                                           "°F", "TCBO", "Comment", "Hi Scalar", "Lo Scalar"};

QString rowName(const char* field, int row) { return QString::fromLatin1(field) + QString::number(row); }

QCheckBox* newBox(QWidget* parent, const char* field, int row) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(rowName(field, row));
    return box;
}

}  // namespace

TAINSetup::TAINSetup(const WindowContext& context)
    : QDialog(context.parent), db_(context.db), gui_(context.gui), opened_(context.db) {
    setWindowTitle(QStringLiteral("Analogue Inputs"));

    tabs_ = new PageTabs(
        this, [this] { return storePage(); }, [this](int slot) { loadPage(slot); });
    const QIcon icon(QStringLiteral(":/icons/tab_analog_input.svg"));
    for (int s = 0; s < kSlotCount; ++s) tabs_->addTab(icon, toQString(analogInputSlotTitle(s)));
    tabs_->setDrawBase(false);

    layOutPagedDialog(*this, tabs_, buildPage(),
                      makeDialogButtons(*this, &gui_, DialogButtons{QStringLiteral("&OK"), kHelpContext, false}));

    loadPage(0);
}

QWidget* TAINSetup::buildPage() {
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("page"));
    frame->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    for (int c = Label + 1; c < ColumnCount; ++c) {
        auto* header = new QLabel(toQString(kHeaders[c]), frame);
        const bool centred = c != Type && c != CommentColumn;
        grid->addWidget(header, 0, c, centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    }

    QStringList typeNames;
    for (int t = 0; t < kChannelTypeCount; ++t) typeNames << toQString(channelType(t)->name);
    const QFontMetrics metrics = fontMetrics();
    for (int r = 0; r < kAnalogInputRowCount; ++r) {
        Row& row = rows_[static_cast<std::size_t>(r)];
        row.label = new QLabel(frame);
        row.label->setObjectName(rowName("label", r));
        row.scan = newBox(frame, "scan", r);
        row.type = new QComboBox(frame);
        row.type->setObjectName(rowName("type", r));
        row.type->addItems(typeNames);
        row.type->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        // On Linux a combo box is spoken by its label and its current text.
        row.label->setBuddy(row.type);
        row.coldJunction = newBox(frame, "coldJunction", r);
        row.tenths = newBox(frame, "tenths", r);
        row.fahrenheit = newBox(frame, "fahrenheit", r);
        row.tcbo = newBox(frame, "tcbo", r);
        row.comment = makeCommentEdit(frame, rowName("comment", r));
        row.comment->setMinimumWidth(metrics.horizontalAdvance(QString(kCommentLength, QChar('x'))));
        row.hiScalar = makeNumberEdit(frame, rowName("hiScalar", r), kScalarEditLength);
        row.loScalar = makeNumberEdit(frame, rowName("loScalar", r), kScalarEditLength);
        for (QLineEdit* scalar : {row.hiScalar, row.loScalar}) {
            scalar->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("-99999")) + 16);
            scalar->setAlignment(Qt::AlignRight);
        }

        const int line = r + 1;
        grid->addWidget(row.label, line, Label);
        grid->addWidget(row.scan, line, Scan, Qt::AlignCenter);
        grid->addWidget(row.type, line, Type);
        grid->addWidget(row.coldJunction, line, ColdJunction, Qt::AlignCenter);
        grid->addWidget(row.tenths, line, Tenths, Qt::AlignCenter);
        grid->addWidget(row.fahrenheit, line, Fahrenheit, Qt::AlignCenter);
        grid->addWidget(row.tcbo, line, Tcbo, Qt::AlignCenter);
        grid->addWidget(row.comment, line, CommentColumn);
        grid->addWidget(row.hiScalar, line, Hi, Qt::AlignCenter);
        grid->addWidget(row.loScalar, line, Lo, Qt::AlignCenter);

        connect(row.type, &QComboBox::currentIndexChanged, this, [this, r] { typeChosen(r); });
    }
    grid->setColumnStretch(CommentColumn, 1);

    auto* allSame = new QPushButton(QStringLiteral("All &Same"), frame);
    allSame->setObjectName(QStringLiteral("allSame"));
    connect(allSame, &QPushButton::clicked, this, [this] { applyAllSame(); });
    auto* below = new QHBoxLayout;
    below->addWidget(allSame);
    below->addStretch();

    auto* column = new QVBoxLayout(frame);
    column->addLayout(grid);
    column->addSpacing(6);
    column->addLayout(below);
    return frame;
}

int TAINSetup::slot() const { return tabs_->shownPage(); }

void TAINSetup::loadPage(int slot) { showPage(loadAnalogInputPage(db_, slot)); }

void TAINSetup::showPage(const Page& page) {
    showing_ = true;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const Row& row = rows_[r];
        const AnalogInputRow& shown = page[r];
        row.label->setText(toQString(shown.label));
        nameRow(row);
        row.comment->setText(toQString(shown.comment));
        row.type->setCurrentIndex(shown.typeIndex.value_or(-1));
        row.scan->setChecked(shown.scan);
        row.coldJunction->setChecked(shown.coldJunction);
        row.tenths->setChecked(shown.tenths);
        row.fahrenheit->setChecked(shown.fahrenheit);
        row.tcbo->setChecked(shown.tcbo);
        showNumber(row.hiScalar, shown.hiScalar, kScalarEditLength);
        showNumber(row.loScalar, shown.loScalar, kScalarEditLength);
        enableRow(row, analogInputControls(shown.typeIndex));
    }
    showing_ = false;
}

void TAINSetup::nameRow(const Row& row) {
    const QString channel = row.label->text();
    const std::pair<QWidget*, Column> cells[] = {
        {row.scan, Scan},
        {row.type, Type},
        {row.coldJunction, ColdJunction},
        {row.tenths, Tenths},
        {row.fahrenheit, Fahrenheit},
        {row.tcbo, Tcbo},
        {row.comment, CommentColumn},
        {row.hiScalar, Hi},
        {row.loScalar, Lo},
    };
    for (const auto& [control, column] : cells) nameCell(control, channel, toQString(kHeaders[column]));
}

void TAINSetup::enableRow(const Row& row, const AnalogInputControls& controls) {
    row.scan->setEnabled(controls.scan);
    row.coldJunction->setEnabled(controls.coldJunction);
    row.tenths->setEnabled(controls.tenths);
    row.fahrenheit->setEnabled(controls.fahrenheit);
    row.tcbo->setEnabled(controls.tcbo);
    row.hiScalar->setEnabled(controls.scalars);
    row.loScalar->setEnabled(controls.scalars);
}

TAINSetup::Page TAINSetup::typedPage() const {
    Page page;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const Row& row = rows_[r];
        AnalogInputRow& typed = page[r];
        typed.comment = toUtf8(row.comment->text());
        const int type = row.type->currentIndex();
        if (type >= 0) typed.typeIndex = type;
        typed.scan = row.scan->isChecked();
        typed.coldJunction = row.coldJunction->isChecked();
        typed.tenths = row.tenths->isChecked();
        typed.fahrenheit = row.fahrenheit->isChecked();
        typed.tcbo = row.tcbo->isChecked();
        typed.hiScalar = toUtf8(row.hiScalar->text());
        typed.loScalar = toUtf8(row.loScalar->text());
    }
    return page;
}

bool TAINSetup::storePage() {
    const StoreResult<AnalogInputField> stored = storeAnalogInputPage(db_, slot(), typedPage());
    if (!stored) refuse(stored.refusal());
    return stored.ok();
}

void TAINSetup::refuse(const FieldRefusal<AnalogInputField>& refusal) {
    const Row& row = rows_[static_cast<std::size_t>(refusal.row)];
    refuseField(refusal.message, refusal.field == AnalogInputField::HiScalar ? row.hiScalar : row.loScalar, gui_);
}

void TAINSetup::typeChosen(int row) {
    if (showing_) return;
    // A stored page is shown again, which sets the controls the new type
    // allows. A refused one keeps every typed entry on display; only the
    // chosen row's controls follow its new type.
    if (storePage()) {
        loadPage(slot());
        return;
    }
    const Row& changed = rows_[static_cast<std::size_t>(row)];
    const int type = changed.type->currentIndex();
    enableRow(changed, analogInputControls(type >= 0 ? std::optional<int>(type) : std::nullopt));
}

void TAINSetup::applyAllSame() {
    const auto applied = applyAnalogInputAllSame(db_, slot(), typedPage());
    if (!applied) {
        refuse(applied.refusal());
        return;
    }
    showPage(applied.value());
}

void TAINSetup::accept() {
    if (!storePage()) return;
    db_.markModified();
    QDialog::accept();
}

void TAINSetup::reject() {
    QDialog::reject();
    opened_.markModifiedIfChanged(db_);
}

}  // namespace zat
