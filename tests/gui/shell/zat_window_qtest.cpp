// The main window: start-up, the file commands and the unsaved-changes rule,
// the menu, tool bar, status bar, accelerators, logo and help.
#include "gui/common/help_window.h"
#include "gui/dialogs/comms_setup_dialog.h"
#include "gui/monitors/analog_input_monitor.h"
#include "gui/monitors/digital_monitors.h"
#include "gui/shell/accelerator_keys.h"
#include "gui/shell/command_table.h"
#include "gui/shell/logo_view.h"
#include "model/database_file.h"
#include "support/window_rig.h"
#include "support/window_views.h"

#include <QAction>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include <sys/stat.h>
#include <unistd.h>

using namespace zat;
using zat::test::WindowRig;

namespace {

std::string title(const WindowRig& rig) { return rig.window->windowTitle().toStdString(); }

bool saveEnabled(const WindowRig& rig) {
    rig.window->updateCommandStates();
    return rig.window->action(cmd::Save)->isEnabled();
}

// A communications dialog that stores a new address: the edit that ends with OK.
zat::test::ScriptedDialogs::Handler setAddress(const QString& address) {
    return [address](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("address")->setText(address);
        return zat::test::press(dialog, "ok");
    };
}

ConfigDatabase loadFrom(const std::string& path) {
    ConfigDatabase db;
    zat::test::RecordingUserIo unseen;
    loadDatabase(db, path, unseen.io());
    return db;
}

}  // namespace

class ZatWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startUpLoadsTheNamedDatabase();
    void startUpWithoutTheFileTakesDefaultsSilently();
    void startUpWithAFileThatCannotBeReadSaysSo();
    void newClearsButKeepsTheNameAndSaveFollowsTheFirstEdit();
    void newCancelledChangesNothing();
    void openLoadsAFileAndLeavesSaveDisabled();
    void openRefusesAFileOfAnotherKind();
    void openAsksBeforeDroppingChanges();
    void openOfAnUnreadableFileKeepsTheConfiguration();
    void badSettingsFromAFileKeepThePortClosed();
    void saveAsRenamesOnlyWhenTheFileWasWritten();
    void closeFollowsTheUnsavedChangesRule();
    void closeIsRefusedWhileBusy();
    void menuCarriesEveryCommandInOrder();
    void toolBarFollowsTheCommandOrder();
    void acceleratorsWinOverMenuMnemonics();
    void menusShowTheKeysThatRunTheirCommandsOnce();
    void logoIsDrawnCentred();
    void helpOpensItsPages();
    void aMonitorLeavesItsSlotWhenItAsksToClose();
};

void ZatWindowTest::startUpLoadsTheNamedDatabase() {
    WindowRig rig;
    const std::string path = rig.writeQuickDatabase("plant1.zat");
    rig.start(path);
    QCOMPARE(title(rig), std::string(" KVL ZAT V2 Setup Utility : plant1.zat"));
    QCOMPARE(rig.db.directory, rig.dir.path() + "/");
    QCOMPARE(rig.db.comms.timeOut, 100u);
    QVERIFY(!rig.db.modified);
    QVERIFY(!rig.db.busy);
    QVERIFY(!saveEnabled(rig));
    QVERIFY(rig.prompts.shown.empty() || rig.prompts.shown.front().caption != "Error");
}

void ZatWindowTest::startUpWithoutTheFileTakesDefaultsSilently() {
    WindowRig rig;
    rig.attachUnit();  // so opening the port is no error either
    rig.start(rig.dir.file("missing.zat"));
    QVERIFY(rig.prompts.shown.empty());
    QCOMPARE(rig.db.comms.port, 1);
    QCOMPARE(rig.db.comms.address, 0);
    QCOMPARE(rig.db.comms.retries, 2);
    QCOMPARE(title(rig), std::string(" KVL ZAT V2 Setup Utility : missing.zat"));
}

