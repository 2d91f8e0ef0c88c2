// How a dialog refuses an entry: the sound and message box its rule asked
// for, then the focus on the field, its text selected for retyping.
#pragma once

#include "gui/common/gui_context.h"
#include "userio/field_check.h"

class QWidget;

namespace zat {

void refuseField(const FieldMessage& message, QWidget* field, const GuiContext& gui);

}  // namespace zat
