// Renders the main window and every dialog to PNG files for review:
//   zatsetup-screenshots OUTPUT-FOLDER [DATABASE.zat]
// Run it on the offscreen platform (scripts/screenshots does).
#include "comms/config_transfer.h"
#include "gui/common/help_window.h"
#include "gui/common/message_box_prompts.h"
#include "gui/common/please_wait.h"
#include "gui/common/qt_file_dialogs.h"
#include "gui/common/text_conversion.h"
#include "gui/dialogs/transfer_setup_dialog.h"
#include "gui/editors/if_block_editor.h"
#include "gui/monitors/analog_input_monitor.h"
#include "gui/printing/listing_printer.h"
#include "gui/printing/printing_window.h"
#include "gui/shell/command_table.h"
#include "gui/shell/embedded_unit.h"
#include "gui/shell/zat_window.h"
#include "gui/traffic/traffic_window.h"
#include "sim/pty_unit.h"
#include "trend_pictures.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QString folder;
void save(QWidget& widget, const char* name, bool fitContents = true);

// The traffic window after a probe and an export of the database to a
// simulated unit that drops and garbles a few replies, scrolled to the last
// failure so it shows.
void saveTraffic(zat::TZATWindow& window, zat::ConfigDatabase& db) {
    zat::sim::FaultPlan faults(zat::sim::FaultRates{.drop = 1.0, .garble = 0.5}, 7);
    zat::sim::PtyUnit unit({}, {}, std::move(faults));
    unit.start();
    zat::UnitLink& link = window.link();
    link.setOptions(zat::LinkOptions{unit.devicePath()});
    if (!link.openPort(db.comms).ok()) return;
    window.trafficRing().clear();
    window.linkStatistics().reset();
    zat::UnitProtocol& protocol = window.windowContext().protocol;
    zat::SilentProgress quiet;
    if (succeeded(protocol.checkUnit(false))) {
        (void)zat::exportConfiguration(db, zat::kAllTransferGroups, protocol, quiet);
    }
    link.closePort();
    const std::unique_ptr<zat::TrafficWindow> traffic = window.makeTrafficWindow();
    traffic->resize(960, 560);
    traffic->show();
    traffic->refresh();
    auto* view = traffic->findChild<QTableView*>("exchanges");
    for (int row = view->model()->rowCount() - 1; row >= 0; --row) {
        if (!view->model()->index(row, 0).data(Qt::BackgroundRole).isValid()) continue;
        view->scrollTo(view->model()->index(std::min(row + 4, view->model()->rowCount() - 1), 0));
        break;
    }
    QApplication::processEvents();
    save(*traffic, "traffic", false);
}
int written = 0;

void save(QWidget& widget, const char* name, bool fitContents) {
    if (fitContents) widget.adjustSize();
    const QString path = QDir(folder).filePath(QString::fromLatin1(name) + ".png");
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "zatsetup-screenshots: cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    std::printf("%s\n", qPrintable(path));
    ++written;
}

