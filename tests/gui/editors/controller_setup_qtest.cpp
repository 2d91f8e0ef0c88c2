// The Controllers editor: a page with its TP controls and tab pictures, a
// refused tab change, and Close through the main window into the saved file;
// it and the Profiler Configuration have Close and Help and no Cancel.
#include "gui/common/help_window.h"
#include "gui/editors/controller_setup.h"
#include "gui/editors/profiler_setup.h"
#include "gui/shell/command_table.h"
#include "support/window_rig.h"
#include "support/window_views.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <functional>
#include <memory>

using namespace zat;

namespace {

struct Rig : test::WindowRig {
    std::string path = writeQuickDatabase("plant.zat");
    Rig() { start(path); }
};

QTabBar* tabs(QDialog& d) { return d.findChild<QTabBar*>("tabs"); }
QLineEdit* edit(QDialog& d, const char* name) { return d.findChild<QLineEdit*>(name); }
void click(QDialog& d, const char* name) { d.findChild<QAbstractButton*>(name)->click(); }

bool showsEnabled(QDialog& d, int tab) {
    return tabs(d)->tabIcon(tab).pixmap(16).toImage() ==
           QIcon(":/icons/tab_controller_enabled.svg").pixmap(16).toImage();
}

}  // namespace

class ControllerSetupTest : public QObject {
    Q_OBJECT
private slots:
    void aPageShowsItsRecordAndTpControlsFollowTheType() {
        Rig rig;
        rig.db.controllers[0] = {Comment("Kiln"), 0x80 | 0x40 | 56, 0x06, 0x4D, 0x41, 100, 20, 5, 30};
        TControllerSetup dialog(rig.window->windowContext());
        QCOMPARE(dialog.windowTitle() + "|" + tabs(dialog)->tabText(7), QStringLiteral("Controllers|Controller 8"));
        QCOMPARE(edit(dialog, "setpoint")->text() + edit(dialog, "cycle")->text() + edit(dialog, "digital")->text(),
                 QStringLiteral("B1230D55"));
        QVERIFY(showsEnabled(dialog, 0) && !showsEnabled(dialog, 1));
        QVERIFY(edit(dialog, "cycle")->isEnabled() && edit(dialog, "digital")->isEnabled());
        click(dialog, "analog");
        QVERIFY(!edit(dialog, "cycle")->isEnabled() && !edit(dialog, "digital")->isEnabled());

        // Controller 2 enabled on the way: its picture changes on the next tab change.
        tabs(dialog)->setCurrentIndex(1);
        QCOMPARE(rig.db.controllers[0].flags, uint16_t(0x80));
        click(dialog, "enabled");
        for (const char* name : {"measured", "setpoint", "output"}) edit(dialog, name)->setText("A1");
        QVERIFY(!showsEnabled(dialog, 1));
        tabs(dialog)->setCurrentIndex(2);
        QVERIFY(showsEnabled(dialog, 1));
        test::press(dialog, "help");
        QCOMPARE(zat::test::shownHelpPage(*rig.window), helpPageUrl(211));
    }

    void aRefusedTabChangeKeepsThePageAndWritesNothing() {
        Rig rig;
        rig.beep.beeps.clear();
        TControllerSetup dialog(rig.window->windowContext());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        click(dialog, "enabled");
        tabs(dialog)->setCurrentIndex(1);
        QCOMPARE(tabs(dialog)->currentIndex(), 0);
        QCOMPARE(rig.prompts.shown.back().text + "|" + rig.prompts.shown.back().caption,
                 std::string("Must specify a setpoint source|Error"));
        QVERIFY(edit(dialog, "setpoint")->hasFocus());

        // A bad cycle time is checked after the enabled box: still nothing is written.
        for (const char* name : {"measured", "setpoint", "output"}) edit(dialog, name)->setText("A1");
        click(dialog, "tp");
        edit(dialog, "cycle")->setText("9");
        tabs(dialog)->setCurrentIndex(1);
        QCOMPARE(rig.prompts.shown.back().text, std::string("TP Cycle time\nValid range 10 to 250 Sec"));
        QVERIFY(edit(dialog, "cycle")->hasFocus());
        edit(dialog, "digital")->setText("C3");
        QCOMPARE(test::press(dialog, "ok"), int(QDialog::Rejected));
        QCOMPARE(rig.beep.beeps, std::vector<std::string>{"exclamation"});  // register entries only
        QVERIFY(dialog.isVisible() && edit(dialog, "digital")->hasFocus());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible() && dialog.result() == QDialog::Rejected);
        QCOMPARE(rig.db.controllers[0], TController{});
        QVERIFY(!rig.db.modified);
    }

    void closeAndHelpAreTheOnlyButtonsAndEscapeStoresNothing() {
        Rig rig;
        const auto controllers = [&rig] { return std::make_unique<TControllerSetup>(rig.window->windowContext()); };
        const auto profilers = [&rig] { return std::make_unique<TProfilerSetup>(rig.window->windowContext()); };
        const std::function<std::unique_ptr<QDialog>()> dialogs[] = {controllers, profilers};
        const std::function<void(QDialog&)> ways[] = {[](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
                                                      [](QDialog& d) { d.close(); }};
        for (const auto& make : dialogs) {
            for (const auto& leave : ways) {
                const std::unique_ptr<QDialog> dialog = make();
                QStringList buttons;
                for (const QPushButton* b : dialog->findChild<QWidget*>("buttons")->findChildren<QPushButton*>())
                    buttons << b->text();
                QCOMPARE(buttons, (QStringList{"&Close", "&Help"}));
                dialog->show();
                QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
                edit(*dialog, "comment")->setText("Kiln");
                leave(*dialog);
                QVERIFY(!dialog->isVisible() && dialog->result() == QDialog::Rejected);
            }
        }
        QCOMPARE(rig.db.controllers[0].comment, Comment());
        QCOMPARE(rig.db.profilers[0].comment, Comment());
        QVERIFY(!rig.db.modified);
    }

    void closeThroughTheMainWindowReachesTheSavedFile() {
        Rig rig;
        rig.dialogs.script.push_back([](QDialog& d) {
            tabs(d)->setCurrentIndex(1);
            click(d, "enabled");
            click(d, "tp");
            const std::pair<const char*, const char*> typed[] = {
                {"setpoint", "b12"}, {"measured", "a5"}, {"output", "b0"}, {"cycle", "25x"}, {"digital", "d55"}};
            for (const auto& [name, keys] : typed) QTest::keyClicks(edit(d, name), keys);
            return test::press(d, "ok");
        });
        rig.window->runCommand(cmd::ControllerSetup);
        QVERIFY(rig.db.modified);
        rig.window->runCommand(cmd::Save);
        const std::string saved = test::readFile(rig.path);
        const std::size_t start = saved.find("[Controller 1]\r\n");
        const std::string section = saved.substr(start, saved.find("\n[", start) + 1 - start);
        for (const char* line : {"\nSP REGISTER=77\r\n", "\nMV REGISTER=6\r\n", "\nOP REGISTER=65\r\n",
                                 "\nFlags=248\r\n", "\nTP Cycle=25\r\n"})
            QVERIFY2(section.find(line) != std::string::npos, line);
    }
};

QTEST_MAIN(ControllerSetupTest)
#include "controller_setup_qtest.moc"