// The same message as File > Open gives for these files.
void ZatWindowTest::startUpWithAFileThatCannotBeReadSaysSo() {
    WindowRig rig;
    const std::string folder = rig.dir.file("folder.zat");
    const std::string fifo = rig.dir.file("fifo.zat");
    const std::string zero = rig.dir.file("zero.zat");
    const std::string big = rig.dir.file("big.zat");
    QVERIFY(::mkdir(folder.c_str(), 0700) == 0);
    QVERIFY(::mkfifo(fifo.c_str(), 0600) == 0);
    QVERIFY(::symlink("/dev/zero", zero.c_str()) == 0);
    zat::test::writeFile(big, "");
    QVERIFY(::truncate(big.c_str(), 17 * 1024 * 1024) == 0);  // sparse
    const struct {
        std::string path;
        std::string reason;
    } rows[] = {
        {folder, "Is a directory"},
        {fifo, "Is a named pipe (FIFO), not a regular file"},
        {zero, "Is a character device, not a regular file"},
        {big, "File too large: over 16 MiB"},
    };
    for (const auto& row : rows) {
        WindowRig started;
        started.start(row.path);
        QVERIFY(!started.prompts.shown.empty());
        QCOMPARE(started.prompts.shown[0].text, "Unable to read file " + row.path + "\n" + row.reason);
        QCOMPARE(started.prompts.shown[0].caption, std::string("Error"));
        QVERIFY(started.prompts.shown[0].icon == MessageIcon::Stop);
        QVERIFY(!started.db.modified);
    }
}

void ZatWindowTest::newClearsButKeepsTheNameAndSaveFollowsTheFirstEdit() {
    WindowRig rig;
    const std::string path = rig.writeQuickDatabase("plant.zat");
    rig.start(path);
    rig.db.analogInputs[3].hiScalar = 1234;

    rig.prompts.script = {Answer::Ok};
    rig.window->runCommand(cmd::New);
    QCOMPARE(rig.prompts.shown.size(), size_t(1));
    const auto& asked = rig.prompts.shown[0];
    QCOMPARE(asked.text, std::string("Start again with a clean ZAT Database ?"));
    QCOMPARE(asked.caption, std::string("Confirm"));
    QVERIFY(asked.icon == MessageIcon::Question);
    QVERIFY(asked.buttons == MessageButtons::OkCancel);
    QVERIFY(asked.defaultAnswer == Answer::Cancel);
    QCOMPARE(rig.db.analogInputs[3].hiScalar, int16_t(1000));
    QCOMPARE(title(rig), std::string(" KVL ZAT V2 Setup Utility : plant.zat"));
    QVERIFY(!saveEnabled(rig));

    // The first edit that ends with OK enables Save, which writes over the old name.
    rig.dialogs.script.push_back(setAddress("7"));
    rig.window->runCommand(cmd::Communications);
    QVERIFY(saveEnabled(rig));
    rig.window->runCommand(cmd::Save);
    QVERIFY(!saveEnabled(rig));
    QCOMPARE(loadFrom(path).comms.address, 7);
}

void ZatWindowTest::newCancelledChangesNothing() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.db.analogInputs[0].loScalar = 55;
    rig.db.markModified();
    rig.prompts.script = {Answer::Cancel};
    rig.window->runCommand(cmd::New);
    QCOMPARE(rig.db.analogInputs[0].loScalar, int16_t(55));
    QVERIFY(rig.db.modified);
}

void ZatWindowTest::openLoadsAFileAndLeavesSaveDisabled() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("first.zat"));
    const std::string second = rig.writeQuickDatabase("second.zat", 4);
    rig.files.answers = {second};
    rig.window->runCommand(cmd::Open);

    QCOMPARE(rig.files.asked.size(), size_t(1));
    const FileDialogRequest& request = rig.files.asked[0].request;
    QVERIFY(!rig.files.asked[0].save);
    QCOMPARE(request.title, std::string("Select ZAT database file to open"));
    QCOMPARE(request.filter, std::string("ZAT Files (*.zat)"));
    QCOMPARE(request.defaultExtension, std::string("ZAT"));
    QCOMPARE(request.initialDirectory, rig.dir.path() + "/");
    QVERIFY(request.mustExist);
    QVERIFY(request.proposedName.empty());

    QCOMPARE(title(rig), std::string(" KVL ZAT V2 Setup Utility : second.zat"));
    QCOMPARE(rig.db.comms.retries, 4);
    QVERIFY(!saveEnabled(rig));

    // Cancel in the dialog: nothing at all.
    rig.window->runCommand(cmd::Open);
    QCOMPARE(title(rig), std::string(" KVL ZAT V2 Setup Utility : second.zat"));
    QVERIFY(rig.prompts.shown.empty());
}

