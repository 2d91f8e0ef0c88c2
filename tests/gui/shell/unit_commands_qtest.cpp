// The main window's unit commands against the simulated unit on a
// pseudo-terminal: Export and Import with their options dialog and the
// "Transfer Failure" question, the register file and the calibration file.
#include "gui/shell/command_table.h"
#include "support/window_rig.h"
#include "support/window_views.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include <algorithm>

using namespace zat;
using zat::test::WindowRig;

namespace {

QCheckBox* groupBox(QDialog& dialog, int group) {
    return dialog.findChild<QCheckBox*>(QString("group%1").arg(group + 1));
}

// The groups the options dialog has ticked.
TransferGroups tickedGroups(QDialog& dialog) {
    TransferGroups ticked = 0;
    for (int group = 0; group < 7; ++group)
        if (groupBox(dialog, group)->isChecked()) ticked |= 1u << group;
    return ticked;
}

// Ticks exactly the groups of `bits` in the options dialog and presses OK.
zat::test::ScriptedDialogs::Handler chooseGroups(TransferGroups bits, TransferGroups* shown = nullptr) {
    return [bits, shown](QDialog& dialog) {
        if (shown != nullptr) *shown = tickedGroups(dialog);
        for (int group = 0; group < 7; ++group) groupBox(dialog, group)->setChecked((bits & (1u << group)) != 0);
        return zat::test::press(dialog, "ok");
    };
}

bool saveEnabled(const WindowRig& rig) {
    rig.window->updateCommandStates();
    return rig.window->action(cmd::Save)->isEnabled();
}

// A unit that never answers the requests starting with `request`.
sim::FaultPlan unanswered(const std::string& request) {
    sim::FaultPlan faults;
    faults.failRequests({request, sim::Fault::Drop});
    return faults;
}

// The groups the options dialog of `command` offers (the last choice); the
// dialog is cancelled, so nothing is transferred.
TransferGroups offeredGroups(WindowRig& rig, int command) {
    TransferGroups offered = 0;
    rig.dialogs.script.push_back([&offered](QDialog& dialog) {
        offered = tickedGroups(dialog);
        return zat::test::press(dialog, "cancel");
    });
    rig.window->runCommand(command);
    return offered;
}

std::size_t count(const std::vector<std::string>& requests, const std::string& wanted) {
    return static_cast<std::size_t>(std::count(requests.begin(), requests.end(), wanted));
}

}  // namespace

class UnitCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void exportSendsTheChosenGroupsAndRemembersThem();
    void exportCancelledSendsNothing();
    void exportRetriesAndAbortsOnRequest();
    void exportEndedByIgnoreSaysItIsIncomplete();
    void importFillsTheConfigurationAndMarksItModified();
    void importGivenUpLeavesTheConfigurationAsItWas();
    void importAsksAboutUnsavedChangesFirst();
    void communicationsReopensThePort();
    void saveRegistersWritesTheFileAndKeepsTheChanges();
    void saveRegistersWithAReadLostOnTheLineWritesNoFile();
    void loadRegistersWritesTheUnit();
    void registerCommandsRefuseOtherFiles();
    void saveCalibrationProposesTheDatabaseName();
    void restoreCalibrationWritesTheUnit();
    void filesWithNothingToSendAreRefused();
};

void UnitCommandsTest::exportSendsTheChosenGroupsAndRemembersThem() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.requests();
    TransferGroups preset = 0;
    rig.dialogs.script.push_back(chooseGroups(kTransferAnalogInputs, &preset));
    rig.window->runCommand(cmd::Export);

    QCOMPARE(rig.dialogs.titles.back(), QString("Export Options"));
    QCOMPARE(preset, kAllTransferGroups & 0x7F);
    const std::vector<std::string> sent = rig.requests();
    QCOMPARE(sent.size(), size_t(1 + 1 + 120 + 1));
    QCOMPARE(sent[0], std::string("W01?0042"));
    QCOMPARE(sent[1], std::string("W01]0000"));
    QCOMPARE(sent.back(), std::string("S01I"));
    QVERIFY(rig.prompts.shown.empty());
    QVERIFY(zat::test::statusField(*rig.window, "operation").isEmpty());
    // The traffic fields show the last exchange.
    QCOMPARE(zat::test::statusField(*rig.window, "request"), QString("S01I"));
    QVERIFY(zat::test::statusField(*rig.window, "reply").startsWith("*01I"));

    // The next Export offers the last choice.
    rig.dialogs.script.push_back(chooseGroups(0, &preset));
    rig.window->runCommand(cmd::Export);
    QCOMPARE(preset, kTransferAnalogInputs);
    QVERIFY(rig.requests().empty());  // nothing ticked: nothing sent
}

