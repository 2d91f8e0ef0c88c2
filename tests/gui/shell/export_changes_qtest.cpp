// File > Export Changes in the main window: enabled while the program knows
// what the unit holds and the configuration differs from it; it sends only
// the changed field, and the Communications dialog makes the program forget.
#include "gui/shell/command_table.h"
#include "support/window_rig.h"
#include "support/window_views.h"

#include <QCheckBox>
#include <QTest>

using namespace zat;
using zat::test::WindowRig;

namespace {

// The options dialog as it opens (every group ticked), confirmed.
zat::test::ScriptedDialogs::Handler confirm() {
    return [](QDialog& dialog) { return zat::test::press(dialog, "ok"); };
}

bool changesEnabled(const WindowRig& rig) {
    rig.window->updateCommandStates();
    return rig.window->action(cmd::ExportChanges)->isEnabled();
}

}  // namespace

class ExportChangesTest : public QObject {
    Q_OBJECT
private slots:
    void sendsOnlyTheChangedTermAfterAWholeExport();
    void communicationsSetupForgetsWhatTheUnitHolds();
};

void ExportChangesTest::sendsOnlyTheChangedTermAfterAWholeExport() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.db.controllers[1].intTime = 100;
    QVERIFY(!changesEnabled(rig));  // nothing known of the unit yet
    rig.dialogs.script.push_back(confirm());
    rig.window->runCommand(cmd::Export);
    QVERIFY(!changesEnabled(rig));  // it holds the configuration
    rig.requests();

    rig.db.controllers[1].intTime = 120;
    QVERIFY(changesEnabled(rig));
    rig.window->runCommand(cmd::ExportChanges);
    QVERIFY(rig.prompts.shown.empty());
    QCOMPARE(rig.requests(), (std::vector<std::string>{"W01?0042", "W01]0000", "W01]0001", "R01K01", "W01?0042",
                                                       "W01]0000", "W01]0001", "W01K010120", "S01I"}));
    QVERIFY(!changesEnabled(rig));
}

void ExportChangesTest::communicationsSetupForgetsWhatTheUnitHolds() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.dialogs.script.push_back(confirm());
    rig.window->runCommand(cmd::Export);
    rig.db.profiles[0].segRate[0] = 5;
    QVERIFY(changesEnabled(rig));
    rig.dialogs.script.push_back(confirm());
    rig.window->runCommand(cmd::Communications);
    QVERIFY(!changesEnabled(rig));
}

QTEST_MAIN(ExportChangesTest)
#include "export_changes_qtest.moc"
