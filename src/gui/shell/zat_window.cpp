#include "gui/shell/zat_window.h"

#include "comms/device_name.h"
#include "gui/common/about_dialog.h"
#include "gui/common/help_window.h"
#include "gui/common/link_batch.h"
#include "gui/common/text_conversion.h"
#include "gui/dialogs/comms_setup_dialog.h"
#include "gui/dialogs/transfer_setup_dialog.h"
#include "gui/monitors/monitor_window.h"
#include "gui/shell/accelerator_keys.h"
#include "gui/shell/command_table.h"
#include "gui/shell/embedded_unit.h"
#include "gui/shell/logo_view.h"
#include "gui/shell/shell_status_bar.h"
#include "gui/traffic/traffic_window.h"
#include "userio/application_title.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace zat {

namespace {

QString applicationTitle() { return toQString(kApplicationTitle); }

}  // namespace

TZATWindow::TZATWindow(ConfigDatabase& db, const GuiContext& gui, EmbeddedUnit* simulated, QWidget* parent)
    : QMainWindow(parent),
      db_(db),
      gui_(gui),
      simulated_(simulated),
      protocol_(link_, db.comms, gui.prompts, gui.beep) {
    gui_.showHelp = [this](int context) { showHelp(context); };
    setObjectName("mainWindow");
    setWindowTitle(applicationTitle());
    setWindowIcon(QIcon(":/icons/zatsetup.svg"));

    statusBar_ = new ShellStatusBar(this);
    setStatusBar(statusBar_);
    logo_ = new LogoView(this);
    setCentralWidget(logo_);
    // The statistics count a record before the status bar's tip can show it.
    traffic_.add(&trafficRing_);
    traffic_.add(&linkStatistics_);
    traffic_.add(statusBar_);
    statusBar_->setStatistics(&linkStatistics_);
    link_.setTraffic(&traffic_);
    letEventsThroughBetweenExchanges(link_);
    if (simulated_ != nullptr) {
        statusBar_->setUnitNote(QString("Simulated ZAT V2 on %1").arg(toQString(simulated_->devicePath())));
    }

    commands_ =
        std::make_unique<ShellCommands>(db_, protocol_, static_cast<ShellView&>(*this),
                                        UserIo{gui.prompts, gui.beep, *statusBar_, progress_, gui.files, gui.cursor});

    buildMenus();
    buildToolBar();
    accelerators_ = new AcceleratorKeys(this, [this](int id) { runCommand(id); });

    db_.clear();
    updateCommandStates();
    QMetaObject::invokeMethod(this, &TZATWindow::startUp, Qt::QueuedConnection);
}

TZATWindow::~TZATWindow() {
    delete trafficWindow_.data();  // it reads the ring, which goes before the window's children
    destroyMonitors();
    link_.closePort();
}

TrafficWindow& TZATWindow::showTraffic() {
    if (trafficWindow_.isNull()) trafficWindow_ = makeTrafficWindow().release();
    trafficWindow_->show();
    trafficWindow_->raise();
    trafficWindow_->activateWindow();
    return *trafficWindow_;
}

std::unique_ptr<TrafficWindow> TZATWindow::makeTrafficWindow() {
    return std::make_unique<TrafficWindow>(trafficRing_, linkStatistics_, gui_, this);
}

void TZATWindow::destroyMonitor(MonitorSlot slot) {
    QPointer<MonitorWindow>& monitor = monitors_[static_cast<std::size_t>(slot)];
    // A monitor in the middle of a batch asks again when it ends.
    if (monitor.isNull() || monitor->busy()) return;
    delete monitor.data();
    monitor.clear();
    showLinkNote();
}

void TZATWindow::destroyMonitors() {
    for (std::size_t slot = 0; slot < monitors_.size(); ++slot) destroyMonitor(static_cast<MonitorSlot>(slot));
}

QAction* TZATWindow::makeAction(int id) {
    const CommandInfo& info = commandInfo(id);
    // The menu shows the command's key after a tab, as its own column. The
    // key is AcceleratorKeys' alone: as the action's shortcut too it would
    // be ambiguous, or run the command twice.
    const QString keys = acceleratorText(id);
    auto* action = new QAction(keys.isEmpty() ? info.text : info.text + QLatin1Char('\t') + keys, this);
    action->setObjectName(QString("command%1").arg(id));
    action->setStatusTip(info.hint);
    action->setIcon(QIcon(commandIconPath(id)));
    action->setIconVisibleInMenu(false);
    // The tool tip names the command without its mnemonic.
    action->setToolTip(QString(info.text).remove('&').remove("..."));
    connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    actions_[id] = action;
    return action;
}