void UnitCommandsTest::exportCancelledSendsNothing() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.requests();
    rig.window->runCommand(cmd::Export);  // the script cancels the dialog
    QCOMPARE(rig.dialogs.titles.size(), size_t(1));
    QVERIFY(rig.requests().empty());
    QCOMPARE(offeredGroups(rig, cmd::Export), kAllTransferGroups & 0x7F);
}

void UnitCommandsTest::exportRetriesAndAbortsOnRequest() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.requests();

    // A refused probe, then Retry: the whole transfer runs again and succeeds.
    rig.unit->injectNext(sim::Fault::Refuse);
    rig.dialogs.script.push_back(chooseGroups(kTransferControllers));
    rig.prompts.script = {Answer::Retry};
    rig.window->runCommand(cmd::Export);
    QCOMPARE(rig.prompts.shown.size(), size_t(1));
    QCOMPARE(rig.prompts.shown[0].text, std::string("An error has ocurred during setup Transfer."));
    QCOMPARE(rig.prompts.shown[0].caption, std::string("Transfer Failure"));
    QVERIFY(rig.prompts.shown[0].icon == MessageIcon::Stop);
    QVERIFY(rig.prompts.shown[0].buttons == MessageButtons::AbortRetryIgnore);
    std::vector<std::string> sent = rig.requests();
    QCOMPARE(count(sent, "W01?0042"), size_t(2));
    QCOMPARE(count(sent, "S01I"), size_t(2));

    // Abort after a failure mid-way (the first controller field, after the
    // probe and two page selections) ends the command.
    rig.prompts.shown.clear();
    for (int i = 0; i < 3; ++i) rig.unit->injectNext(sim::Fault::None);
    rig.unit->injectNext(sim::Fault::Refuse);
    rig.dialogs.script.push_back(chooseGroups(kTransferControllers));
    rig.prompts.script = {Answer::Abort};
    rig.window->runCommand(cmd::Export);
    QCOMPARE(rig.prompts.shown.size(), size_t(1));
    sent = rig.requests();
    QCOMPARE(count(sent, "W01?0042"), size_t(1));
    QCOMPARE(sent.back(), std::string("S01I"));
    QVERIFY(sent.size() < 10);
    QVERIFY(zat::test::statusField(*rig.window, "operation").isEmpty());
    QVERIFY(!zat::test::workingWindowOpen());
}

// Ignore ends the export as Abort does, but Ignore sounds like going on.
void UnitCommandsTest::exportEndedByIgnoreSaysItIsIncomplete() {
    const struct {
        Answer answer;
        std::vector<std::string> messages;
    } rows[] = {
        {Answer::Ignore,
         {"An error has ocurred during setup Transfer.",
          "Export incomplete: the unit holds part of the configuration."}},
        {Answer::Abort, {"An error has ocurred during setup Transfer."}},
    };
    for (const auto& row : rows) {
        WindowRig rig;
        rig.attachUnit(unanswered("W01a05"));
        rig.start(rig.writeQuickDatabase("plant.zat"));
        rig.requests();
        rig.dialogs.script.push_back(chooseGroups(kTransferAnalogInputs));
        rig.prompts.script = {row.answer};
        rig.window->runCommand(cmd::Export);
        QCOMPARE(rig.messages(), row.messages);
        if (row.messages.size() > 1) {
            QCOMPARE(rig.prompts.shown[1].caption, std::string("Warning"));
            QVERIFY(rig.prompts.shown[1].icon == MessageIcon::Exclamation);
        }
        const std::vector<std::string> sent = rig.requests();
        QCOMPARE(count(sent, "W01?0042"), size_t(1));
        QCOMPARE(sent.back(), std::string("S01I"));
    }
}

