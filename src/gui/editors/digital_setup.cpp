#include "gui/editors/digital_setup.h"

#include "gui/common/dialog_buttons.h"
#include "gui/editors/editor_fields.h"
#include "gui/editors/page_tabs.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zat {

namespace {

// Room for a whole comment of average letters.
constexpr int kCommentWidthInCharacters = 32;

QString tabIconPath(DigitalMode mode) {
    return mode == DigitalMode::Inputs ? QStringLiteral(":/icons/tab_digital_input.svg")
                                       : QStringLiteral(":/icons/tab_digital_output.svg");
}

}  // namespace

TDSetup::TDSetup(const WindowContext& context, DigitalMode mode)
    : QDialog(context.parent), db_(context.db), gui_(context.gui), mode_(mode), opened_(context.db) {
    const DigitalCommentLayout& layout = digitalCommentLayout(mode);
    setWindowTitle(toQString(layout.caption));

    tabs_ = new PageTabs(
        this, [this] { return storePage(); }, [this](int tab) { loadPage(tab); });
    const QIcon icon(tabIconPath(mode));
    for (int tab = 0; tab < layout.tabCount; ++tab) tabs_->addTab(icon, toQString(digitalCommentTabTitle(tab)));

    auto* page = new QFrame(this);
    page->setObjectName(QStringLiteral("page"));
    page->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    channels_ = new QGroupBox(toQString(layout.groupTitle), page);
    channels_->setObjectName(QStringLiteral("channels"));
    auto* rows = new QGridLayout(channels_);
    rows->setHorizontalSpacing(12);
    for (int r = 0; r < kDigitalCommentRowCount; ++r) {
        const auto row = static_cast<std::size_t>(r);
        labels_[row] = new QLabel(channels_);
        labels_[row]->setObjectName(QStringLiteral("label%1").arg(r));
        comments_[row] = makeCommentEdit(channels_, QStringLiteral("comment%1").arg(r));
        comments_[row]->setMinimumWidth(comments_[row]->fontMetrics().averageCharWidth() * kCommentWidthInCharacters);
        labels_[row]->setBuddy(comments_[row]);
        rows->addWidget(labels_[row], r, 0);
        rows->addWidget(comments_[row], r, 1);
    }
    rows->setColumnStretch(1, 1);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(channels_);

    layOutPagedDialog(*this, tabs_, page,
                      makeDialogButtons(*this, &gui_, DialogButtons{QStringLiteral("&OK"), layout.helpContext}));

    tabs_->setCurrentIndex(0);
    loadPage(0);
}

void TDSetup::loadPage(int tab) {
    const DigitalCommentPage page = loadDigitalCommentPage(db_, mode_, tab);
    for (std::size_t r = 0; r < page.size(); ++r) {
        labels_[r]->setText(toQString(page[r].label));
        comments_[r]->setText(toQString(page[r].comment));
    }
}

bool TDSetup::storePage() {
    DigitalCommentPage page;
    for (std::size_t r = 0; r < page.size(); ++r) page[r].comment = toUtf8(comments_[r]->text());
    storeDigitalCommentPage(db_, mode_, tabs_->shownPage(), page);
    return true;
}

void TDSetup::accept() {
    if (!storePage()) return;
    db_.markModified();
    QDialog::accept();
}

void TDSetup::reject() {
    opened_.markModifiedIfChanged(db_);
    QDialog::reject();
}

}  // namespace zat
