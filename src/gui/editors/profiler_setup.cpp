#include "gui/editors/profiler_setup.h"

#include "gui/common/dialog_buttons.h"
#include "gui/common/field_refusal.h"
#include "gui/editors/editor_fields.h"
#include "gui/editors/page_tabs.h"
#include "gui/editors/register_edits.h"

#include <QCheckBox>
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

constexpr int kCommentWidthInCharacters = 32;

QIcon profilerIcon(bool enabled) {
    return QIcon(enabled ? QStringLiteral(":/icons/tab_profiler_enabled.svg")
                         : QStringLiteral(":/icons/tab_profiler_disabled.svg"));
}

// "Ready SP" becomes "readySp": the edit's object name, which the tests use.
QString objectNameFor(const char* label) {
    QString name;
    bool upper = false;
    for (const QChar c : toQString(label)) {
        if (c == QChar(' ')) {
            upper = true;
            continue;
        }
        name += name.isEmpty() ? c.toLower() : (upper ? c.toUpper() : c.toLower());
        upper = false;
    }
    return name;
}

}  // namespace

TProfilerSetup::TProfilerSetup(const WindowContext& context)
    : QDialog(context.parent), db_(context.db), gui_(context.gui), opened_(context.db) {
    setWindowTitle(QStringLiteral("Profiler Configuration"));

    tabs_ = new PageTabs(
        this, [this] { return storePage(); }, [this](int profiler) { loadPage(profiler); });
    tabs_->setDrawBase(false);
    for (int p = 0; p < kProfilerCount; ++p) tabs_->addTab(profilerIcon(false), toQString(profilerTabTitle(p)));

    layOutPagedDialog(
        *this, tabs_, buildPage(),
        makeDialogButtons(*this, &gui_, DialogButtons{QStringLiteral("&Close"), kHelpContext, /*cancel=*/false}));

    tabs_->setCurrentIndex(0);
    loadPage(0);
}

QGroupBox* TProfilerSetup::buildGroup(QWidget* parent, const char* title, std::initializer_list<ProfilerField> fields) {
    auto* group = new QGroupBox(toQString(title), parent);
    auto* grid = new QGridLayout(group);
    int row = 0;
    for (const ProfilerField field : fields) {
        const char* label = profilerRegisterField(field).label;
        QLineEdit* edit = makeRegisterEdit(group, objectNameFor(label));
        registers_[static_cast<std::size_t>(field)] = edit;
        auto* name = new QLabel(toQString(label), group);
        name->setBuddy(edit);
        grid->addWidget(name, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(row, 1);
    return group;
}

QWidget* TProfilerSetup::buildPage() {
    auto* page = new QFrame(this);
    page->setObjectName(QStringLiteral("page"));
    page->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);

    enabled_ = new QCheckBox(QStringLiteral("Profiler Enabled"), page);
    enabled_->setObjectName(QStringLiteral("enabled"));
    comment_ = makeCommentEdit(page, QStringLiteral("comment"));
    comment_->setMinimumWidth(comment_->fontMetrics().averageCharWidth() * kCommentWidthInCharacters);
    auto* commentLabel = new QLabel(QStringLiteral("Comment"), page);
    commentLabel->setBuddy(comment_);

    using F = ProfilerField;
    auto* groups = new QHBoxLayout;
    groups->addWidget(buildGroup(page, "I/O", {F::Measured, F::Output, F::ReadySp}));
    groups->addWidget(buildGroup(page, "Run Control", {F::Profile, F::Start, F::Stop, F::Hold}));
    groups->addWidget(buildGroup(page, "Event Outputs", {F::Run, F::Dwell, F::DownRamp, F::UpRamp}));

    auto* commentRow = new QHBoxLayout;
    commentRow->addWidget(commentLabel);
    commentRow->addWidget(comment_, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(enabled_);
    layout->addLayout(commentRow);
    layout->addLayout(groups, 1);
    return page;
}

void TProfilerSetup::loadPage(int profiler) {
    const ProfilerPage page = loadProfiler(db_, profiler);
    enabled_->setChecked(page.enabled);
    comment_->setText(toQString(page.comment));
    for (std::size_t i = 0; i < registers_.size(); ++i) registers_[i]->setText(toQString(page.registers[i]));
    refreshTabImages();
}

bool TProfilerSetup::storePage() {
    ProfilerPage page{.enabled = enabled_->isChecked(), .comment = toUtf8(comment_->text())};
    for (std::size_t i = 0; i < registers_.size(); ++i) page.registers[i] = toUtf8(registers_[i]->text());
    const StoreResult<ProfilerField> stored = storeProfiler(db_, tabs_->shownPage(), page);
    if (stored) return true;
    refuseField(stored.refusal().message, registerEdit(stored.refusal().field), gui_);
    return false;
}

void TProfilerSetup::refreshTabImages() {
    for (int p = 0; p < kProfilerCount; ++p)
        tabs_->setTabIcon(p, profilerIcon(isProfilerEnabled(db_.profilers[static_cast<std::size_t>(p)])));
}

void TProfilerSetup::accept() {
    if (!storePage()) return;
    db_.markModified();
    QDialog::accept();
}

void TProfilerSetup::reject() {
    QDialog::reject();
    opened_.markModifiedIfChanged(db_);
}

}  // namespace zat