void UnitCommandsTest::importFillsTheConfigurationAndMarksItModified() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.window->show();
    rig.unit->withState([](sim::UnitState& state) { QVERIFY(state.setItem(0, 'a', 5, 0x0003)); });
    rig.dialogs.script.push_back(chooseGroups(kTransferAnalogInputs));
    rig.window->runCommand(cmd::Import);
    QCOMPARE(rig.dialogs.titles.back(), QString("Import Options"));
    QCOMPARE(rig.db.analogInputs[5].type, uint16_t(0x0003));
    QVERIFY(rig.db.modified);
    QVERIFY(saveEnabled(rig));
    QVERIFY(rig.prompts.shown.empty());
    QCOMPARE(offeredGroups(rig, cmd::Import), kTransferAnalogInputs);
    // Exit asks before the imported configuration is thrown away.
    rig.prompts.script = {Answer::Cancel};
    QVERIFY(!rig.window->close());
    QCOMPARE(rig.messages(),
             std::vector<std::string>({"ZAT Database: plant.zat\n has not been saved!\nSave file now ?"}));
    rig.window->runCommand(cmd::Save);
    rig.prompts.shown.clear();

    // A field that cannot be read stops the import; Retry reads everything again.
    rig.unit->withState([](sim::UnitState& state) { QVERIFY(state.setItem(0, 'a', 5, 0x0004)); });
    rig.requests();
    for (int i = 0; i < 2; ++i) rig.unit->injectNext(sim::Fault::None);
    rig.unit->injectNext(sim::Fault::Garble);
    rig.dialogs.script.push_back(chooseGroups(kTransferAnalogInputs));
    rig.prompts.script = {Answer::Retry};
    rig.window->runCommand(cmd::Import);
    QCOMPARE(rig.messages(), std::vector<std::string>({"An error has ocurred during setup Transfer."}));
    QCOMPARE(count(rig.requests(), "W01?0042"), size_t(2));  // the whole import ran again
    QCOMPARE(rig.db.analogInputs[5].type, uint16_t(0x0004));
    QVERIFY(rig.db.modified);
}

// Given up half-way (the type of input 5 unanswered), inputs 0..4 would hold
// the unit's values and the rest the file's: the configuration goes back.
void UnitCommandsTest::importGivenUpLeavesTheConfigurationAsItWas() {
    for (const Answer answer : {Answer::Abort, Answer::Ignore}) {
        WindowRig rig;
        rig.attachUnit(unanswered("R01a05"));
        rig.start(rig.writeQuickDatabase("plant.zat"));
        rig.unit->withState([](sim::UnitState& state) {
            for (int input = 0; input < 6; ++input) QVERIFY(state.setItem(0, 'a', input, 0x0003));
        });
        rig.dialogs.script.push_back(chooseGroups(kTransferAnalogInputs));
        rig.prompts.script = {answer};
        rig.window->runCommand(cmd::Import);
        QCOMPARE(rig.messages(), std::vector<std::string>({"An error has ocurred during setup Transfer."}));
        QVERIFY(count(rig.requests(), "R01a04") == 1);  // read, and put back
        for (int input = 0; input < 6; ++input) QCOMPARE(rig.db.analogInputs[input].type, uint16_t(0));
        QVERIFY(!rig.db.modified);
        QVERIFY(!saveEnabled(rig));
    }
}

void UnitCommandsTest::importAsksAboutUnsavedChangesFirst() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.requests();
    rig.db.analogInputs[5].type = 7;
    rig.db.markModified();
    rig.dialogs.script.push_back(chooseGroups(kTransferAnalogInputs));
    rig.prompts.script = {Answer::Cancel};
    rig.window->runCommand(cmd::Import);
    QCOMPARE(rig.prompts.shown.size(), size_t(1));
    QCOMPARE(rig.prompts.shown[0].text, std::string("ZAT Database: plant.zat\n has not been saved!\nSave file now ?"));
    QVERIFY(rig.requests().empty());
    QCOMPARE(rig.db.analogInputs[5].type, uint16_t(7));
    // The choice is remembered even so.
    QCOMPARE(offeredGroups(rig, cmd::Import), kTransferAnalogInputs);

    // A save that fails keeps the changes: no import over them.
    rig.db.setCurrentFile(rig.dir.file("gone/plant.zat"));
    rig.dialogs.script.push_back(chooseGroups(kTransferAnalogInputs));
    rig.prompts.script = {Answer::Yes};
    rig.window->runCommand(cmd::Import);
    QVERIFY(rig.requests().empty());
    QCOMPARE(rig.db.analogInputs[5].type, uint16_t(7));
    QVERIFY(rig.db.modified);

    rig.dialogs.script.push_back(chooseGroups(kTransferAnalogInputs));
    rig.prompts.script = {Answer::No};
    rig.window->runCommand(cmd::Import);
    QCOMPARE(rig.db.analogInputs[5].type, uint16_t(0));
    QVERIFY(rig.db.modified);  // the edit is dropped; the import is the change now
}