void ZatWindowTest::openRefusesAFileOfAnotherKind() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    zat::test::writeFile(rig.dir.file("settings.txt"), "[General]\nPort=3\n");
    rig.db.analogInputs[1].hiScalar = 99;
    rig.files.answers = {rig.dir.file("settings.txt")};
    rig.window->runCommand(cmd::Open);

    QCOMPARE(rig.prompts.shown.size(), size_t(1));
    QCOMPARE(rig.prompts.shown[0].text, std::string("Must be a .ZAT file"));
    QCOMPARE(rig.prompts.shown[0].caption, std::string("Error"));
    QVERIFY(rig.prompts.shown[0].icon == MessageIcon::Stop);
    QCOMPARE(rig.prompts.shown[0].beepsBefore, size_t(1));
    QCOMPARE(rig.beep.beeps.front(), std::string("exclamation"));
    QCOMPARE(rig.db.analogInputs[1].hiScalar, int16_t(99));
    QCOMPARE(rig.db.comms.port, 1);
    QCOMPARE(rig.db.fileName, std::string("plant.zat"));

    // The extension is compared without regard to case.
    rig.files.answers = {rig.writeQuickDatabase("UPPER.ZAT", 6)};
    rig.window->runCommand(cmd::Open);
    QCOMPARE(rig.db.comms.retries, 6);
}

void ZatWindowTest::openAsksBeforeDroppingChanges() {
    WindowRig rig;
    const std::string first = rig.writeQuickDatabase("first.zat");
    rig.start(first);
    const std::string second = rig.writeQuickDatabase("second.zat", 4);

    // Cancel: the changes and the file stay.
    rig.db.analogInputs[2].hiScalar = 321;
    rig.db.markModified();
    rig.files.answers = {second};
    rig.prompts.script = {Answer::Cancel};
    rig.window->runCommand(cmd::Open);
    QCOMPARE(rig.prompts.shown.back().text,
             std::string("ZAT Database: first.zat\n has not been saved!\nSave file now ?"));
    QCOMPARE(rig.prompts.shown.back().caption, std::string("Confirm"));
    QVERIFY(rig.prompts.shown.back().buttons == MessageButtons::YesNoCancel);
    QVERIFY(rig.prompts.shown.back().icon == MessageIcon::Question);
    QCOMPARE(rig.db.fileName, std::string("first.zat"));
    QCOMPARE(rig.db.analogInputs[2].hiScalar, int16_t(321));
    QVERIFY(rig.db.modified);

    // Yes: saved to the old file first, then the other one is loaded.
    rig.files.answers = {second};
    rig.prompts.script = {Answer::Yes};
    rig.window->runCommand(cmd::Open);
    QCOMPARE(rig.db.fileName, std::string("second.zat"));
    QCOMPARE(loadFrom(first).analogInputs[2].hiScalar, int16_t(321));
    QCOMPARE(rig.db.analogInputs[2].hiScalar, int16_t(1000));

    // No: the changes are dropped.
    rig.db.analogInputs[2].hiScalar = 777;
    rig.db.markModified();
    rig.files.answers = {first};
    rig.prompts.script = {Answer::No};
    rig.window->runCommand(cmd::Open);
    QCOMPARE(rig.db.fileName, std::string("first.zat"));
    QCOMPARE(rig.db.analogInputs[2].hiScalar, int16_t(321));
    QCOMPARE(loadFrom(second).analogInputs[2].hiScalar, int16_t(1000));
}

void ZatWindowTest::openOfAnUnreadableFileKeepsTheConfiguration() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.db.analogInputs[4].hiScalar = 42;
    const std::string folder = rig.dir.file("folder.zat");
    QVERIFY(::mkdir(folder.c_str(), 0700) == 0);
    rig.files.answers = {folder};
    rig.window->runCommand(cmd::Open);
    QCOMPARE(rig.prompts.shown.size(), size_t(1));
    QVERIFY(rig.prompts.shown[0].text.rfind("Unable to read file " + folder + "\n", 0) == 0);
    QCOMPARE(rig.db.fileName, std::string("plant.zat"));
    QCOMPARE(rig.db.analogInputs[4].hiScalar, int16_t(42));
    QCOMPARE(title(rig), std::string(" KVL ZAT V2 Setup Utility : plant.zat"));
}

