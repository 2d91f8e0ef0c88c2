#include "gui/shell/command_table.h"

#include "gui/calibration/calibrate.h"
#include "gui/calibration/cj_calibrate.h"
#include "gui/common/about_dialog.h"
#include "gui/dialogs/comms_setup_dialog.h"
#include "gui/dialogs/compare_dialog.h"
#include "gui/dialogs/find_units_dialog.h"
#include "gui/editors/analog_input_setup.h"
#include "gui/editors/analog_output_setup.h"
#include "gui/editors/controller_setup.h"
#include "gui/editors/digital_setup.h"
#include "gui/editors/hot_cold_setup.h"
#include "gui/editors/if_block_list.h"
#include "gui/editors/profile_edit.h"
#include "gui/editors/profiler_setup.h"
#include "gui/monitors/analog_input_monitor.h"
#include "gui/monitors/analog_output_monitor.h"
#include "gui/monitors/controller_monitor.h"
#include "gui/monitors/digital_monitors.h"
#include "gui/monitors/profiler_monitor.h"
#include "gui/printing/listing_printer.h"

#include <algorithm>
#include <stdexcept>

namespace zat {

namespace {

// Communications opens its dialog and re-opens the port after OK.
CommandAction communicationsCommand() {
    CommandAction action = shellCommand([](TZATWindow& w) { w.communications(); });
    action.makeWindow = [](TZATWindow& w) -> std::unique_ptr<QWidget> { return w.makeCommsDialog(); };
    action.pictureName = "communications_setup";
    return action;
}

CommandAction aboutCommand() {
    CommandAction action = shellCommand([](TZATWindow& w) { w.about(); });
    action.makeWindow = [](TZATWindow&) -> std::unique_ptr<QWidget> { return std::make_unique<TAboutDialog>(); };
    action.pictureName = "about";
    return action;
}

// A calibration dialog: opened against the unit first, shown only if that
// succeeded. `setup` are the dialog's arguments after the context.
template <class Window, const auto&... setup>
CommandAction calibrationWindow(const char* pictureName) {
    CommandAction action;
    action.run = [](TZATWindow& main) {
        Window window(main.windowContext(), setup...);
        if (succeeded(window.start())) main.runModal(window);
    };
    action.makeWindow = [](TZATWindow& main) { return openedForPicture<Window>(main, setup...); };
    action.pictureName = pictureName;
    return action;
}

// A comparison: read (or the file asked for) before the table is shown.
template <CompareSource source>
std::unique_ptr<TCompareDialog> compareDialog(TZATWindow& main) {
    ShellCommands& commands = main.commands();
    return std::make_unique<TCompareDialog>(main.windowContext(), commands.io(), source,
                                            [&commands] { return commands.askFileToCompare(); });
}

template <CompareSource source>
CommandAction compareCommand(const char* pictureName) {
    CommandAction action;
    action.run = [](TZATWindow& main) {
        const auto dialog = compareDialog<source>(main);
        if (succeeded(dialog->start())) main.runModal(*dialog);
    };
    action.makeWindow = [](TZATWindow& main) -> std::unique_ptr<QWidget> {
        auto dialog = compareDialog<source>(main);
        (void)dialog->start();  // the picture shows what it found
        return dialog;
    };
    action.pictureName = pictureName;
    return action;
}

// Find Units; a unit chosen changes the settings, so the port opens again.
CommandAction findUnitsCommand() {
    CommandAction action;
    action.run = [](TZATWindow& main) {
        TFindUnits dialog(main.windowContext(), main.commands().io());
        main.runModal(dialog);
        if (dialog.chosen()) (void)main.commands().reopenPort();  // a failure has been shown
    };
    action.makeWindow = [](TZATWindow& main) -> std::unique_ptr<QWidget> {
        auto dialog = std::make_unique<TFindUnits>(main.windowContext(), main.commands().io());
        dialog->sweep();
        return dialog;
    };
    action.pictureName = "find_units";
    return action;
}

}  // namespace

const std::vector<CommandInfo>& commandInfos() {
    static const std::vector<CommandInfo> infos = {
        {cmd::Open, "&Open", "Open a new database file",
         shellCommand([](TZATWindow& w) { w.commands().openDatabase(); })},
        {cmd::New, "&New", "Start again with a blank configuration",
         shellCommand([](TZATWindow& w) { w.commands().newDatabase(); })},
        {cmd::Save, "&Save", "Save the current database using the same name",
         shellCommand([](TZATWindow& w) { w.commands().save(); })},
        {cmd::SaveAs, "Save &as...", "Save the current database under a new name",
         shellCommand([](TZATWindow& w) { w.commands().saveAs(); })},
        {cmd::Exit, "E&xit", "Exit from ZAT setup", shellCommand([](TZATWindow& w) { w.close(); })},
        {cmd::PrintListing, "&Print I/O Listing", "Print the Input/Output list to the printer",
         shellCommand([](TZATWindow& w) {
             const WindowContext context = w.windowContext();
             printListingWithPreview(Listing::IO, context.db, context.gui, context.parent);
         })},
        {cmd::AnalogInputSetup, "Analogue Inputs", "Configure analog input ranges",
         modalWindow<TAINSetup>("analog_input_setup")},
        {cmd::Export, "&Export", "Export the current configuration to the ZAT",
         shellCommand([](TZATWindow& w) { w.commands().exportToUnit(); })},
        {cmd::ExportChanges, "Export C&hanges",
         "Export only the fields changed since the unit was last exported, imported or compared",
         shellCommand([](TZATWindow& w) { w.commands().exportChanges(); })},
        {cmd::Import, "&Import", "Import the current configuration from the ZAT",
         shellCommand([](TZATWindow& w) { w.commands().importFromUnit(); })},
        {cmd::MonitorAnalogInputs, "Monitor Analog Inputs", "Monitor the current analog input status",
         monitorWindow<TAINMonitor, MonitorSlot::AnalogInputs>("monitor_analog_inputs")},
        {cmd::CalibrateInputs, "Calibrate Analogue &Inputs", "Calibrate the analogue inputs",
         calibrationWindow<TCalibrate, kInputCalibration>("calibrate_inputs")},
        {cmd::CalibrateColdJunctions, "Calibrate Cold &Junctions", "Calibrate the cold junctions",
         calibrationWindow<TCJCalibrate>("calibrate_cold_junctions")},
        {cmd::CalibrateOutputs, "Calibrate Analogue &Outputs", "Calibrate the analogue outputs",
         calibrationWindow<TCalibrate, kOutputCalibration>("calibrate_outputs")},
        {cmd::AnalogOutputSetup, "Analogue Outputs", "Configure analog output ranges",
         modalWindow<TAOUTSetup>("analog_output_setup")},
        {cmd::HotColdBlocks, "&Hot Cold Blocks", "Configure Hot/Cold Calculation blocks",
         modalWindow<THCSetup>("hot_cold_setup")},
        {cmd::DigitalInputComments, "Digital Inputs", "Configure digital input comments",
         modalWindow<TDInputSetup>("digital_input_setup")},
        {cmd::DigitalOutputComments, "Digital Outputs", "Configure digital output comments",
         modalWindow<TDOutputSetup>("digital_output_setup")},
        {cmd::Communications, "Communications &Setup...", "Configure the communications port", communicationsCommand()},
        // "Bocks" is kept as the unit's users know the menu item.
        {cmd::IfBlocks, "&IF Bocks", "Configure Alarm blocks", modalWindow<TIFList>("if_block_list")},
        {cmd::MonitorAnalogOutputs, "Monitor Analog Outputs", "Monitor the current analog output status",
         monitorWindow<TAOUTMonitor, MonitorSlot::AnalogOutputs>("monitor_analog_outputs")},
        {cmd::MonitorDigitalInputs, "Monitor Digital Inputs", "Monitor the current digital input status",
         monitorWindow<TDINMonitor, MonitorSlot::DigitalInputs>("monitor_digital_inputs")},
        {cmd::MonitorDigitalOutputs, "Monitor Digital Outputs", "Monitor the current digital output status",
         monitorWindow<TDOUTMonitor, MonitorSlot::DigitalOutputs>("monitor_digital_outputs")},
        {cmd::HelpContents, "Help &Contents", "Display the contents of the help file",
         shellCommand([](TZATWindow& w) { w.showHelp(0); })},
        {cmd::About, "&About ZATSetup", "About the ZAT setup utility", aboutCommand()},
        {cmd::HelpOnHelp, "&Help on Help", "Help on how to use Help",
         shellCommand([](TZATWindow& w) { w.showHelpOnHelp(); })},
        {cmd::ControllerSetup, "PID &Controllers", "Configure 3 term controllers",
         modalWindow<TControllerSetup>("pid_controller_setup")},
        {cmd::MonitorControllers, "Monitor PID Controllers", "Monitor the PID controllers",
         monitorWindow<TPIDMonitor, MonitorSlot::Controllers>("monitor_controllers")},
        {cmd::ProfilerSetup, "&Profilers", "Configure Profile Generators",
         modalWindow<TProfilerSetup>("profiler_setup")},
        {cmd::MonitorProfilers, "Monitor Profilers", "Monitor the Profile Generators",
         monitorWindow<TProfMonitor, MonitorSlot::Profilers>("monitor_profilers")},
        {cmd::ProfileEditor, "Profile &Editor", "Edit ZAT profiles", modalWindow<TProfileEdit>("profile_editor")},
        {cmd::SaveCalibration, "&Save Calibration to disk", "",
         shellCommand([](TZATWindow& w) { w.commands().saveCalibration(); })},
        {cmd::RestoreCalibration, "&Restore Calibration from disk", "",
         shellCommand([](TZATWindow& w) { w.commands().restoreCalibration(); })},
        {cmd::LoadRegisters, "&Load Registers", "Load previously saved register values from disk",
         shellCommand([](TZATWindow& w) { w.commands().loadRegisters(); })},
        {cmd::SaveRegisters, "Save &Registers", "Save current register values to disk",
         shellCommand([](TZATWindow& w) { w.commands().saveRegisters(); })},
        {cmd::Traffic, "&Traffic", "Show every exchange with the unit and the link statistics",
         shellCommand([](TZATWindow& w) { w.showTraffic(); })},
        {cmd::CompareWithUnit, "Compare with &Unit\u2026", "List where the unit differs from the current database",
         compareCommand<CompareSource::Unit>("compare_with_unit")},
        {cmd::CompareWithFile, "Compare with Fi&le\u2026", "List where another database file differs from this one",
         compareCommand<CompareSource::File>(nullptr)},  // no picture: it asks for a file first
        {cmd::FindUnits, "&Find Units\u2026", "Look for the units on the line: addresses, baud rates and cards",
         findUnitsCommand()},
    };
    return infos;
}

const CommandInfo& commandInfo(int id) {
    const auto& infos = commandInfos();
    const auto found = std::find_if(infos.begin(), infos.end(), [id](const CommandInfo& c) { return c.id == id; });
    if (found == infos.end()) throw std::out_of_range("no command " + std::to_string(id));
    return *found;
}

const std::vector<MenuLayout>& mainMenus() {
    using namespace cmd;
    static const std::vector<MenuLayout> menus = {
        {"&File",
         {New, Open, Save, SaveAs, 0, Import, Export, ExportChanges, CompareWithUnit, CompareWithFile, 0, LoadRegisters,
          SaveRegisters, 0, PrintListing, 0, Exit}},
        {"&Monitor",
         {MonitorAnalogInputs, MonitorAnalogOutputs, MonitorDigitalInputs, MonitorDigitalOutputs, MonitorProfilers,
          MonitorControllers}},
        {"&Calibration",
         {CalibrateInputs, CalibrateOutputs, CalibrateColdJunctions, 0, RestoreCalibration, SaveCalibration}},
        {"Communications", {Communications, FindUnits, 0, Traffic}},
        {"Configuration",
         {AnalogInputSetup, AnalogOutputSetup, DigitalInputComments, DigitalOutputComments, IfBlocks, HotColdBlocks,
          ProfilerSetup, ProfileEditor, ControllerSetup}},
    };
    return menus;
}

const MenuLayout& helpMenu() {
    static const MenuLayout menu{"&Help", {cmd::HelpContents, 0, cmd::HelpOnHelp, 0, cmd::About}};
    return menu;
}

const std::vector<int>& toolBarLayout() {
    using namespace cmd;
    static const std::vector<int> layout = {
        New,
        Open,
        Save,
        kNarrowGap,
        Import,
        Export,
        kNarrowGap,
        SaveRegisters,
        LoadRegisters,
        kNarrowGap,
        MonitorAnalogInputs,
        MonitorAnalogOutputs,
        MonitorDigitalInputs,
        MonitorDigitalOutputs,
        MonitorProfilers,
        MonitorControllers,
        kNarrowGap,
        CalibrateInputs,
        CalibrateOutputs,
        CalibrateColdJunctions,
        kNarrowGap,
        Communications,
        kNarrowGap,
        AnalogInputSetup,
        AnalogOutputSetup,
        DigitalInputComments,
        DigitalOutputComments,
        IfBlocks,
        HotColdBlocks,
        ProfilerSetup,
        ProfileEditor,
        ControllerSetup,
        kWideGap,
        HelpContents,
    };
    return layout;
}

const std::vector<Accelerator>& accelerators() {
    using namespace cmd;
    static const std::vector<Accelerator> table = {
        {QKeySequence(Qt::ALT | Qt::Key_C), {}, ControllerSetup},
        {QKeySequence(Qt::ALT | Qt::Key_I), {}, IfBlocks},
        {QKeySequence(Qt::ALT | Qt::Key_H), {}, HotColdBlocks},
        {QKeySequence(Qt::CTRL | Qt::Key_A), {}, MonitorAnalogInputs},
        {QKeySequence(Qt::CTRL | Qt::Key_B), {}, MonitorAnalogOutputs},
        {QKeySequence(Qt::CTRL | Qt::Key_C), {}, MonitorDigitalInputs},
        {QKeySequence(Qt::CTRL | Qt::Key_D), {}, MonitorDigitalOutputs},
        {QKeySequence(Qt::CTRL | Qt::Key_P), {}, MonitorProfilers},
        {QKeySequence(), QChar('C'), MonitorControllers},
        {QKeySequence(Qt::ALT | Qt::Key_A), {}, AnalogInputSetup},
        {QKeySequence(Qt::ALT | Qt::Key_B), {}, AnalogOutputSetup},
        {QKeySequence(Qt::ALT | Qt::Key_D), {}, DigitalOutputComments},
        {QKeySequence(Qt::ALT | Qt::Key_P), {}, ProfilerSetup},
        {QKeySequence(Qt::ALT | Qt::Key_E), {}, ProfileEditor},
    };
    return table;
}

QString acceleratorText(int command) {
    const auto& table = accelerators();
    const auto found =
        std::find_if(table.begin(), table.end(), [command](const Accelerator& a) { return a.command == command; });
    if (found == table.end()) return {};
    return found->keys.isEmpty() ? QString(found->character) : found->keys.toString(QKeySequence::NativeText);
}

QString commandIconPath(int id) { return QString(":/icons/cmd_%1.svg").arg(id); }

}  // namespace zat
