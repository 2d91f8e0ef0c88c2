// The IF block list: every block in use, one line each (condition, both
// actions, comment, a picture for enabled or not), over the 90 slots kept
// without gaps. Edit, Insert, Delete, Enable, Disable, Copy and Paste act on
// the selected lines, from the buttons, the list's menu and its keys; every
// change is made in the configuration at once. Print shows the IF block
// listing in the print preview.
#pragma once

#include "editing/if_blocks.h"
#include "gui/common/window_context.h"

#include <QDialog>

class QAction;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace zat {

class TIFList final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 212;

    explicit TIFList(const WindowContext& context);

    void refreshList();
    void editBlock();
    void insertBlock();
    void deleteBlocks();
    void enableBlocks();
    void disableBlocks();
    void copyBlock();
    void pasteBlock();
    void printList();

private:
    IfSelection selection() const;
    void select(const IfSelection& lines);
    void scrollTo(int line);
    // Opens the editor on a slot; the list is rebuilt after it closes, OK or not.
    bool runEditor(int slot);
    void showRefusal(const FieldMessage& message);
    void setSelectedEnabled(const char* buttonWord, bool enabled);
    void updateCommands();
    void editDoubleClicked();

    ConfigDatabase& db_;
    GuiContext gui_;
    UnitProtocol& protocol_;
    TIfconf clipboard_{};
    QTreeWidget* list_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
    QAction* enable_ = nullptr;
    QAction* disable_ = nullptr;
    QAction* edit_ = nullptr;
    QAction* delete_ = nullptr;
    QAction* insert_ = nullptr;
    QAction* print_ = nullptr;
};

}  // namespace zat