void ZatWindowTest::badSettingsFromAFileKeepThePortClosed() {
    WindowRig rig;
    const std::string bad = rig.writeQuickDatabase("bad.zat");
    std::string text = zat::test::readFile(bad);
    text.replace(text.find("Retries=0"), 9, "Retries=2000000000");
    zat::test::writeFile(bad, text);
    const std::string message = "Invalid communication setting Retries=2000000000 in " + bad + ": valid range 0 to 99";
    rig.start(bad);
    QCOMPARE(rig.messages(), std::vector<std::string>({message}));
    QVERIFY(rig.prompts.shown[0].caption == "Error" && rig.prompts.shown[0].icon == MessageIcon::Stop);
    QVERIFY(!rig.window->link().isOpen());
    QCOMPARE(rig.db.comms.retries, 2000000000);  // kept, for the dialog to show and correct
    // The unit commands stop at the same message, with nothing sent.
    rig.requests();
    rig.window->runCommand(cmd::Export);
    QCOMPARE(rig.messages(), std::vector<std::string>({message, message}));
    QVERIFY(rig.requests().empty());

    // A good file opens the port; a bad one opened after it closes it again.
    rig.files.answers = {rig.writeQuickDatabase("good.zat"), bad};
    rig.window->runCommand(cmd::Open);
    QVERIFY(rig.window->link().isOpen());
    rig.window->runCommand(cmd::Open);
    QVERIFY(!rig.window->link().isOpen());
    QCOMPARE(rig.messages(), std::vector<std::string>({message, message, message}));
    QVERIFY(zat::test::readFile(bad) == text);
}

void ZatWindowTest::saveAsRenamesOnlyWhenTheFileWasWritten() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.db.analogInputs[5].hiScalar = 500;
    rig.db.markModified();

    rig.files.answers = {rig.dir.file("nowhere/copy.zat")};
    rig.window->runCommand(cmd::SaveAs);
    QVERIFY(rig.files.asked.back().save);
    QVERIFY(rig.files.asked.back().request.confirmOverwrite);
    QCOMPARE(rig.files.asked.back().request.title, std::string("Save ZAT Database As..."));
    QCOMPARE(rig.prompts.shown.size(), size_t(1));
    QVERIFY(rig.prompts.shown[0].text.rfind("Unable to write file", 0) == 0);
    QCOMPARE(rig.db.fileName, std::string("plant.zat"));
    QVERIFY(rig.db.modified);

    rig.files.answers = {rig.dir.file("copy.txt")};
    rig.window->runCommand(cmd::SaveAs);
    QCOMPARE(rig.prompts.shown.back().text, std::string("Must be a .ZAT file"));
    QVERIFY(rig.db.modified);

    const std::string copy = rig.dir.file("copy.zat");
    rig.files.answers = {copy};
    rig.window->runCommand(cmd::SaveAs);
    QCOMPARE(title(rig), std::string(" KVL ZAT V2 Setup Utility : copy.zat"));
    QVERIFY(!rig.db.modified);
    QCOMPARE(loadFrom(copy).analogInputs[5].hiScalar, int16_t(500));
}

void ZatWindowTest::closeFollowsTheUnsavedChangesRule() {
    WindowRig rig;
    const std::string path = rig.writeQuickDatabase("plant.zat");
    rig.start(path);
    rig.window->show();
    rig.db.analogInputs[6].hiScalar = 66;
    rig.db.markModified();

    rig.prompts.script = {Answer::Cancel};
    QVERIFY(!rig.window->close());
    QVERIFY(rig.window->isVisible());
    QVERIFY(rig.db.modified);

    rig.prompts.script = {Answer::No};
    rig.window->runCommand(cmd::Exit);
    QVERIFY(!rig.window->isVisible());
    QVERIFY(!rig.db.modified);
    QCOMPARE(loadFrom(path).analogInputs[6].hiScalar, int16_t(1000));
    QVERIFY(!rig.window->link().isOpen());
}

