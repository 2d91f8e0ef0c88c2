// A main window built with scripted user I/O, for the Qt tests: message boxes
// and beeps are recorded, dialogs and file dialogs answered from scripts,
// and the port can be pointed at a simulated unit on a pseudo-terminal.
#pragma once

#include "gui/shell/zat_window.h"
#include "sim/pty_unit.h"
#include "support/recording_user_io.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_dir.h"

#include <memory>
#include <string>

namespace zat::test {

struct WindowRig {
    TempDir dir;
    ConfigDatabase db;
    RecordingPrompts prompts;
    RecordingBeep beep;
    ScriptedDialogs dialogs;
    ScriptedFileDialogs files;
    NoWaitCursor cursor;
    std::unique_ptr<sim::PtyUnit> unit;
    std::unique_ptr<TZATWindow> window;

    WindowRig() { prompts.beepSource = &beep; }
    GuiContext context() { return GuiContext{prompts, beep, dialogs, files, cursor, {}}; }

    // Builds the window for this database file (none: the default name) and
    // runs its start-up, with the port on a simulated unit (attached here
    // unless attachUnit came first).
    void start(const std::string& database = "");
    // A simulated unit at address 1, unpaced, with these faults; before start().
    void attachUnit(sim::FaultPlan faults = {});
    // A database file in the temporary folder whose settings reach the
    // simulated unit quickly (address 1, 38400 baud, short timeout, retries).
    std::string writeQuickDatabase(const std::string& name, int retries = 0);

    // The requests the unit received since the last call.
    std::vector<std::string> requests();
    // The texts of the message boxes shown so far.
    std::vector<std::string> messages() const;
};

}  // namespace zat::test
