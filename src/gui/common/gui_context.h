// What every window and dialog of the GUI is built with: the message boxes,
// beeps, file dialogs and wait cursor (the same interfaces the core uses),
// the way a modal dialog is run, and the help.
#pragma once

#include "gui/common/dialog_runner.h"
#include "userio/beep.h"
#include "userio/file_dialogs.h"
#include "userio/prompts.h"
#include "userio/wait_cursor.h"

#include <functional>

namespace zat {

// The help window's topics by their context numbers; 0 opens the contents.
using HelpOpener = std::function<void(int context)>;

struct GuiContext {
    Prompts& prompts;
    Beep& beep;
    DialogRunner& dialogs;
    FileDialogs& files;
    WaitCursor& cursor;
    HelpOpener showHelp;  // set by the main window for the dialogs it opens
};

}  // namespace zat
