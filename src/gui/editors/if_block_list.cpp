#include "gui/editors/if_block_list.h"

#include "gui/common/dialog_buttons.h"
#include "gui/editors/editor_fields.h"
#include "gui/editors/if_block_editor.h"
#include "gui/printing/listing_printer.h"

#include <QAction>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace zat {

namespace {

constexpr int kColumnWidths[] = {120, 180, 180, 180};
constexpr int kListMinimumHeight = 320;

QIcon lineIcon(bool enabled) {
    return QIcon(enabled ? QStringLiteral(":/icons/if_block_enabled.svg")
                         : QStringLiteral(":/icons/if_block_disabled.svg"));
}

}  // namespace

TIFList::TIFList(const WindowContext& context)
    : QDialog(context.parent), db_(context.db), gui_(context.gui), protocol_(context.protocol) {
    setWindowTitle(QStringLiteral("IF Blocks"));

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("list"));
    list_->setColumnCount(4);
    list_->setHeaderLabels({QStringLiteral("Condition"), QStringLiteral("Action if true"),
                            QStringLiteral("Action if false"), QStringLiteral("Comment")});
    for (int column = 0; column < 4; ++column) list_->setColumnWidth(column, kColumnWidths[column]);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->setMinimumHeight(kListMinimumHeight);
    list_->setMinimumWidth(std::accumulate(std::begin(kColumnWidths), std::end(kColumnWidths), 24));

    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("contextMenu"));
    // The keys are the list's own, not the menu entries': an entry is greyed
    // when it cannot apply, but its key still runs the command, which checks
    // the selection for itself and says why it does nothing, as its button does.
    const auto command = [this](const char* name, const QString& text, const QKeySequence& keys,
                                void (TIFList::*run)()) {
        QAction* action = menu_->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, run);
        if (!keys.isEmpty()) {
            action->setText(text + QLatin1Char('\t') + keys.toString(QKeySequence::NativeText));
            auto* key = new QShortcut(keys, list_);
            key->setContext(Qt::WidgetWithChildrenShortcut);
            key->setObjectName(QString::fromLatin1(name) + QStringLiteral("Key"));
            connect(key, &QShortcut::activated, this, run);
        }
        return action;
    };
    copy_ = command("copy", QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), &TIFList::copyBlock);
    paste_ = command("paste", QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), &TIFList::pasteBlock);
    enable_ = command("enable", QStringLiteral("Enable"), QKeySequence(Qt::CTRL | Qt::Key_E), &TIFList::enableBlocks);
    disable_ =
        command("disable", QStringLiteral("Disable"), QKeySequence(Qt::CTRL | Qt::Key_D), &TIFList::disableBlocks);
    edit_ = command("edit", QStringLiteral("Edit"), QKeySequence(Qt::Key_E), &TIFList::editBlock);
    delete_ = command("delete", QStringLiteral("Delete"), QKeySequence(Qt::Key_Delete), &TIFList::deleteBlocks);
    menu_->addSeparator();
    insert_ = command("insert", QStringLiteral("Insert"), QKeySequence(Qt::Key_Insert), &TIFList::insertBlock);
    print_ = command("print", QStringLiteral("Print"), QKeySequence(), &TIFList::printList);

    // The buttons: each command checks the selection for itself.
    auto* buttons = new QVBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    const auto button = [this, buttons](const char* name, const QString& text, void (TIFList::*run)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name) + QStringLiteral("Button"));
        b->setAutoDefault(false);
        if (run != nullptr) connect(b, &QPushButton::clicked, this, run);
        buttons->addWidget(b);
        return b;
    };
    button("edit", QStringLiteral("Edit"), &TIFList::editBlock);
    button("insert", QStringLiteral("Insert"), &TIFList::insertBlock);
    button("delete", QStringLiteral("&Delete"), &TIFList::deleteBlocks);
    button("enable", QStringLiteral("Enable"), &TIFList::enableBlocks);
    button("disable", QStringLiteral("Disable"), &TIFList::disableBlocks);
    button("print", QStringLiteral("Print"), &TIFList::printList);
    buttons->addSpacing(12);
    buttons->addWidget(
        makeDialogButtons(*this, &gui_, DialogButtons{QStringLiteral("Close"), kHelpContext, /*cancel=*/false}));
    buttons->addStretch(1);

    auto* whole = new QHBoxLayout(this);
    whole->addWidget(list_, 1);
    whole->addSpacing(6);
    whole->addLayout(buttons);

    connect(list_, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        updateCommands();
        menu_->popup(list_->viewport()->mapToGlobal(at));
    });
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &TIFList::updateCommands);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &TIFList::editDoubleClicked);

    // The count kept with the configuration is not trusted: refreshList
    // closes the slots up and counts them before the first line is shown.
    refreshList();
}

