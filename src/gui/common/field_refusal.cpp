#include "gui/common/field_refusal.h"

#include <QLineEdit>
#include <QWidget>

namespace zat {

void refuseField(const FieldMessage& message, QWidget* field, const GuiContext& gui) {
    showFieldMessage(message, gui.prompts, gui.beep);
    if (field == nullptr) return;
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

}  // namespace zat
