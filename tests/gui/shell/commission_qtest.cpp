// Compare with Unit with its two actions, and Find Units filling the
// communication settings, against simulated units on a pseudo-terminal.
#include "comms/config_transfer.h"
#include "gui/shell/command_table.h"
#include "support/window_rig.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

using namespace zat;
using zat::test::WindowRig;

namespace {

QTableWidget* table(QDialog& dialog, const char* name) { return dialog.findChild<QTableWidget*>(name); }

}  // namespace

class CommissionTest : public QObject {
    Q_OBJECT
private slots:
    void compareWithUnitListsTheDifferencesAndMovesThem();
    void findUnitsFillsTheSettings();
};

void CommissionTest::compareWithUnitListsTheDifferencesAndMovesThem() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    test::RecordingProgress quiet;
    QCOMPARE(exportConfiguration(rig.db, kAllTransferGroups, rig.window->windowContext().protocol, quiet), Outcome::Ok);
    // The unit differs in a channel, a controller and a profile.
    rig.unit->withState([](sim::UnitState& s) {
        for (const char* frame :
             {"W01]0000", "W01~0301F4", "W01]0001", "W01K010121", "W01]0000", "W01N0001", "W01P05-0040"})
            QVERIFY(s.handle(frame).value_or("").starts_with("*"));
    });
    rig.requests();

    QStringList fields;
    int closedWith = -1;
    rig.dialogs.script.push_back([&](QDialog& dialog) {
        QTableWidget* rows = table(dialog, "differences");
        for (int row = 0; row < rows->rowCount(); ++row)
            fields << rows->item(row, 1)->text() + "=" + rows->item(row, 3)->text();
        rows->selectRow(0);  // the channel goes back to the file's value
        test::press(dialog, "exportThese");
        if (rows->rowCount() != 2) return int(QDialog::Rejected);
        test::press(dialog, "importThese");  // nothing selected: the rest come in
        if (rows->rowCount() != 0) return int(QDialog::Rejected);
        return closedWith = test::press(dialog, "ok");
    });
    rig.window->runCommand(cmd::CompareWithUnit);
    QCOMPARE(closedWith, int(QDialog::Accepted));

    QCOMPARE(fields, QStringList({"Analog Input 3: Hi Scalar=500", "Controller 1: INT TIME=121",
                                  "Profile 1: Seg05 Level=-40"}));
    rig.unit->withState([](sim::UnitState& s) { QCOMPARE(s.item(0, '~', 3), std::optional<std::uint16_t>(1000)); });
    QCOMPARE(int(rig.db.controllers[1].intTime), 121);
    QCOMPARE(int(rig.db.profiles[1].segLevel[5]), -40);
    QCOMPARE(int(rig.db.analogInputs[3].hiScalar), 1000);
    QVERIFY(rig.db.modified);
    // Reading wrote nothing; the export wrote the one field and "I".
    int initialised = 0;
    rig.unit->withState([&](sim::UnitState& s) { initialised = s.initialiseCount(); });
    QCOMPARE(initialised, 2);
}

void CommissionTest::findUnitsFillsTheSettings() {
    WindowRig rig;
    rig.attachUnit();
    sim::UnitConfig second;
    second.address = 7;
    rig.unit->addUnit(second);
    rig.start(rig.writeQuickDatabase("plant.zat"));

    QString summary;
    rig.dialogs.script.push_back([&](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("addresses")->setText("5-9");
        test::press(dialog, "find");
        summary = dialog.findChild<QLabel*>("summary")->text();
        QTableWidget* units = table(dialog, "units");
        if (units->rowCount() != 1 || units->item(0, 0)->text() != "7") return int(QDialog::Rejected);
        emit units->cellDoubleClicked(0, 1);
        return dialog.result();
    });
    rig.window->runCommand(cmd::FindUnits);

    QCOMPARE(summary, QStringLiteral("1 unit(s) found: double-click one to use its address and rate."));
    QCOMPARE(rig.db.comms.address, 7);
    QCOMPARE(rig.db.comms.baudRate, 9600);
    QVERIFY(rig.db.modified);
    rig.requests();
    QCOMPARE(rig.window->windowContext().protocol.checkUnit(false), Outcome::Ok);
    QCOMPARE(rig.requests(), std::vector<std::string>{"W07?0042"});
}

QTEST_MAIN(CommissionTest)
#include "commission_qtest.moc"
