// The main window: menu, accelerators, tool bar, status bar and the logo, the
// start-up sequence and the close rule. Commands on the database and the unit
// run through ShellCommands; this class adds what needs a window.
#pragma once

#include "commands/shell_commands.h"
#include "comms/protocol.h"
#include "comms/unit_link.h"
#include "gui/common/gui_context.h"
#include "gui/common/help_window.h"
#include "gui/common/please_wait.h"
#include "gui/common/window_context.h"
#include "model/config_database.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <map>
#include <memory>

class QAction;
class QMenu;
class QMenuBar;

namespace zat {

class AcceleratorKeys;
class MonitorWindow;
class EmbeddedUnit;
class LogoView;
struct MenuLayout;
class ShellStatusBar;
class TCommsSetupDialog;

// The monitor windows, one slot each, by the order of their close requests.
enum class MonitorSlot { AnalogInputs, DigitalInputs, AnalogOutputs, DigitalOutputs, Controllers, Profilers, Count };
inline constexpr std::size_t kMonitorSlotCount = static_cast<std::size_t>(MonitorSlot::Count);

inline constexpr const char* kLogoFile = "./Logo.bmp";

class TZATWindow final : public QMainWindow, private ShellView {
    Q_OBJECT
public:
    // Clears the database (keeping its file name) and posts the start-up,
    // which runs once the event loop turns. `simulated`, when given, is the
    // unit the port is pointed at.
    TZATWindow(ConfigDatabase& db, const GuiContext& gui, EmbeddedUnit* simulated = nullptr, QWidget* parent = nullptr);
    ~TZATWindow() override;

    // Loads the logo and the database, opens the port. Runs once.
    void startUp();

    // Runs a command as its menu item would, if it is enabled.
    void runCommand(int id);
    QAction* action(int id) const;
    // Re-evaluates which commands are enabled (Save, the monitors).
    void updateCommandStates();

    // The help window at a context's page (0: the contents), or its own help.
    void showHelp(int context);
    void showHelpOnHelp();

    // What the windows the commands open are built with, and how a modal one
    // is run (the tests answer it from a script).
    WindowContext windowContext();
    void runModal(QDialog& window);
    // The Communications Setup dialog; OK re-opens the port.
    std::unique_ptr<TCommsSetupDialog> makeCommsDialog();
    void communications();
    void about();

    // Keeps a monitor window in its slot, shows it and opens it against the
    // unit (the window owns it; the slot must be empty). A monitor that fails
    // to open asks to be closed.
    void openMonitor(MonitorSlot slot, MonitorWindow* monitor);
    // A monitor asks to be closed; the window destroys it once the current
    // event is done, which enables its command again.
    void requestMonitorClose(MonitorSlot slot);
    bool monitorOpen(MonitorSlot slot) const;
    MonitorWindow* monitor(MonitorSlot slot) const;

    ShellCommands& commands() { return *commands_; }
    UnitLink& link() { return link_; }

signals:
    void startUpFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void updateTitle() override;
    LinkReason openPort() override;
    void closePort() override;
    TransferChoice chooseTransfer(TransferDirection direction, const TransferChoice& preset) override;

    void buildMenus();
    QMenu* addMenu(QMenuBar* bar, const MenuLayout& layout);
    void buildToolBar();
    QAction* makeAction(int id);
    void showHelpPage(const QUrl& page);
    void destroyMonitor(MonitorSlot slot);
    void destroyMonitors();
    bool commandAvailable(int id) const;
    std::string deviceName(int port) const;

    ConfigDatabase& db_;
    GuiContext gui_;  // its help opens this window's help
    EmbeddedUnit* simulated_;
    ShellStatusBar* statusBar_ = nullptr;
    LogoView* logo_ = nullptr;
    PleaseWaitProgress progress_;
    UnitLink link_;
    UnitProtocol protocol_;
    std::unique_ptr<ShellCommands> commands_;
    std::map<int, QAction*> actions_;
    AcceleratorKeys* accelerators_ = nullptr;
    QPointer<HelpWindow> help_;
    void showLinkNote();

    std::array<QPointer<MonitorWindow>, kMonitorSlotCount> monitors_;
    bool startedUp_ = false;
};

}  // namespace zat