void ZatWindowTest::closeIsRefusedWhileBusy() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.window->show();
    rig.db.busy = true;
    QVERIFY(!rig.window->close());
    QVERIFY(rig.prompts.shown.empty());
    rig.db.busy = false;
    QVERIFY(rig.window->close());
}

void ZatWindowTest::menuCarriesEveryCommandInOrder() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    QMenuBar* bar = rig.window->menuBar();
    QStringList titles;
    for (QAction* entry : bar->actions()) titles << (entry->isSeparator() ? "---" : entry->text());
    // Help is in the one bar (so screen readers find it), after the separator that puts it at the right.
    QCOMPARE(titles,
             QStringList({"&File", "&Monitor", "&Calibration", "Communications", "Configuration", "---", "&Help"}));
    QVERIFY(bar->cornerWidget(Qt::TopRightCorner) == nullptr);
    rig.window->resize(1000, 600);
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    const QRect helpPlace = bar->actionGeometry(bar->actions().back());
    QVERIFY2(helpPlace.right() > bar->width() - 20, qPrintable(QString::number(helpPlace.right())));
    QVERIFY(helpPlace.left() > bar->actionGeometry(bar->actions()[4]).right() + 100);

    QStringList file;
    for (QAction* item : bar->actions()[0]->menu()->actions()) file << (item->isSeparator() ? "---" : item->text());
    QCOMPARE(file, QStringList({"&New", "&Open", "&Save", "Save &as...", "---", "&Import", "&Export", "Export C&hanges",
                                "Compare with &Unit\u2026", "Compare with Fi&le\u2026", "---", "&Load Registers",
                                "Save &Registers", "---", "&Print I/O Listing", "---", "E&xit"}));
    QStringList communications;
    for (QAction* item : bar->actions()[3]->menu()->actions())
        communications << (item->isSeparator() ? "---" : item->text());
    QCOMPARE(communications, QStringList({"Communications &Setup...", "&Find Units\u2026", "---", "&Traffic"}));
    QStringList configuration;
    for (QAction* item : bar->actions()[4]->menu()->actions()) configuration << item->text();
    QCOMPARE(configuration, QStringList({"Analogue Inputs\tAlt+A", "Analogue Outputs\tAlt+B", "Digital Inputs",
                                         "Digital Outputs\tAlt+D", "&IF Bocks\tAlt+I", "&Hot Cold Blocks\tAlt+H",
                                         "&Profilers\tAlt+P", "Profile &Editor\tAlt+E", "PID &Controllers\tAlt+C"}));

    QStringList help;
    for (QAction* item : bar->actions().back()->menu()->actions()) help << (item->isSeparator() ? "---" : item->text());
    QCOMPARE(help, QStringList({"Help &Contents", "---", "&Help on Help", "---", "&About ZATSetup"}));

    QCOMPARE(rig.window->action(cmd::Export)->statusTip(), QString("Export the current configuration to the ZAT"));
    QCOMPARE(rig.window->action(cmd::IfBlocks)->statusTip(), QString("Configure Alarm blocks"));
    QVERIFY(rig.window->action(cmd::SaveCalibration)->statusTip().isEmpty());
    // Commands that have their windows work.
    QVERIFY(rig.window->action(cmd::PrintListing)->isEnabled());
    QVERIFY(rig.window->action(cmd::Export)->isEnabled());
    QVERIFY(rig.window->action(cmd::RestoreCalibration)->isEnabled());
    for (const CommandInfo& info : commandInfos()) {
        QVERIFY2(!rig.window->action(info.id)->icon().pixmap(24, 24).isNull(), qPrintable(QString::number(info.id)));
    }
}

void ZatWindowTest::toolBarFollowsTheCommandOrder() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    auto* tools = rig.window->findChild<QToolBar*>("toolBar");
    QVERIFY(tools != nullptr);
    QStringList order;
    for (QAction* entry : tools->actions()) {
        if (entry->isSeparator()) {
            order << "|";
        } else if (entry->objectName().startsWith("command")) {
            order << entry->objectName().mid(7);
        } else {
            order << "gap";
        }
    }
    QCOMPARE(order.join(' '), QString("401 400 402 | 503 502 | 530 529 | 504 515 516 517 525 523 | 505 508 507 | 513 | "
                                      "501 509 511 512 514 510 524 526 522 gap 518"));
}