void TIFList::refreshList() {
    list_->clear();
    compactIfBlocks(db_);
    for (const IfLine& line : ifLines(db_)) {
        auto* item = new QTreeWidgetItem(list_);
        item->setIcon(0, lineIcon(line.enabled));
        item->setText(0, toQString(line.condition));
        item->setText(1, toQString(line.thenAction));
        item->setText(2, toQString(line.elseAction));
        item->setText(3, toQString(line.comment));
    }
    updateCommands();
}

IfSelection TIFList::selection() const {
    IfSelection lines;
    for (QTreeWidgetItem* item : list_->selectedItems()) lines.push_back(list_->indexOfTopLevelItem(item));
    std::sort(lines.begin(), lines.end());
    return lines;
}

void TIFList::select(const IfSelection& lines) {
    list_->clearSelection();
    for (int line : lines)
        if (QTreeWidgetItem* item = list_->topLevelItem(line)) item->setSelected(true);
    if (!lines.empty())
        if (QTreeWidgetItem* item = list_->topLevelItem(lines.front()))
            list_->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
}

void TIFList::scrollTo(int line) {
    if (QTreeWidgetItem* item = list_->topLevelItem(line)) list_->scrollToItem(item);
}

bool TIFList::runEditor(int slot) {
    TAlSetup editor(WindowContext{db_, gui_, protocol_, this}, slot);
    const bool ok = gui_.dialogs.run(editor) == QDialog::Accepted;
    return ok;
}

void TIFList::showRefusal(const FieldMessage& message) {
    if (!message.text.empty()) showFieldMessage(message, gui_.prompts, gui_.beep);
}

void TIFList::updateCommands() {
    const std::size_t selected = list_->selectedItems().size();
    edit_->setEnabled(selected == 1);
    copy_->setEnabled(selected == 1);
    delete_->setEnabled(selected >= 1);
    enable_->setEnabled(selected >= 1);
    disable_->setEnabled(selected >= 1);
    paste_->setEnabled(clipboard_.inUse());
    insert_->setEnabled(list_->topLevelItemCount() < kIfBlockCount);
}

void TIFList::editBlock() {
    const IfListCheck line = editPosition(selection());
    if (!line) return showRefusal(line.message());
    runEditor(*line);
    // Rebuilt after Cancel too: a refused store may have kept its comment.
    refreshList();
    scrollTo(*line);
}

void TIFList::editDoubleClicked() {
    const IfSelection lines = selection();
    if (lines.empty()) return gui_.beep.simple();
    const int line = lines.front();
    runEditor(line);
    refreshList();
    select({line});
    scrollTo(line);
}

void TIFList::insertBlock() {
    const IfBlockSnapshot beforeInsert(db_);
    const IfListCheck line = insertBlankIfBlock(db_, selection());
    if (!line) return showRefusal(line.message());
    if (runEditor(*line))
        keepInsertedIfBlock(db_);
    else
        dropInsertedIfBlock(db_, *line, beforeInsert);
    refreshList();
    select({*line});
    scrollTo(*line);
}

void TIFList::deleteBlocks() {
    const IfSelection lines = selection();
    const IfListCheck first = checkManySelection(lines, "DELETE");
    if (!first) return showRefusal(first.message());
    if (gui_.prompts.show("Delete selected items ?", "Confirm", MessageIcon::Question, MessageButtons::YesNo) !=
        Answer::Yes)
        return;
    deleteIfBlocks(db_, lines);
    refreshList();
    scrollTo(std::min(*first, list_->topLevelItemCount() - 1));
}

void TIFList::setSelectedEnabled(const char* buttonWord, bool enabled) {
    const IfSelection lines = selection();
    const IfListCheck first = checkManySelection(lines, buttonWord);
    if (!first) return showRefusal(first.message());
    setIfBlocksEnabled(db_, lines, enabled);
    refreshList();
    select(lines);
    scrollTo(*first);
}

void TIFList::enableBlocks() { setSelectedEnabled("ENABLE", true); }

void TIFList::disableBlocks() { setSelectedEnabled("DISABLE", false); }

void TIFList::copyBlock() {
    const IfSelection lines = selection();
    if (!lines.empty()) clipboard_ = copyIfBlock(db_, lines);
    updateCommands();
}

void TIFList::pasteBlock() {
    const IfListCheck line = pasteIfBlock(db_, selection(), clipboard_);
    if (!line) return showRefusal(line.message());
    refreshList();
    select({*line});
    scrollTo(*line);
}

void TIFList::printList() { printListingWithPreview(Listing::IF, db_, gui_, this); }

}  // namespace zat