namespace {

// A separator on a menu bar whose style draws menu bar separators puts what
// follows it at the bar's right end: so the Help menu sits at the right and
// is still in the one bar that screen readers see.
class RightAlignAfterSeparator final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_DrawMenuBarSeparator) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

}  // namespace

QMenu* TZATWindow::addMenu(QMenuBar* bar, const MenuLayout& layout) {
    QMenu* menu = bar->addMenu(layout.title);
    connect(menu, &QMenu::aboutToShow, this, &TZATWindow::updateCommandStates);
    for (int id : layout.items) {
        if (id == 0) {
            menu->addSeparator();
        } else {
            menu->addAction(actions_.at(id));
        }
    }
    return menu;
}

void TZATWindow::buildMenus() {
    for (const CommandInfo& info : commandInfos()) makeAction(info.id);
    QMenuBar* bar = menuBar();
    for (const MenuLayout& layout : mainMenus()) {
        if (layout.barCommand != 0) {
            // A command on the bar shows its text only; the tool bar has its picture.
            const int id = layout.barCommand;
            QAction* onBar = bar->addAction(commandInfo(id).text);
            onBar->setObjectName(QString("bar%1").arg(id));
            onBar->setStatusTip(commandInfo(id).hint);
            connect(onBar, &QAction::triggered, this, [this, id] { runCommand(id); });
            continue;
        }
        addMenu(bar, layout);
    }
    // Help sits at the right end of the bar.
    auto* rightAlign = new RightAlignAfterSeparator;
    rightAlign->setParent(bar);
    bar->setStyle(rightAlign);
    bar->addSeparator();
    addMenu(bar, helpMenu())->setObjectName("helpMenu");
}

void TZATWindow::buildToolBar() {
    QToolBar* tools = addToolBar("Tools");
    tools->setObjectName("toolBar");
    tools->setMovable(false);
    tools->setIconSize(QSize(24, 24));
    for (int entry : toolBarLayout()) {
        if (entry == kNarrowGap) {
            tools->addSeparator();
        } else if (entry == kWideGap) {
            auto* gap = new QWidget(tools);
            gap->setFixedWidth(12);
            tools->addWidget(gap);
        } else {
            tools->addAction(actions_.at(entry));
        }
    }
    // Qt's own button for the buttons that do not fit has no name of its own.
    if (auto* more = tools->findChild<QToolButton*>("qt_toolbar_ext_button")) {
        more->setAccessibleName(QStringLiteral("More tools"));
    }
}