void UnitCommandsTest::communicationsReopensThePort() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.requests();
    // A unit at another address answers once the settings name it.
    rig.unit->withState([](sim::UnitState& state) { state.setAddress(12); });
    rig.dialogs.script.push_back([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("address")->setText("12");
        return zat::test::press(dialog, "ok");
    });
    rig.window->runCommand(cmd::Communications);
    QCOMPARE(rig.db.comms.address, 12);
    QVERIFY(rig.window->link().isOpen());
    rig.dialogs.script.push_back(chooseGroups(kTransferAnalogInputs));
    rig.window->runCommand(cmd::Export);
    QVERIFY(rig.prompts.shown.empty());
    QCOMPARE(rig.requests().front(), std::string("W12?0042"));
}

void UnitCommandsTest::saveRegistersWritesTheFileAndKeepsTheChanges() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.unit->withState([](sim::UnitState& state) { QVERIFY(state.setValue('B', 4, -25)); });
    rig.db.markModified();
    const std::string path = rig.dir.file("kiln.reg");
    rig.files.answers = {path};
    rig.window->runCommand(cmd::SaveRegisters);

    const FileDialogRequest& request = rig.files.asked.back().request;
    QVERIFY(rig.files.asked.back().save);
    QCOMPARE(request.title, std::string("Select ZAT register file to save"));
    QCOMPARE(request.filter, std::string("ZAT Register Files (*.reg)"));
    QCOMPARE(request.defaultExtension, std::string("REG"));
    QVERIFY(request.initialDirectory.empty());
    QVERIFY(request.confirmOverwrite);
    const std::string saved = zat::test::readFile(path);
    QVERIFY(saved.find("[B REGS]") != std::string::npos);
    QVERIFY(saved.find("B04=-25") != std::string::npos);
    QVERIFY(saved.find("[S REGS]") != std::string::npos);
    // The configuration's own changes are still unsaved.
    QVERIFY(rig.db.modified);
}

void UnitCommandsTest::saveRegistersWithAReadLostOnTheLineWritesNoFile() {
    WindowRig rig;
    rig.attachUnit(unanswered("R01B05"));
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.requests();
    const std::string path = rig.dir.file("kiln.reg");
    rig.files.answers = {path};
    rig.prompts.script = {Answer::Retry, Answer::Abort};
    rig.window->runCommand(cmd::SaveRegisters);
    const std::string failure = "An error has occurred during register data transfer.";
    QCOMPARE(rig.messages(), std::vector<std::string>({failure, failure}));
    QCOMPARE(rig.prompts.shown[0].caption, std::string("Transfer Failure"));
    QVERIFY(rig.prompts.shown[0].buttons == MessageButtons::AbortRetryIgnore);
    QCOMPARE(count(rig.requests(), "W01?0042"), size_t(2));  // Retry read them all again
    QVERIFY(!QFile::exists(QString::fromStdString(path)));
}

void UnitCommandsTest::loadRegistersWritesTheUnit() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    const std::string path = rig.dir.file("kiln.reg");
    zat::test::writeFile(path, "[B REGS]\r\nB07=12\r\n[D REGS]\r\n[S REGS]\r\n");
    rig.files.answers = {path};
    rig.window->runCommand(cmd::LoadRegisters);
    QVERIFY(!rig.files.asked.back().save);
    QVERIFY(rig.files.asked.back().request.mustExist);
    QCOMPARE(rig.files.asked.back().request.title, std::string("Select ZAT register file to open"));
    std::optional<std::int16_t> b7;
    rig.unit->withState([&b7](sim::UnitState& state) { b7 = state.value('B', 7); });
    QCOMPARE(b7.value_or(0), std::int16_t(12));
}