void ZatWindowTest::acceleratorsWinOverMenuMnemonics() {
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
        return QKeyEvent(QEvent::KeyPress, k, modifiers, text);
    };
    QCOMPARE(AcceleratorKeys::commandFor(key(Qt::Key_C, Qt::AltModifier)), int(cmd::ControllerSetup));
    QCOMPARE(AcceleratorKeys::commandFor(key(Qt::Key_H, Qt::AltModifier)), int(cmd::HotColdBlocks));
    QCOMPARE(AcceleratorKeys::commandFor(key(Qt::Key_C, Qt::ControlModifier)), int(cmd::MonitorDigitalInputs));
    QCOMPARE(AcceleratorKeys::commandFor(key(Qt::Key_C, Qt::ShiftModifier, "C")), int(cmd::MonitorControllers));
    QCOMPARE(AcceleratorKeys::commandFor(key(Qt::Key_C, Qt::NoModifier, "c")), 0);
    QCOMPARE(AcceleratorKeys::commandFor(key(Qt::Key_F, Qt::AltModifier)), 0);

    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.window->show();
    QApplication::setActiveWindow(rig.window.get());
    // Alt+C belongs to the controllers' command, not to the Calibration menu.
    QKeyEvent altC(QEvent::ShortcutOverride, Qt::Key_C, Qt::AltModifier);
    QApplication::sendEvent(rig.window.get(), &altC);
    QVERIFY(altC.isAccepted());
    QKeyEvent altF(QEvent::ShortcutOverride, Qt::Key_F, Qt::AltModifier);
    altF.ignore();
    QApplication::sendEvent(rig.window.get(), &altF);
    QVERIFY(!altF.isAccepted());
}

void ZatWindowTest::menusShowTheKeysThatRunTheirCommandsOnce() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    QStringList monitors;
    for (QAction* item : rig.window->menuBar()->actions()[1]->menu()->actions()) monitors << item->text();
    QCOMPARE(monitors, QStringList({"Monitor Analog Inputs\tCtrl+A", "Monitor Analog Outputs\tCtrl+B",
                                    "Monitor Digital Inputs\tCtrl+C", "Monitor Digital Outputs\tCtrl+D",
                                    "Monitor Profilers\tCtrl+P", "Monitor PID Controllers\tC"}));
    for (const int id : {cmd::ControllerSetup, cmd::IfBlocks, cmd::ProfileEditor})
        QVERIFY(rig.window->action(id)->shortcut().isEmpty());  // the window's keys alone run them

    rig.window->show();
    QApplication::setActiveWindow(rig.window.get());
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    const struct {
        Qt::Key key;
        QString title;
    } cases[] = {{Qt::Key_C, "Controllers"}, {Qt::Key_I, "IF Blocks"}, {Qt::Key_E, "Profile Editor"}};
    for (const auto& c : cases) {
        rig.dialogs.titles.clear();
        QTest::keyClick(rig.window.get(), c.key, Qt::AltModifier);
        QCOMPARE(rig.dialogs.titles, std::vector<QString>{c.title});
    }
}

