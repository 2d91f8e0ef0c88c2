// The main window: menu, accelerators, tool bar, status bar and the logo, the
// start-up sequence and the close rule. Commands on the database and the unit
// run through ShellCommands; this class adds what needs a window.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <map>
#include <memory>

#include "gui/common/gui_context.h"
#include "gui/common/help_window.h"
#include "gui/common/please_wait.h"
#include "commands/shell_commands.h"
#include "comms/protocol.h"
#include "comms/unit_link.h"
#include "model/config_database.h"

class QAction;

namespace zat {

class AcceleratorKeys;
class EmbeddedUnit;
class LogoView;
class ShellStatusBar;

// The monitor windows, one slot each, by the order of their close requests.
enum class MonitorSlot { AnalogInputs, DigitalInputs, AnalogOutputs, DigitalOutputs, Controllers, Profilers };

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
    bool startedUp() const { return startedUp_; }

    // Runs a command as its menu item would, if it is enabled.
    void runCommand(int id);
    QAction* action(int id) const;
    // Re-evaluates which commands are enabled (Save, the monitors).
    void updateCommandStates();

    // The help window at a context's page (0: the contents).
    void showHelp(int context);
    HelpWindow* helpWindow() const { return help_; }

    // Keeps a monitor window in its slot (the window owns and shows it; the
    // slot must be empty).
    void openMonitor(MonitorSlot slot, QWidget* monitor);
    // A monitor asks to be closed; the window destroys it once the current
    // event is done, which enables its command again.
    void requestMonitorClose(MonitorSlot slot);
    bool monitorOpen(MonitorSlot slot) const;

    ShellStatusBar* shellStatusBar() const { return statusBar_; }
    LogoView* logoView() const { return logo_; }
    ShellCommands& commands() { return *commands_; }
    UnitLink& link() { return link_; }
    PleaseWaitProgress& progress() { return progress_; }

signals:
    void startUpFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void updateTitle() override;
    void openPort() override;
    void closePort() override;
    TransferGroups chooseGroups(TransferDirection direction, TransferGroups preset) override;

    void buildMenus();
    void buildToolBar();
    QAction* makeAction(int id);
    void showHelpPage(const QUrl& page);
    void destroyMonitor(MonitorSlot slot);
    void destroyMonitors();
    bool commandAvailable(int id) const;
    void communications();
    void about();
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
    std::array<QPointer<QWidget>, 6> monitors_;
    bool startedUp_ = false;
};

}  // namespace zat
