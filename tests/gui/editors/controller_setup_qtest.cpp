// The Controllers editor: a controller's page, its TP controls and tab
// pictures, a refused tab change, and Close through the main window into the
// saved file.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include "gui/common/help_window.h"
#include "gui/editors/controller_setup.h"
#include "gui/shell/command_table.h"
#include "support/window_rig.h"

using namespace zat;

namespace {

struct Rig : test::WindowRig {
    std::string path = writeQuickDatabase("plant.zat");
    Rig() {
        start(path);
        prompts.shown.clear();
        beep.beeps.clear();
    }
    WindowContext context() { return window->windowContext(); }
};

QTabBar* tabs(QDialog& d) { return d.findChild<QTabBar*>("tabs"); }
QLineEdit* edit(QDialog& d, const char* name) { return d.findChild<QLineEdit*>(name); }

bool showsEnabled(QDialog& d, int tab) {
    return tabs(d)->tabIcon(tab).pixmap(16).toImage() ==
           QIcon(":/icons/tab_controller_enabled.svg").pixmap(16).toImage();
}

QString texts(QDialog& d, std::initializer_list<const char*> names) {
    QStringList shown;
    for (const char* name : names) shown << edit(d, name)->text();
    return shown.join('|');
}

}  // namespace

class ControllerSetupTest : public QObject {
    Q_OBJECT
private slots:
    void aPageShowsItsRecordAndTpControlsFollowTheType() {
        Rig rig;
        rig.db.controllers[0] = {Comment("Kiln"), 0x80 | 0x40 | 56, 0x06, 0x4D, 0x41, 100, 20, 5, 30};
        TControllerSetup dialog(rig.context());
        QCOMPARE(dialog.windowTitle() + "|" + tabs(dialog)->tabText(7), QStringLiteral("Controllers|Controller 8"));
        QCOMPARE(texts(dialog, {"comment", "measured", "setpoint", "output", "propBand", "intTime", "derTime",
                                "cycle", "digital"}),
                 QStringLiteral("Kiln|A5|B12|B0|100|20|5|30|D55"));
        QVERIFY(showsEnabled(dialog, 0) && !showsEnabled(dialog, 1));
        QVERIFY(edit(dialog, "cycle")->isEnabled() && edit(dialog, "digital")->isEnabled());
        dialog.findChild<QRadioButton*>("analog")->click();
        QVERIFY(!edit(dialog, "cycle")->isEnabled() && !edit(dialog, "digital")->isEnabled());
        QTest::keyClicks(edit(dialog, "measured"), "b");
        QCOMPARE(edit(dialog, "measured")->text(), QStringLiteral("A5B"));  // three characters, upper case

        // Controller 2 enabled on the way: its picture changes on the next tab change.
        edit(dialog, "measured")->setText("A5");
        tabs(dialog)->setCurrentIndex(1);
        QCOMPARE(rig.db.controllers[0].flags, uint16_t(0x80));
        QCOMPARE(rig.db.controllers[0].tpCycle, uint16_t(10));
        QCOMPARE(texts(dialog, {"cycle", "digital"}), QStringLiteral("|"));
        dialog.findChild<QCheckBox*>("enabled")->setChecked(true);
        for (const char* name : {"measured", "setpoint", "output"}) edit(dialog, name)->setText("A1");
        QVERIFY(!showsEnabled(dialog, 1));
        tabs(dialog)->setCurrentIndex(2);
        QVERIFY(showsEnabled(dialog, 1));
        test::press(dialog, "help");
        QCOMPARE(rig.window->helpWindow()->currentPage(), helpPageUrl(211));
    }

    void aRefusedTabChangeKeepsThePageAndWritesNothing() {
        Rig rig;
        TControllerSetup dialog(rig.context());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.findChild<QCheckBox*>("enabled")->setChecked(true);
        tabs(dialog)->setCurrentIndex(1);
        QCOMPARE(tabs(dialog)->currentIndex(), 0);
        QCOMPARE(rig.messages(), std::vector<std::string>{"Must specify a setpoint source"});
        QCOMPARE(rig.prompts.shown[0].caption, std::string("Error"));
        QVERIFY(rig.beep.beeps.empty());
        QVERIFY(edit(dialog, "setpoint")->hasFocus());

        // A bad cycle time comes after the enabled box: still nothing is written.
        for (const char* name : {"measured", "setpoint", "output"}) edit(dialog, name)->setText("A1");
        dialog.findChild<QRadioButton*>("tp")->click();
        edit(dialog, "cycle")->setText("9");
        tabs(dialog)->setCurrentIndex(1);
        QCOMPARE(tabs(dialog)->currentIndex(), 0);
        QCOMPARE(rig.prompts.shown.back().text, std::string("TP Cycle time\nValid range 10 to 250 Sec"));
        QVERIFY(edit(dialog, "cycle")->hasFocus());
        edit(dialog, "digital")->setText("C3");
        QCOMPARE(test::press(dialog, "ok"), int(QDialog::Rejected));
        QCOMPARE(rig.prompts.shown.back().text, std::string("\nFirst character must be D"));
        QCOMPARE(rig.beep.beeps, std::vector<std::string>{"exclamation"});
        QVERIFY(dialog.isVisible() && edit(dialog, "digital")->hasFocus());
        QCOMPARE(test::press(dialog, "cancel"), int(QDialog::Rejected));
        QCOMPARE(rig.db.controllers[0], TController{});
        QVERIFY(!rig.db.modified);
    }

    void closeThroughTheMainWindowReachesTheSavedFile() {
        Rig rig;
        rig.dialogs.script.push_back([](QDialog& d) {
            tabs(d)->setCurrentIndex(1);
            d.findChild<QCheckBox*>("enabled")->setChecked(true);
            QTest::keyClicks(edit(d, "setpoint"), "b12");
            QTest::keyClicks(edit(d, "measured"), "a5");
            QTest::keyClicks(edit(d, "output"), "b0");
            d.findChild<QRadioButton*>("tp")->click();
            QTest::keyClicks(edit(d, "cycle"), "25x");
            QTest::keyClicks(edit(d, "digital"), "d55");
            return test::press(d, "ok");
        });
        rig.window->runCommand(cmd::ControllerSetup);
        QVERIFY(rig.db.modified);
        rig.window->runCommand(cmd::Save);
        const std::string saved = test::readFile(rig.path);
        const std::size_t start = saved.find("[Controller 1]\r\n");
        QVERIFY(start != std::string::npos);
        const std::string section = saved.substr(start, saved.find("\n[", start) + 1 - start);
        for (const char* line : {"\nSP REGISTER=77\r\n", "\nMV REGISTER=6\r\n", "\nOP REGISTER=65\r\n",
                                 "\nFlags=248\r\n", "\nTP Cycle=25\r\n"})
            QVERIFY2(section.find(line) != std::string::npos, line);
    }
};

QTEST_MAIN(ControllerSetupTest)
#include "controller_setup_qtest.moc"
