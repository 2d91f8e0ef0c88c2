// The application: the database of the run, the Qt ports, the simulated unit
// when asked for, and the main window the size of the screen.
#pragma once

#include <memory>

#include "app/app_options.h"
#include "app/gui_file_dialogs.h"
#include "app/gui_ports.h"
#include "app/gui_services.h"
#include "model/config_database.h"

namespace zat {

class EmbeddedUnit;
class TZATWindow;

class TZATApp {
public:
    explicit TZATApp(const AppOptions& options);
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
