// What a window opened by a command is built with: the one database it edits
// in place, the GUI's user I/O, the protocol to the unit, and its owner.
#pragma once

#include "comms/protocol.h"
#include "comms/unit_image.h"
#include "gui/common/gui_context.h"
#include "model/config_database.h"

class QWidget;

namespace zat {

struct WindowContext {
    ConfigDatabase& db;
    const GuiContext& gui;
    UnitProtocol& protocol;
    QWidget* parent = nullptr;
    UnitImage* image = nullptr;  // what the unit holds, kept true by writes of configuration
};

}  // namespace zat
