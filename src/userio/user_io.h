// Everything through which the core reaches a person: message boxes, beeps,
// the status-bar hint text, the "Working" progress window, file dialogs and
// the wait cursor. The GUI, the command-line tool and the tests each supply
// their own implementations.
#pragma once

#include "userio/beep.h"
#include "userio/file_dialogs.h"
#include "userio/progress.h"
#include "userio/prompts.h"
#include "userio/status_text.h"
#include "userio/wait_cursor.h"

namespace zat {

struct UserIo {
    Prompts& prompts;
    Beep& beep;
    StatusText& status;
    Progress& progress;
    FileDialogs& files;
    WaitCursor& cursor;
};

}  // namespace zat