void saveMessage(const char* name, QMessageBox::Icon icon, const QString& caption, const QString& text,
                 QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, caption, text, buttons);
    save(box, name);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zatsetup-screenshots OUTPUT-FOLDER [DATABASE.zat]\n");
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    // The pictures' choices (the trend shown, its span) are not the user's.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    zat::ConfigDatabase db;
    if (argc > 2) db.setCurrentFile(argv[2]);
    zat::MessageBoxPrompts prompts;
    zat::ApplicationBeep beep;
    zat::ExecDialogRunner dialogs;
    zat::QtFileDialogs files;
    zat::OverrideWaitCursor cursor;
    zat::EmbeddedUnit simulated;
    zat::TZATWindow window(db, zat::GuiContext{prompts, beep, dialogs, files, cursor, {}}, &simulated);
    window.resize(1000, 600);
    window.show();
    window.startUp();
    QApplication::processEvents();
    save(window, "main_window", false);
    for (QAction* entry : window.menuBar()->actions()) {
        if (QMenu* menu = entry->menu()) {
            const QString name = "menu_" + entry->text().remove('&').toLower();
            save(*menu, qPrintable(name));
        }
    }

    // Every window a command opens, found through the command table.
    for (const zat::CommandInfo& command : zat::commandInfos()) {
        if (command.action.makeWindow == nullptr || command.action.pictureName == nullptr) continue;
        if (command.id == zat::cmd::CompareWithUnit) continue;  // below, against a unit set up for it
        const std::unique_ptr<QWidget> shown = command.action.makeWindow(window);
        save(*shown, command.action.pictureName);
    }
    // The IF block editor opens from the IF block list, not from a command.
    zat::TAlSetup ifBlockEditor(window.windowContext(), 0);
    save(ifBlockEditor, "if_block_editor");
    // The listings in the print preview, as Print shows them.
    for (const auto& [listing, name] :
         {std::pair{zat::Listing::IO, "print_preview_io"}, std::pair{zat::Listing::IF, "print_preview_if"}}) {
        const auto preview = zat::makeListingPreview(listing, db, &window);
        preview->show();
        QApplication::processEvents();
        save(*preview, name, false);
    }
    // A monitor whose unit has stopped answering.
    {
        zat::TAINMonitor silentUnit(window.windowContext());
        if (succeeded(silentUnit.start())) {
            silentUnit.sweep();
            simulated.setSilent(true);
            silentUnit.sweep();
            simulated.setSilent(false);
        }
        save(silentUnit, "monitor_no_reply");
    }
    // Compare with Unit: the unit holds the plant but for three fields.
    {
        zat::SilentProgress quiet;
        (void)zat::exportConfiguration(db, zat::kAllTransferGroups, window.windowContext().protocol, quiet);
        const zat::ConfigDatabase plant = db;
        db.analogInputs[3].hiScalar = static_cast<std::int16_t>(db.analogInputs[3].hiScalar + 50);
        db.controllers[1].intTime = static_cast<std::uint16_t>(db.controllers[1].intTime + 30);
        db.profiles[1].segLevel[5] = static_cast<std::int16_t>(db.profiles[1].segLevel[5] - 10);
        const auto compare = zat::commandInfo(zat::cmd::CompareWithUnit).action.makeWindow(window);
        save(*compare, "compare_with_unit");
        db = plant;
    }
    // Last of the pictures that need the line: it moves the link to a unit of its own.
    saveTraffic(window, db);
    zat::TTransferSetup exportOptions(zat::TransferDirection::Export,
                                      zat::TransferChoice{.groups = zat::kAllTransferGroups, .addresses = {1}});
    save(exportOptions, "export_options");
    zat::TTransferSetup importOptions(zat::TransferDirection::Import, {zat::kTransferAnalogInputs, {}});
    save(importOptions, "import_options");

    zat::TPleaseWait working;
    working.setRange(0, 290);
    working.setMessage("Writing ZAT data file");
    for (int i = 0; i < 145; ++i) working.step();
    save(working, "working");

    zat::TPrintingWindow printing(nullptr);
    printing.setMessage(zat::toQString(zat::nowPrintingPage(2)));
    save(printing, "printing");

    zat::HelpWindow help;
    help.resize(800, 600);
    help.showPage(zat::helpPageUrl(0));
    save(help, "help_contents", false);
    help.showPage(zat::helpPageUrl(214));
    save(help, "help_communications_setup", false);

    saveMessage("message_new", QMessageBox::Question, "Confirm", "Start again with a clean ZAT Database ?",
                QMessageBox::Ok | QMessageBox::Cancel);
    saveMessage("message_transfer_failure", QMessageBox::Critical, "Transfer Failure",
                "An error has ocurred during setup Transfer.",
                QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
    saveMessage("message_unsaved", QMessageBox::Question, "Confirm",
                "ZAT Database: Default.zat\n has not been saved!\nSave file now ?",
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    // Last: it leaves the trend shown.
    zat::saveTrendPictures(db, zat::GuiContext{prompts, beep, dialogs, files, cursor, {}},
                           [](QWidget& widget, const char* name) { save(widget, name); });

    std::printf("%d pictures in %s\n", written, qPrintable(folder));
    db.modified = false;
    return 0;
}
