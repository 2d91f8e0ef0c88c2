// The main window's commands as data: id, menu text, status-bar hint,
// picture, and the menu, tool-bar and accelerator layouts built from them.
#pragma once

#include "gui/monitors/monitor_window.h"
#include "gui/shell/zat_window.h"

#include <QKeySequence>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace zat {

namespace cmd {
enum : int {
    Open = 400,
    New = 401,
    Save = 402,
    SaveAs = 403,
    Exit = 404,
    PrintListing = 405,
    AnalogInputSetup = 501,
    Export = 502,
    Import = 503,
    MonitorAnalogInputs = 504,
    CalibrateInputs = 505,
    CalibrateColdJunctions = 507,
    CalibrateOutputs = 508,
    AnalogOutputSetup = 509,
    HotColdBlocks = 510,
    DigitalInputComments = 511,
    DigitalOutputComments = 512,
    Communications = 513,
    IfBlocks = 514,
    MonitorAnalogOutputs = 515,
    MonitorDigitalInputs = 516,
    MonitorDigitalOutputs = 517,
    HelpContents = 518,
    About = 519,
    HelpOnHelp = 521,
    ControllerSetup = 522,
    MonitorControllers = 523,
    ProfilerSetup = 524,
    MonitorProfilers = 525,
    ProfileEditor = 526,
    SaveCalibration = 527,
    RestoreCalibration = 528,
    LoadRegisters = 529,
    SaveRegisters = 530,
    CompareWithUnit = 531,
    CompareWithFile = 532,
    FindUnits = 533,
    ExportChanges = 534,
    Traffic = 540,
};
}  // namespace cmd

// What a command does: every command has a `run`.
struct CommandAction {
    using Run = void (*)(TZATWindow&);
    using MakeWindow = std::unique_ptr<QWidget> (*)(TZATWindow&);

    Run run = nullptr;
    MakeWindow makeWindow = nullptr;     // the window it opens, built for a picture of it
    const char* pictureName = nullptr;   // that picture's file name
    std::optional<MonitorSlot> monitor;  // a monitor's slot: the command is greyed while it is open
};

struct CommandInfo {
    int id;
    QString text;  // menu text with its & mnemonic
    QString hint;  // status-bar hint; empty for none
    CommandAction action;
};

// A command that runs on the main window itself.
inline CommandAction shellCommand(CommandAction::Run run) { return CommandAction{run, nullptr, nullptr, {}}; }

// A window that opens against the unit, built for a picture of it: it is
// opened and, if that succeeded, swept once.
template <class Window, class... Args>
std::unique_ptr<QWidget> openedForPicture(TZATWindow& main, const Args&... args) {
    auto window = std::make_unique<Window>(main.windowContext(), args...);
    if (succeeded(window->start())) window->sweep();
    return window;
}

// A command that opens a modal window: `Window` is a QDialog built from a
// WindowContext. Adding an editor is one row with this and its file pair.
template <class Window>
CommandAction modalWindow(const char* pictureName) {
    CommandAction action;
    action.run = [](TZATWindow& main) {
        Window window(main.windowContext());
        main.runModal(window);
    };
    action.makeWindow = [](TZATWindow& main) -> std::unique_ptr<QWidget> {
        return std::make_unique<Window>(main.windowContext());
    };
    action.pictureName = pictureName;
    return action;
}

// A command that opens a monitor: `Monitor` is a MonitorWindow built from a
// WindowContext, kept in `Slot` while open. Its picture is taken after one
// full sweep of its first page.
template <class Monitor, MonitorSlot Slot>
CommandAction monitorWindow(const char* pictureName) {
    CommandAction action;
    action.run = [](TZATWindow& main) { main.openMonitor(Slot, new Monitor(main.windowContext())); };
    action.makeWindow = [](TZATWindow& main) { return openedForPicture<Monitor>(main); };
    action.pictureName = pictureName;
    action.monitor = Slot;
    return action;
}

// Every command, with its text and hint.
const std::vector<CommandInfo>& commandInfos();
const CommandInfo& commandInfo(int id);

// A menu of the menu bar: its title and item ids, 0 for a separator; or,
// with barCommand set, a command on the bar itself.
struct MenuLayout {
    QString title;
    std::vector<int> items;
    int barCommand = 0;
};
// The bar from the left; the Help menu goes to its right end.
const std::vector<MenuLayout>& mainMenus();
const MenuLayout& helpMenu();

// The tool bar's buttons in order: a command id, kNarrowGap or kWideGap.
constexpr int kNarrowGap = -1;
constexpr int kWideGap = -2;
const std::vector<int>& toolBarLayout();

// A key of the accelerator table: a key with modifiers, or a typed character.
struct Accelerator {
    QKeySequence keys;  // empty when `character` is used
    QChar character;    // the typed character ("C"), or null
    int command;
};
const std::vector<Accelerator>& accelerators();
// A command's key as its menu entry shows it beside the text ("Ctrl+A",
// "Alt+C", "C"); empty for a command without one.
QString acceleratorText(int command);

// The picture of a command (":/icons/cmd_400.svg").
QString commandIconPath(int id);

}  // namespace zat
