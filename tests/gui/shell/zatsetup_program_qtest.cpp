// The zatsetup program as a user starts it, and the simulated unit inside it.
#include "gui/shell/command_table.h"
#include "gui/shell/embedded_unit.h"
#include "sim/pty_unit.h"
#include "support/ser2net_rig.h"
#include "support/window_rig.h"
#include "support/window_views.h"

#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QTest>

#include <cstdlib>

using namespace zat;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runZatsetup(const QStringList& args, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(ZATSETUP_PATH, args);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QProcessEnvironment withoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    return environment;
}

}  // namespace

class ZatsetupProgramTest : public QObject {
    Q_OBJECT
private slots:
    void withoutADisplayItSaysSoAndNamesZatctl();
    void optionsAreCheckedBeforeAnyWindow();
    void simulatedStartUpShowsTheWindow();
    void aTimedStartUpPrintsItsMessagesInsteadOfWaiting();
    void theEmbeddedUnitAnswersEveryCommand();
    void aUnitBehindASerialServerIsNamedAndAnswers();
};

void ZatsetupProgramTest::withoutADisplayItSaysSoAndNamesZatctl() {
    const Run run = runZatsetup({}, withoutDisplay());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY(run.err.contains("no display"));
    QVERIFY(run.err.contains("zatctl"));
}

void ZatsetupProgramTest::optionsAreCheckedBeforeAnyWindow() {
    Run run = runZatsetup({"--help"}, withoutDisplay());
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.startsWith("usage: zatsetup"));
    run = runZatsetup({"--bogus"}, withoutDisplay());
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.startsWith("zatsetup: unknown option --bogus"));
    // A log that cannot be written is refused before the window is shown.
    QProcessEnvironment offscreen = withoutDisplay();
    offscreen.insert("QT_QPA_PLATFORM", "offscreen");
    run = runZatsetup({"--simulate", "--exit-when-shown", "--log", "/nonexistent/line.log"}, offscreen);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("zatsetup: cannot write /nonexistent/line.log"), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
}

void ZatsetupProgramTest::simulatedStartUpShowsTheWindow() {
    QProcessEnvironment environment = withoutDisplay();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    const Run run =
        runZatsetup({"--simulate", "--exit-when-shown", ZAT_SOURCE_DIR "/examples/demo-plant.zat"}, environment);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QString("shown\n"));
}

void ZatsetupProgramTest::aTimedStartUpPrintsItsMessagesInsteadOfWaiting() {
    QProcessEnvironment environment = withoutDisplay();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    // Every port's device is missing, so the start-up has a message to give.
    for (int port = 1; port <= 8; ++port) environment.insert(QString("ZAT_COM%1").arg(port), "/nonexistent/tty");
    const Run run = runZatsetup({"--exit-when-shown", "/nonexistent/plant.zat"}, environment);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QString("shown\n"));
    QVERIFY2(run.err.contains("Error: Failed to open the comms port."), qPrintable(run.err));
}

void ZatsetupProgramTest::theEmbeddedUnitAnswersEveryCommand() {
    EmbeddedUnit simulated;
    test::WindowRig rig;
    const std::string path = rig.writeQuickDatabase("plant.zat");
    // Whatever port and address the file names, the simulated unit answers.
    rig.db.setCurrentFile(path);
    TZATWindow window(rig.db, rig.context(), &simulated);
    window.startUp();
    QVERIFY(zat::test::statusField(window, "unitNote").startsWith("Simulated ZAT V2 on /dev/pts/"));
    QVERIFY(window.link().isOpen());

    rig.db.comms.address = 42;
    rig.dialogs.script.push_back([](QDialog& dialog) { return test::press(dialog, "ok"); });
    window.runCommand(cmd::Communications);
    rig.dialogs.script.push_back([](QDialog& dialog) {
        for (int group = 1; group <= 7; ++group) {
            dialog.findChild<QCheckBox*>(QString("group%1").arg(group))->setChecked(group == 1);
        }
        return test::press(dialog, "ok");
    });
    window.runCommand(cmd::Export);
    QVERIFY(rig.prompts.shown.empty());
    QCOMPARE(zat::test::statusField(window, "request"), QString("S42I"));
    QVERIFY(zat::test::statusField(window, "reply").startsWith("*42I"));  // the simulated unit answered
}

void ZatsetupProgramTest::aUnitBehindASerialServerIsNamedAndAnswers() {
    test::Ser2netRig server;
    const std::string device = server.rfc2217Device();
    test::WindowRig rig;
    rig.db.setCurrentFile(rig.writeQuickDatabase("plant.zat"));  // on port 1
    setenv("ZAT_COM1", device.c_str(), 1);
    TZATWindow window(rig.db, rig.context());
    window.startUp();
    QVERIFY2(rig.prompts.shown.empty(), rig.prompts.shown.empty() ? "" : rig.prompts.shown[0].text.c_str());
    QCOMPARE(zat::test::statusField(window, "unitNote"), QString::fromStdString("ZAT V2 on " + device));

    QString shownDevice;
    rig.dialogs.script.push_back([&shownDevice](QDialog& dialog) {
        shownDevice = dialog.findChild<QLabel*>("device1")->text();
        return test::press(dialog, "ok");
    });
    window.runCommand(cmd::Communications);
    unsetenv("ZAT_COM1");
    QCOMPARE(shownDevice, QString::fromStdString(device));
    QVERIFY(window.link().isOpen());
    UnitProtocol protocol(window.link(), rig.db.comms, rig.prompts, rig.beep);
    QCOMPARE(protocol.checkUnit(true), Outcome::Ok);
    QVERIFY(rig.prompts.shown.empty());
}

QTEST_MAIN(ZatsetupProgramTest)
#include "zatsetup_program_qtest.moc"
