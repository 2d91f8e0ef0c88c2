// The IF block list and editor: lines over slots with gaps and a stale count,
// the commands through the buttons, the list's menu and its keys (which work
// where the menu entry is greyed), a block edited and refused, an Insert
// cancelled after a refused store, 90 blocks in use, and Insert through the
// main window into the saved file.
#include "gui/common/help_window.h"
#include "gui/editors/if_block_editor.h"
#include "gui/editors/if_block_list.h"
#include "gui/shell/command_table.h"
#include "support/window_rig.h"
#include "support/window_views.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

using namespace zat;

namespace {

struct Rig : test::WindowRig {
    std::string path = writeQuickDatabase("plant.zat");
    Rig() { start(path); }
    WindowContext context() { return window->windowContext(); }
};

// A block in use on register A(n), enabled, plain assignments.
TIfconf blockOn(int n) {
    TIfconf b;
    b.ifOperand1 = static_cast<uint16_t>(n + 1);
    b.flags = 0x8880;
    return b;
}

void fill(ConfigDatabase& db, int count) {
    for (int i = 0; i < count; ++i) db.ifBlocks[static_cast<std::size_t>(i)] = blockOn(i);
    db.ifBlockCount = count;
}

QTreeWidget* list(QDialog& d) { return d.findChild<QTreeWidget*>("list"); }
QLineEdit* edit(QDialog& d, const char* name) { return d.findChild<QLineEdit*>(name); }

QStringList column(QDialog& d, int c) {
    QStringList texts;
    for (int i = 0; i < list(d)->topLevelItemCount(); ++i) texts << list(d)->topLevelItem(i)->text(c);
    return texts;
}

void selectLines(QDialog& d, std::initializer_list<int> lines) {
    list(d)->clearSelection();
    for (int line : lines) list(d)->topLevelItem(line)->setSelected(true);
}

bool shownWithTheListFocused(QDialog& d) {
    d.show();
    const bool active = QTest::qWaitForWindowActive(&d);
    list(d)->setFocus();
    return active;
}

// The right button on the list, then a click on the menu's entry.
bool fromMenu(TIFList& d, const char* name) {
    emit list(d)->customContextMenuRequested(QPoint(5, 5));
    auto* menu = d.findChild<QMenu*>(QStringLiteral("contextMenu"));
    QAction* action = menu->findChild<QAction*>(name);
    const bool enabled = menu->isVisible() && action->isEnabled();
    if (enabled) action->trigger();
    menu->hide();
    return enabled;
}

bool showsEnabled(QDialog& d, int line) {
    return list(d)->topLevelItem(line)->icon(0).pixmap(16).toImage() ==
           QIcon(":/icons/if_block_enabled.svg").pixmap(16).toImage();
}

}  // namespace

