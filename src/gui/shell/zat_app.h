// The application: the database of the run, the Qt user I/O, the simulated unit
// when asked for, and the main window the size of the screen.
#pragma once

#include "commands/app_options.h"
#include "gui/common/gui_context.h"
#include "gui/common/message_box_prompts.h"
#include "gui/common/qt_file_dialogs.h"
#include "model/config_database.h"
#include "userio/traffic.h"

#include <memory>

namespace zat {

class EmbeddedUnit;
class TZATWindow;

class TZATApp {
public:
    // `trafficLog`, when given, gets every exchange too (--log FILE).
    explicit TZATApp(const AppOptions& options, TrafficObserver* trafficLog = nullptr);
    ~TZATApp();
    TZATApp(const TZATApp&) = delete;
    TZATApp& operator=(const TZATApp&) = delete;

    TZATWindow& window() { return *window_; }
    ConfigDatabase& database() { return db_; }

private:
    ConfigDatabase db_;
    MessageBoxPrompts prompts_;
    ApplicationBeep beep_;
    ExecDialogRunner dialogs_;
    QtFileDialogs files_;
    OverrideWaitCursor cursor_;
    std::unique_ptr<EmbeddedUnit> simulated_;
    std::unique_ptr<TZATWindow> window_;
};

}  // namespace zat
