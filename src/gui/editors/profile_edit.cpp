#include "gui/editors/profile_edit.h"

#include "gui/common/accessible_names.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/field_refusal.h"
#include "gui/editors/editor_fields.h"
#include "gui/editors/page_tabs.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace zat {

namespace {

QString rowName(const char* field, int segment) { return QString::fromLatin1(field) + QString::number(segment); }

// A five-character edit for any text; the rules read it.
QLineEdit* makeEntryEdit(QWidget* parent, const QString& objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(static_cast<int>(kProfileEntryChars));
    return edit;
}

// The columns of a segment: heading and unit.
struct SegmentColumn {
    const char* title;
    const char* unit;
};
constexpr SegmentColumn kRateColumn{"Rate", "(Digits/Hour)"};
constexpr SegmentColumn kLevelColumn{"Level", "(Digits)"};
constexpr SegmentColumn kDwellColumn{"Dwell", "(Hours)"};

// A column heading of two lines, centred over its edits.
QLabel* heading(const SegmentColumn& column, QWidget* parent) {
    auto* label = new QLabel(toQString(column.title) + QLatin1Char('\n') + toQString(column.unit), parent);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    return label;
}

}  // namespace

TProfileEdit::TProfileEdit(const WindowContext& context)
    : QDialog(context.parent), db_(context.db), gui_(context.gui), opened_(context.db) {
    setWindowTitle(QStringLiteral("Profile Editor"));

    tabs_ = new PageTabs(
        this, [this] { return storePage(); }, [this](int tab) { loadPage(tab); });
    const QIcon icon(QStringLiteral(":/icons/tab_profile.svg"));
    for (int p = 0; p < kProfileCount; ++p) tabs_->addTab(icon, toQString(profileTabTitle(p)));
    tabs_->setDrawBase(false);

    layOutPagedDialog(*this, tabs_, buildPage(),
                      makeDialogButtons(*this, &gui_, DialogButtons{QStringLiteral("&OK"), kHelpContext}));

    loadPage(0);
}

QWidget* TProfileEdit::buildPage() {
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("page"));
    frame->setFrameShape(QFrame::StyledPanel);
    const QFontMetrics metrics = fontMetrics();
    const int entryWidth = metrics.horizontalAdvance(QStringLiteral("99999W")) + 16;

    comment_ = makeCommentEdit(frame, QStringLiteral("comment"));
    comment_->setMinimumWidth(metrics.horizontalAdvance(QString(kCommentLength, QChar('x'))));
    auto* commentLabel = new QLabel(QStringLiteral("Comment"), frame);
    commentLabel->setBuddy(comment_);
    auto* commentLine = new QHBoxLayout;
    commentLine->addWidget(commentLabel);
    commentLine->addWidget(comment_, 1);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(4);
    grid->addWidget(new QLabel(QStringLiteral("Segment"), frame), 0, 0, Qt::AlignBottom);
    grid->addWidget(heading(kRateColumn, frame), 0, 1);
    grid->addWidget(heading(kLevelColumn, frame), 0, 2);
    grid->addWidget(heading(kDwellColumn, frame), 0, 3);
    for (int i = 0; i < kProfileSegmentCount; ++i) {
        SegmentRow& row = rows_[static_cast<std::size_t>(i)];
        row.rate = makeEntryEdit(frame, rowName("rate", i));
        row.level = makeNumberEdit(frame, rowName("level", i), kProfileEntryChars);
        row.dwell = makeEntryEdit(frame, rowName("dwell", i));
        // The dwell is hours: digits and a point.
        row.dwell->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[+-]?[0-9]*\\.?[0-9]*")), row.dwell));
        auto* number = new QLabel(QString::number(i), frame);
        number->setAlignment(Qt::AlignCenter);
        grid->addWidget(number, i + 1, 0);
        int column = 1;
        const QString segment = QStringLiteral("Segment %1").arg(i);
        nameCell(row.rate, segment, toQString(kRateColumn.title));
        nameCell(row.level, segment, toQString(kLevelColumn.title));
        nameCell(row.dwell, segment, toQString(kDwellColumn.title));
        for (QLineEdit* edit : {row.rate, row.level, row.dwell}) {
            edit->setFixedWidth(entryWidth);
            edit->setAlignment(Qt::AlignRight);
            grid->addWidget(edit, i + 1, column++, Qt::AlignHCenter);
        }
    }
    grid->setColumnStretch(4, 1);

    linked_ = new QCheckBox(QStringLiteral("Link To Profile"), frame);
    linked_->setObjectName(QStringLiteral("linked"));
    link_ = makeEntryEdit(frame, QStringLiteral("link"));
    link_->setAccessibleName(QStringLiteral("Linked profile number"));
    acceptDigitsOnly(link_);
    link_->setFixedWidth(entryWidth);
    link_->setAlignment(Qt::AlignRight);
    connect(linked_, &QCheckBox::toggled, link_, &QWidget::setEnabled);
    auto* linkLine = new QHBoxLayout;
    linkLine->addWidget(linked_);
    linkLine->addWidget(link_);
    linkLine->addStretch();

    auto* column = new QVBoxLayout(frame);
    column->addLayout(commentLine);
    column->addSpacing(6);
    column->addLayout(grid);
    column->addSpacing(6);
    column->addLayout(linkLine);
    return frame;
}

void TProfileEdit::loadPage(int profile) {
    const ProfilePage page = loadProfile(db_, profile);
    comment_->setText(toQString(page.comment));
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].rate->setText(toQString(page.segments[i].rate));
        showNumber(rows_[i].level, page.segments[i].level, kProfileEntryChars);
        rows_[i].dwell->setText(toQString(page.segments[i].dwell));
    }
    linked_->setChecked(page.linked);
    link_->setEnabled(page.linked);
    link_->setText(toQString(page.link));
}

ProfilePage TProfileEdit::typedPage() const {
    ProfilePage page;
    page.comment = toUtf8(comment_->text());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        page.segments[i] = {toUtf8(rows_[i].rate->text()), toUtf8(rows_[i].level->text()),
                            toUtf8(rows_[i].dwell->text())};
    }
    page.linked = linked_->isChecked();
    page.link = toUtf8(link_->text());
    return page;
}

bool TProfileEdit::storePage() {
    const StoreResult<ProfileField> stored = storeProfile(db_, tabs_->shownPage(), typedPage());
    if (stored) return true;
    const FieldRefusal<ProfileField>& refusal = stored.refusal();
    const SegmentRow& row = rows_[static_cast<std::size_t>(refusal.row)];
    QLineEdit* field = nullptr;
    switch (refusal.field) {
        case ProfileField::Rate:
            field = row.rate;
            break;
        case ProfileField::Level:
            field = row.level;
            break;
        case ProfileField::Dwell:
            field = row.dwell;
            break;
        case ProfileField::Link:
            field = link_;
            break;
    }
    refuseField(refusal.message, field, gui_);
    return false;
}

void TProfileEdit::accept() {
    if (!storePage()) return;
    db_.markModified();
    QDialog::accept();
}

void TProfileEdit::reject() {
    QDialog::reject();
    opened_.markModifiedIfChanged(db_);
}

}  // namespace zat
