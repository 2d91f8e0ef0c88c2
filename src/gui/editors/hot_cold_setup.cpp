#include "gui/editors/hot_cold_setup.h"

#include "gui/common/dialog_buttons.h"
#include "gui/common/field_refusal.h"
#include "gui/editors/editor_fields.h"
#include "gui/editors/page_tabs.h"
#include "model/register_ref.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QValidator>

namespace zat {

namespace {

constexpr int kInputsPerColumn = 8;  // one card slot, one list word
constexpr int kCommentWidthInCharacters = 32;

QLineEdit* makeDestinationEdit(QWidget* parent, const QString& objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(static_cast<int>(kDestinationEditLength));
    edit->setValidator(new UpperCaseValidator(edit));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("B39")) * 2);
    return edit;
}

QIcon blockIcon(bool enabled) {
    return QIcon(enabled ? QStringLiteral(":/icons/tab_block_enabled.svg")
                         : QStringLiteral(":/icons/tab_block_disabled.svg"));
}

}  // namespace

THCSetup::THCSetup(const WindowContext& context) : QDialog(context.parent), db_(context.db), gui_(context.gui) {
    setWindowTitle(QStringLiteral("Hot Cold Calculation Block"));

    tabs_ = new PageTabs(
        this, [this] { return storePage(); }, [this](int block) { loadPage(block); });
    for (int block = 0; block < kHotColdBlockCount; ++block)
        tabs_->addTab(blockIcon(false), toQString(hotColdTabTitle(block)));

    auto* page = new QFrame(this);
    page->setObjectName(QStringLiteral("page"));
    page->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);

    enabled_ = new QCheckBox(QStringLiteral("Block Enabled"), page);
    enabled_->setObjectName(QStringLiteral("enabled"));
    comment_ = makeCommentEdit(page, QStringLiteral("comment"));
    comment_->setMinimumWidth(comment_->fontMetrics().averageCharWidth() * kCommentWidthInCharacters);
    auto* commentLabel = new QLabel(QStringLiteral("Comment"), page);
    commentLabel->setBuddy(comment_);

    auto* inputBox = new QGroupBox(QStringLiteral("Inputs"), page);
    inputBox->setObjectName(QStringLiteral("inputs"));
    auto* inputGrid = new QGridLayout(inputBox);
    inputGrid->setHorizontalSpacing(18);
    for (int k = 0; k < kAnalogInputCount; ++k) {
        const QString name = toQString(channelLabel('A', k));
        auto* box = new QCheckBox(name, inputBox);
        box->setObjectName(name);
        inputs_[static_cast<std::size_t>(k)] = box;
        inputGrid->addWidget(box, k % kInputsPerColumn, k / kInputsPerColumn);
    }

    auto* outputBox = new QGroupBox(QStringLiteral("Outputs"), page);
    outputBox->setObjectName(QStringLiteral("outputs"));
    auto* outputGrid = new QGridLayout(outputBox);
    hottest_ = makeDestinationEdit(outputBox, QStringLiteral("hottest"));
    coldest_ = makeDestinationEdit(outputBox, QStringLiteral("coldest"));
    average_ = makeDestinationEdit(outputBox, QStringLiteral("average"));
    spread_ = makeDestinationEdit(outputBox, QStringLiteral("spread"));
    const std::array<std::pair<const char*, QLineEdit*>, 4> outputs{
        {{"Hottest", hottest_}, {"Coldest", coldest_}, {"Average", average_}, {"Spread", spread_}}};
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        auto* label = new QLabel(toQString(outputs[i].first), outputBox);
        label->setBuddy(outputs[i].second);
        outputGrid->addWidget(label, static_cast<int>(i), 0);
        outputGrid->addWidget(outputs[i].second, static_cast<int>(i), 1);
    }
    outputGrid->setRowStretch(static_cast<int>(outputs.size()), 1);

    auto* commentRow = new QHBoxLayout;
    commentRow->addWidget(commentLabel);
    commentRow->addWidget(comment_, 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(inputBox);
    groups->addWidget(outputBox);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(enabled_);
    pageLayout->addLayout(commentRow);
    pageLayout->addLayout(groups, 1);

    layOutPagedDialog(*this, tabs_, page,
                      makeDialogButtons(*this, &gui_, DialogButtons{QStringLiteral("&OK"), kHelpContext}));

    tabs_->setCurrentIndex(0);
    loadPage(0);
    refreshTabImages();
}

void THCSetup::loadPage(int block) {
    showTabImage(block);
    const HotColdPage page = loadHotColdBlock(db_, block);
    comment_->setText(toQString(page.comment));
    enabled_->setChecked(page.enabled);
    hottest_->setText(toQString(page.hottest));
    coldest_->setText(toQString(page.coldest));
    average_->setText(toQString(page.mean));
    spread_->setText(toQString(page.spread));
    for (std::size_t k = 0; k < inputs_.size(); ++k) inputs_[k]->setChecked(page.inputs[k]);
}

bool THCSetup::storePage() {
    HotColdPage page{
        .comment = toUtf8(comment_->text()),
        .enabled = enabled_->isChecked(),
        .hottest = toUtf8(hottest_->text()),
        .coldest = toUtf8(coldest_->text()),
        .mean = toUtf8(average_->text()),
        .spread = toUtf8(spread_->text()),
    };
    for (std::size_t k = 0; k < inputs_.size(); ++k) page.inputs[k] = inputs_[k]->isChecked();

    const StoreResult<HotColdField> stored = storeHotColdBlock(db_, tabs_->shownPage(), page);
    if (!stored) {
        refuseField(stored.refusal().message, destinationEdit(stored.refusal().field), gui_);
        return false;
    }
    refreshTabImages();
    return true;
}

void THCSetup::refreshTabImages() {
    for (int block = 0; block < kHotColdBlockCount; ++block) showTabImage(block);
}

void THCSetup::showTabImage(int block) {
    tabs_->setTabIcon(block, blockIcon(isHotColdBlockEnabled(db_.hotColdBlocks[static_cast<std::size_t>(block)])));
}

QLineEdit* THCSetup::destinationEdit(HotColdField field) const {
    switch (field) {
        case HotColdField::Hottest:
            return hottest_;
        case HotColdField::Coldest:
            return coldest_;
        case HotColdField::Mean:
            return average_;
        case HotColdField::Spread:
            return spread_;
    }
    return hottest_;
}

void THCSetup::accept() {
    if (!storePage()) return;
    db_.markModified();
    QDialog::accept();
}

}  // namespace zat
