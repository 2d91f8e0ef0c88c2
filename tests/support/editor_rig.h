// What an editor under test is built with: its own database, recorded
// message boxes and beeps, scripted dialogs, and a protocol on a closed link.
#pragma once

#include "comms/protocol.h"
#include "comms/unit_link.h"
#include "gui/common/window_context.h"
#include "support/recording_user_io.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_file_dialogs.h"

namespace zat::test {

struct EditorRig {
    ConfigDatabase db;
    RecordingBeep beep;
    RecordingPrompts prompts;
    ScriptedDialogs dialogs;
    ScriptedFileDialogs files;
    NoWaitCursor cursor;
    UnitLink link;
    UnitProtocol protocol{link, db.comms, prompts, beep};
    GuiContext gui{prompts, beep, dialogs, files, cursor, {}};

    EditorRig() { prompts.beepSource = &beep; }
    EditorRig(const EditorRig&) = delete;
    EditorRig& operator=(const EditorRig&) = delete;
    WindowContext context() { return WindowContext{db, gui, protocol, nullptr}; }
};

}  // namespace zat::test