class IfBlockListTest : public QObject {
    Q_OBJECT
private slots:
    void linesCloseTheGapsWhateverTheCountSays() {
        Rig rig;
        TIfconf b;
        b.flags = 0x89D1;
        b.ifOperand1 = 4, b.ifOperand2 = 250, b.thenOperand1 = 65, b.thenOperand2 = 2, b.thenOperand3 = 5;
        b.elseOperand1 = 195, b.elseOperand2 = 1, b.comment = Comment("Kiln");
        rig.db.ifBlocks[3] = b;
        rig.db.ifBlocks[89] = blockOn(7);
        rig.db.ifBlocks[89].flags = 0x000C;  // no list entry: reads "="
        rig.db.ifBlockCount = 1;
        TIFList dialog(rig.context());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("IF Blocks"));
        QCOMPARE(list(dialog)->headerItem()->text(2), QStringLiteral("Action if false"));
        QCOMPARE(column(dialog, 0), (QStringList{"IF A3 >= 250", "IF A7 = "}));
        QCOMPARE(column(dialog, 1), (QStringList{"THEN B0 = A1 + 5", ""}));
        QCOMPARE(column(dialog, 2).front() + column(dialog, 3).front(), QStringLiteral("ELSE D2 = 1 Kiln"));
        QVERIFY(showsEnabled(dialog, 0) && !showsEnabled(dialog, 1));
        QCOMPARE(rig.db.ifBlockCount, 2);
        test::press(dialog, "help");
        QCOMPARE(zat::test::shownHelpPage(*rig.window), helpPageUrl(212));
        QVERIFY(dialog.findChild<QPushButton*>("printButton")->isEnabled());
    }

    void commandsThroughTheMenuAndKeys() {
        Rig rig;
        fill(rig.db, 8);
        TIFList dialog(rig.context());
        QVERIFY(shownWithTheListFocused(dialog));

        QVERIFY(!fromMenu(dialog, "paste"));  // nothing copied yet
        QTest::keyClick(list(dialog), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(list(dialog)->topLevelItemCount(), 8);

        selectLines(dialog, {6});
        QVERIFY(fromMenu(dialog, "copy"));
        selectLines(dialog, {0});
        QVERIFY(fromMenu(dialog, "paste"));
        QCOMPARE(column(dialog, 0).mid(0, 3), (QStringList{"IF A6 > ", "IF A0 > ", "IF A1 > "}));
        QCOMPARE(rig.db.ifBlockCount, 9);

        selectLines(dialog, {2, 5});
        QVERIFY(fromMenu(dialog, "disable"));
        QVERIFY(!showsEnabled(dialog, 2) && !showsEnabled(dialog, 5) && showsEnabled(dialog, 3));
        QCOMPARE(rig.db.ifBlocks[2].flags, uint16_t(0x8800));             // only the enabled bit went
        QVERIFY(!fromMenu(dialog, "edit") && !fromMenu(dialog, "copy"));  // two lines selected
        QTest::keyClick(list(dialog), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(showsEnabled(dialog, 2));

        rig.prompts.script = {Answer::Yes};
        QTest::keyClick(list(dialog), Qt::Key_Delete);
        QCOMPARE(rig.prompts.shown.back().text, std::string("Delete selected items ?"));
        QCOMPARE(column(dialog, 0),
                 (QStringList{"IF A6 > ", "IF A0 > ", "IF A2 > ", "IF A3 > ", "IF A5 > ", "IF A6 > ", "IF A7 > "}));
        QVERIFY(rig.db.modified);

        list(dialog)->clearSelection();
        test::press(dialog, "deleteButton");
        QCOMPARE(rig.prompts.shown.back().text,
                 std::string("Nothing selected.\nSelect one or more lines and then press the DELETE button"));
        QVERIFY(rig.prompts.shown.back().icon == MessageIcon::Information);
        test::press(dialog, "editButton");
        QCOMPARE(rig.prompts.shown.back().text,
                 std::string("Nothing selected.\nSelect a line and then press the EDIT button"));
    }

    void anInsertedBlockIsEditedOrTakenOutAgain() {
        Rig rig;
        fill(rig.db, 3);
        TIFList dialog(rig.context());
        QStringList seen;
        rig.dialogs.script.push_back([&seen](QDialog& d) {
            QTest::keyClicks(edit(d, "ifRegister"), "a3");
            seen << d.windowTitle() << edit(d, "ifRegister")->text();
            d.findChild<QComboBox*>("condition")->setCurrentIndex(1);
            emit d.findChild<QComboBox*>("condition")->activated(1);
            d.findChild<QRadioButton*>("ifOperandIsConstant")->setChecked(true);
            edit(d, "ifOperandConstant")->setText("250");
            edit(d, "thenDestination")->setText("B0");
            d.findChild<QRadioButton*>("thenSource1IsRegister")->setChecked(true);
            edit(d, "thenSource1Register")->setText("A1");
            seen << QString::number(edit(d, "thenSource2Constant")->isEnabled());
            d.findChild<QComboBox*>("thenOperator")->setCurrentIndex(1);
            seen << QString::number(edit(d, "thenSource2Constant")->isEnabled());
            d.findChild<QRadioButton*>("thenSource2IsConstant")->setChecked(true);
            edit(d, "thenSource2Constant")->setText("5");
            edit(d, "elseDestination")->setText("D2");
            d.findChild<QRadioButton*>("elseSource1IsConstant")->setChecked(true);
            edit(d, "elseSource1Constant")->setText("1");
            return test::press(d, "ok");
        });
        selectLines(dialog, {1});
        test::press(dialog, "insertButton");
        QCOMPARE(seen, (QStringList{"Editing IF Block", "A3", "0", "1"}));
        const TIfconf& b = rig.db.ifBlocks[1];
        QCOMPARE(b.flags, uint16_t(0x8951));  // not enabled
        QCOMPARE((std::array<int, 8>{b.ifOperand1, b.ifOperand2, b.thenOperand1, b.thenOperand2, b.thenOperand3,
                                     b.elseOperand1, b.elseOperand2, b.elseOperand3}),
                 (std::array<int, 8>{4, 250, 65, 2, 5, 195, 1, 0}));
        QCOMPARE(column(dialog, 1).at(1), QStringLiteral("THEN B0 = A1 + 5"));
        QCOMPARE(rig.db.ifBlockCount, 4);
        QVERIFY(list(dialog)->topLevelItem(1)->isSelected());

        // Cancelled: the blank block goes again.
        const auto before = rig.db.ifBlocks;
        list(dialog)->clearSelection();
        test::press(dialog, "insertButton");
        QCOMPARE(rig.db.ifBlocks, before);
        QCOMPARE(list(dialog)->topLevelItemCount(), 4);
    }

    void theKeysRunTheirCommandsWhereTheMenuIsGreyed() {
        Rig rig;
        fill(rig.db, 4);
        TIFList dialog(rig.context());
        QVERIFY(shownWithTheListFocused(dialog));
        QStringList menu;
        for (const QAction* action : dialog.findChild<QMenu*>(QStringLiteral("contextMenu"))->actions())
            menu << action->text();
        QCOMPARE(menu, (QStringList{"Copy\tCtrl+C", "Paste\tCtrl+V", "Enable\tCtrl+E", "Disable\tCtrl+D", "Edit\tE",
                                    "Delete\tDel", "", "Insert\tIns", "Print"}));

        const std::string none = "Nothing selected.\nSelect one or more lines and then press the ";
        const struct {
            std::initializer_list<int> selected;
            QKeyCombination key;
            std::string said;  // the message or question; empty: none
        } cases[] = {
            {{}, Qt::Key_E, "Nothing selected.\nSelect a line and then press the EDIT button"},
            {{}, Qt::Key_Delete, none + "DELETE button"},
            {{}, Qt::CTRL | Qt::Key_E, none + "ENABLE button"},
            {{}, Qt::CTRL | Qt::Key_D, none + "DISABLE button"},
            {{1, 2}, Qt::Key_E, ""},  // edits line 1
            {{1, 2}, Qt::Key_Delete, "Delete selected items ?"},
            {{2, 3}, Qt::CTRL | Qt::Key_C, ""},  // copies line 2
            {{}, Qt::CTRL | Qt::Key_V, ""},
        };
        for (const auto& c : cases) {
            selectLines(dialog, c.selected);
            rig.prompts.shown.clear();
            QTest::keyClick(list(dialog), c.key.key(), c.key.keyboardModifiers());
            QCOMPARE(rig.prompts.shown.empty() ? std::string() : rig.prompts.shown.back().text, c.said);
        }
        QCOMPARE(rig.dialogs.titles, std::vector<QString>{"Editing IF Block"});
        QCOMPARE(column(dialog, 0), (QStringList{"IF A0 > ", "IF A1 > ", "IF A2 > ", "IF A3 > ", "IF A2 > "}));

        fill(rig.db, 90);
        dialog.refreshList();
        rig.prompts.shown.clear();
        QTest::keyClick(list(dialog), Qt::Key_Insert);
        QCOMPARE(rig.messages(), std::vector<std::string>{"There is no more space available"});
    }

    void aCancelledInsertLeavesTheConfigurationUnchanged() {
        Rig rig;
        fill(rig.db, 3);
        const auto before = rig.db.ifBlocks;
        TIFList dialog(rig.context());
        rig.dialogs.script.push_back([](QDialog& d) {
            edit(d, "comment")->setText("Pump");
            test::press(d, "ok");  // refused, no IF register: the comment is stored
            return test::press(d, "cancel");
        });
        selectLines(dialog, {1});
        test::press(dialog, "insertButton");
        QCOMPARE(rig.messages(), std::vector<std::string>{"Must have an IF operator"});
        QCOMPARE(rig.db.ifBlocks, before);
        QVERIFY(!rig.db.modified);
    }

    void aRefusedStoreKeepsTheCommentAndTheListShowsIt() {
        Rig rig;
        fill(rig.db, 2);
        rig.db.ifBlocks[1].flags = 0x880D;  // condition code 13
        TIFList dialog(rig.context());
        QString condition;
        bool refused = false, focused = false, marked = false;
        rig.dialogs.script.push_back([&](QDialog& d) {
            condition = d.findChild<QComboBox*>("condition")->currentText();
            edit(d, "comment")->setText("Pump");
            edit(d, "thenDestination")->setText("C3");
            d.show();
            (void)QTest::qWaitForWindowActive(&d);
            refused = test::press(d, "ok") == QDialog::Rejected && d.isVisible();
            focused = edit(d, "thenDestination")->hasFocus();
            marked = rig.db.modified;
            test::press(d, "help");
            return test::press(d, "cancel");
        });
        selectLines(dialog, {1});
        list(dialog)->setFocus();
        test::press(dialog, "editButton");
        QCOMPARE(condition, QStringLiteral("="));
        QVERIFY(refused && focused && marked);
        QCOMPARE(rig.prompts.shown.back().text, std::string("Must be A,B or D register"));
        QCOMPARE(column(dialog, 3).at(1), QStringLiteral("Pump"));  // rebuilt after Cancel
        QCOMPARE(rig.db.ifBlocks[1].flags, uint16_t(0x880D));
        QCOMPARE(zat::test::shownHelpPage(*rig.window), helpPageUrl(210));
    }

    void ninetyInUseRefuseInsertAndPaste() {
        Rig rig;
        fill(rig.db, 90);
        TIFList dialog(rig.context());
        QCOMPARE(list(dialog)->topLevelItemCount(), 90);
        selectLines(dialog, {89});
        QVERIFY(fromMenu(dialog, "copy"));
        QVERIFY(!fromMenu(dialog, "insert"));
        const auto before = rig.db.ifBlocks;
        rig.prompts.shown.clear();
        test::press(dialog, "insertButton");
        QVERIFY(fromMenu(dialog, "paste"));
        QCOMPARE(rig.prompts.shown.size(), std::size_t{2});
        for (const test::ShownMessage& shown : rig.prompts.shown)
            QCOMPARE(shown.text + "|" + shown.caption, std::string("There is no more space available|Problem"));
        QCOMPARE(rig.db.ifBlocks, before);
        QVERIFY(rig.dialogs.titles.empty());
    }

    void insertThroughTheMainWindowReachesTheSavedFile() {
        Rig rig;
        rig.dialogs.script.push_back([](QDialog& d) {
            test::press(d, "insertButton");
            return test::press(d, "ok");
        });
        rig.dialogs.script.push_back([](QDialog& d) {
            edit(d, "ifRegister")->setText("D55");
            d.findChild<QCheckBox*>("enabled")->setChecked(true);
            edit(d, "comment")->setText("Alarm");
            return test::press(d, "ok");
        });
        rig.window->runCommand(cmd::IfBlocks);
        QCOMPARE(rig.dialogs.titles, (std::vector<QString>{"IF Blocks", "Editing IF Block"}));
        QVERIFY(rig.db.modified);
        rig.window->runCommand(cmd::Save);
        const std::string saved = test::readFile(rig.path);
        const std::size_t start = saved.find("[IF Block 0]\r\n");
        QVERIFY(start != std::string::npos);
        const std::string section = saved.substr(start, saved.find("\n[", start) + 1 - start);
        QVERIFY(section.find("\nIF Operand1=248\r\n") != std::string::npos);
        QVERIFY(section.find("=Alarm\r\n") != std::string::npos);
        QVERIFY(section.find("=34944\r\n") != std::string::npos);  // flags 0x8880
    }
};

QTEST_MAIN(IfBlockListTest)
#include "if_block_list_qtest.moc"