void UnitCommandsTest::registerCommandsRefuseOtherFiles() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.requests();
    rig.files.answers = {rig.dir.file("kiln.zat"), rig.dir.file("kiln.txt"), rig.dir.file("kiln.reg.bak")};
    rig.window->runCommand(cmd::SaveRegisters);
    rig.window->runCommand(cmd::LoadRegisters);
    rig.window->runCommand(cmd::RestoreCalibration);
    QCOMPARE(rig.messages(),
             std::vector<std::string>({"Must be a .REG file", "Must be a .REG file", "Must be a .CAL file"}));
    QCOMPARE(rig.beep.beeps, std::vector<std::string>({"exclamation", "exclamation", "exclamation"}));
    QVERIFY(rig.requests().empty());
    QVERIFY(!QFile::exists(QString::fromStdString(rig.dir.file("kiln.zat"))));
}

void UnitCommandsTest::saveCalibrationProposesTheDatabaseName() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    const std::string path = rig.dir.file("plant.cal");
    rig.files.answers = {path};
    rig.window->runCommand(cmd::SaveCalibration);
    const FileDialogRequest& request = rig.files.asked.back().request;
    QCOMPARE(request.title, std::string("Save ZAT Calibration As..."));
    QCOMPARE(request.filter, std::string("ZAT Calibration Files (*.cal)"));
    QCOMPARE(request.defaultExtension, std::string("CAL"));
    QCOMPARE(request.proposedName, std::string("plant.cal"));
    QVERIFY(request.confirmOverwrite);
    const std::string saved = zat::test::readFile(path);
    QVERIFY(saved.find("[Analog Input]") != std::string::npos);
    QVERIFY(saved.find("[Cold Junction]") != std::string::npos);
    QVERIFY(rig.prompts.shown.empty());

    // A unit that does not answer: the question, and no dialog after Abort.
    rig.files.asked.clear();
    rig.unit->injectNext(sim::Fault::Drop);
    rig.prompts.script = {Answer::Abort};
    rig.window->runCommand(cmd::SaveCalibration);
    QCOMPARE(rig.messages().back(), std::string("An error has ocurred during calibration data transfer."));
    QVERIFY(rig.files.asked.empty());
}

void UnitCommandsTest::restoreCalibrationWritesTheUnit() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.requests();
    const std::string path = rig.dir.file("plant.cal");
    zat::test::writeFile(path, "[Cold Junction]\r\nZero=900\r\n");
    rig.files.answers = {path};
    rig.window->runCommand(cmd::RestoreCalibration);
    QCOMPARE(rig.files.asked.back().request.title, std::string("Select Calibration file to open"));
    QVERIFY(rig.files.asked.back().request.mustExist);
    const std::vector<std::string> sent = rig.requests();
    QCOMPARE(count(sent, "W01|0384"), size_t(1));
    // Keys missing from the file give their defaults (input zero 4096).
    QCOMPARE(count(sent, "W01x001000"), size_t(1));
    QVERIFY(rig.prompts.shown.empty());
}

void UnitCommandsTest::filesWithNothingToSendAreRefused() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.requests();
    const std::string registers = rig.dir.file("kiln.reg");
    const std::string calibration = rig.dir.file("plant.cal");
    zat::test::writeFile(registers, "");
    zat::test::writeFile(calibration, "[Analog Output]\r\nSpan 3=70000\r\n");
    rig.files.answers = {registers, calibration};
    rig.window->runCommand(cmd::LoadRegisters);
    rig.window->runCommand(cmd::RestoreCalibration);
    QCOMPARE(rig.messages(),
             std::vector<std::string>({registers + " holds no register values",
                                       "Invalid calibration constant Span 3=70000 in section Analog Output of " +
                                           calibration + ": valid range 0 to 65535"}));
    for (const auto& shown : rig.prompts.shown) QVERIFY(shown.caption == "Error" && shown.icon == MessageIcon::Stop);
    QVERIFY(rig.requests().empty());
}

QTEST_MAIN(UnitCommandsTest)
#include "unit_commands_qtest.moc"