void ZatWindowTest::logoIsDrawnCentred() {
    WindowRig rig;
    char before[4096];
    QVERIFY(::getcwd(before, sizeof before) != nullptr);
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(QString::fromStdString(rig.dir.file("Logo.bmp")), "BMP"));
    QVERIFY(::chdir(rig.dir.path().c_str()) == 0);
    rig.start(rig.writeQuickDatabase("plant.zat"));
    QVERIFY(::chdir(before) == 0);

    auto* view = rig.window->findChild<LogoView*>();
    view->resize(101, 51);
    QCOMPARE(view->logoOrigin(), QPoint(30, 15));  // the 40 x 20 logo, centred
    view->resize(30, 10);
    QCOMPARE(view->logoOrigin(), QPoint(-5, -5));

    // Drawn at that place: a window smaller than the logo shows its middle.
    LogoView alone;
    QImage halves(40, 20, QImage::Format_RGB32);
    halves.fill(Qt::red);
    for (int y = 0; y < 20; ++y) halves.setPixelColor(39, y, Qt::blue);
    alone.setLogo(QPixmap::fromImage(halves));
    alone.resize(30, 10);
    const QImage small = alone.grab().toImage();
    QCOMPARE(small.pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(small.pixelColor(29, 9), QColor(Qt::red));  // column 39 of the logo lies beyond the right edge
    alone.resize(60, 40);
    const QImage large = alone.grab().toImage();
    QCOMPARE(large.pixelColor(10, 10), QColor(Qt::red));
    QCOMPARE(large.pixelColor(49, 10), QColor(Qt::blue));
    QVERIFY(large.pixelColor(9, 10) != QColor(Qt::red));
    QVERIFY(large.pixelColor(10, 9) != QColor(Qt::red));

    WindowRig without;
    without.start(without.writeQuickDatabase("plant.zat"));
    auto* empty = without.window->findChild<LogoView*>();
    empty->resize(101, 51);
    QVERIFY(empty->grab().toImage().pixelColor(50, 25) != QColor(Qt::red));
    QVERIFY(without.prompts.shown.empty());
}

void ZatWindowTest::helpOpensItsPages() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    rig.window->runCommand(cmd::HelpContents);
    QVERIFY(rig.window->findChild<HelpWindow*>() != nullptr);
    QCOMPARE(zat::test::shownHelpPage(*rig.window), helpPageUrl(0));
    rig.window->runCommand(cmd::HelpOnHelp);
    QCOMPARE(zat::test::shownHelpPage(*rig.window), helpOnHelpUrl());
    QCOMPARE(rig.window->action(cmd::HelpOnHelp)->statusTip(), QString("Help on how to use Help"));

    // A dialog's Help button opens its own topic.
    rig.dialogs.script.push_back([](QDialog& dialog) {
        zat::test::press(dialog, "help");
        return zat::test::press(dialog, "cancel");
    });
    rig.window->runCommand(cmd::Communications);
    QCOMPARE(zat::test::shownHelpPage(*rig.window), helpPageUrl(TCommsSetupDialog::kHelpContext));
    QVERIFY(zat::test::shownHelpPage(*rig.window).toString().endsWith("communications_setup.html"));
}

void ZatWindowTest::aMonitorLeavesItsSlotWhenItAsksToClose() {
    WindowRig rig;
    rig.start(rig.writeQuickDatabase("plant.zat"));
    QPointer<MonitorWindow> first = new TAINMonitor(rig.window->windowContext());
    rig.window->openMonitor(MonitorSlot::AnalogInputs, first);
    QVERIFY(rig.window->monitorOpen(MonitorSlot::AnalogInputs));
    QVERIFY(first->isWindow());
    QCOMPARE(first->parentWidget(), static_cast<QWidget*>(rig.window.get()));

    // Only one of a kind: a second is not kept.
    QPointer<MonitorWindow> second = new TAINMonitor(rig.window->windowContext());
    rig.window->openMonitor(MonitorSlot::AnalogInputs, second);
    QVERIFY(second.isNull());
    QVERIFY(!first.isNull());

    // Other kinds may be open together.
    QPointer<MonitorWindow> digital = new TDINMonitor(rig.window->windowContext());
    rig.window->openMonitor(MonitorSlot::DigitalInputs, digital);
    QVERIFY(rig.window->monitorOpen(MonitorSlot::DigitalInputs));

    // The close request is handled once the monitor's own event is over.
    rig.window->requestMonitorClose(MonitorSlot::AnalogInputs);
    QVERIFY(!first.isNull());
    QCoreApplication::processEvents();
    QVERIFY(first.isNull());
    QVERIFY(!rig.window->monitorOpen(MonitorSlot::AnalogInputs));
    QVERIFY(rig.window->monitorOpen(MonitorSlot::DigitalInputs));

    // Closing the main window destroys the monitors still open.
    rig.window->show();
    QVERIFY(rig.window->close());
    QVERIFY(digital.isNull());
}

QTEST_MAIN(ZatWindowTest)
#include "zat_window_qtest.moc"