QAction* TZATWindow::action(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

bool TZATWindow::commandAvailable(int id) const {
    const CommandAction& action = commandInfo(id).action;
    if (id == cmd::Save) return db_.modified;
    if (id == cmd::ExportChanges) return commands_->changesToExport();
    if (action.monitor) return !monitorOpen(*action.monitor);
    return true;
}

void TZATWindow::updateCommandStates() {
    for (auto& [id, action] : actions_) action->setEnabled(commandAvailable(id));
}

void TZATWindow::runCommand(int id) {
    updateCommandStates();
    QAction* command = action(id);
    if (command == nullptr || !command->isEnabled()) return;
    commandInfo(id).action.run(*this);
    updateCommandStates();
}

void TZATWindow::startUp() {
    if (startedUp_) return;
    startedUp_ = true;
    db_.busy = true;
    QPixmap logo;
    if (QFile::exists(kLogoFile)) logo.load(kLogoFile);
    logo_->setLogo(logo);
    logo_->repaint();
    commands_->startUp();
    updateCommandStates();
    emit startUpFinished();
}

void TZATWindow::updateTitle() {
    setWindowTitle(applicationTitle() + " : " + toQString(db_.fileName));
    logo_->update();
}

LinkReason TZATWindow::openPort() {
    if (simulated_ != nullptr) {
        // The simulated unit follows the address of the settings, as if its
        // switch had been set to match.
        simulated_->setAddress(db_.comms.address);
        link_.setOptions(LinkOptions{simulated_->devicePath(), RtsControl::Manual});
    }
    LinkReason reason = link_.openPort(db_.comms);
    if (simulated_ == nullptr) {
        // A unit behind a serial server is named where a serial port is not.
        const std::string& device = link_.devicePath();
        statusBar_->setUnitNote(isNetworkDevice(device) ? QString("ZAT V2 on %1").arg(toQString(device)) : QString());
    }
    return reason;
}

void TZATWindow::closePort() { link_.closePort(); }

TransferChoice TZATWindow::chooseTransfer(TransferDirection direction, const TransferChoice& preset) {
    return TTransferSetup::choose(gui_.dialogs, direction, preset, this, &gui_);
}

std::string TZATWindow::deviceName(int port) const {
    if (simulated_ != nullptr) return "simulated unit";
    return comPortDevicePath(port);
}

WindowContext TZATWindow::windowContext() {
    return WindowContext{
        .db = db_, .gui = gui_, .protocol = protocol_, .parent = this, .image = &commands_->unitImage()};
}

void TZATWindow::runModal(QDialog& window) { gui_.dialogs.run(window); }

std::unique_ptr<TCommsSetupDialog> TZATWindow::makeCommsDialog() {
    return std::make_unique<TCommsSetupDialog>(
        db_, gui_, [this](int port) { return deviceName(port); }, this);
}

void TZATWindow::communications() {
    const std::unique_ptr<TCommsSetupDialog> dialog = makeCommsDialog();
    if (gui_.dialogs.run(*dialog) == QDialog::Accepted) {
        commands_->unitImage().drop();  // the link is set up anew: what is on the other end is not known
        (void)commands_->reopenPort();  // shown
    }
}

void TZATWindow::about() {
    TAboutDialog dialog(this);
    gui_.dialogs.run(dialog);
}

void TZATWindow::showHelp(int context) { showHelpPage(helpPageUrl(context)); }

void TZATWindow::showHelpOnHelp() { showHelpPage(helpOnHelpUrl()); }

void TZATWindow::showHelpPage(const QUrl& page) {
    if (help_ == nullptr) help_ = new HelpWindow(this);
    help_->showPage(page);
}

void TZATWindow::openMonitor(MonitorSlot slot, MonitorWindow* monitor) {
    QPointer<MonitorWindow>& held = monitors_[static_cast<std::size_t>(slot)];
    if (!held.isNull()) {
        delete monitor;  // one of each kind at a time
        return;
    }
    // Modeless, above the main window, destroyed with it.
    monitor->setParent(this, Qt::Window);
    held = monitor;
    connect(monitor, &MonitorWindow::closeRequested, this, [this, slot] { requestMonitorClose(slot); });
    connect(monitor, &MonitorWindow::batchEnded, this, [this] { showLinkNote(); });
    updateCommandStates();
    // Opened against the unit before it is shown: a monitor whose opening
    // fails has told the user why, asked to close and is never seen.
    if (succeeded(monitor->start())) monitor->show();
}

MonitorWindow* TZATWindow::monitor(MonitorSlot slot) const { return monitors_[static_cast<std::size_t>(slot)].data(); }

void TZATWindow::showLinkNote() {
    const bool polling = std::any_of(monitors_.begin(), monitors_.end(),
                                     [](const QPointer<MonitorWindow>& m) { return !m.isNull() && !m->closing(); });
    statusBar_->setLinkNote(polling && link_.unitSilent() ? QStringLiteral("No reply from unit") : QString());
}

void TZATWindow::requestMonitorClose(MonitorSlot slot) {
    QMetaObject::invokeMethod(
        this,
        [this, slot] {
            destroyMonitor(slot);
            updateCommandStates();
        },
        Qt::QueuedConnection);
}

bool TZATWindow::monitorOpen(MonitorSlot slot) const { return !monitors_[static_cast<std::size_t>(slot)].isNull(); }

void TZATWindow::closeEvent(QCloseEvent* event) {
    // Not in the middle of a monitor's batch: try again once it has ended.
    if (LinkBatch::running()) {
        event->ignore();
        QTimer::singleShot(PollTimer::kRetryWait, this, &QWidget::close);
        return;
    }
    if (!commands_->canClose()) {
        event->ignore();
        return;
    }
    destroyMonitors();
    link_.closePort();
    logo_->setLogo(QPixmap());
    if (help_ != nullptr) help_->close();
    event->accept();
}

}  // namespace zat
