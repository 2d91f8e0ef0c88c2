// The column of buttons at the right edge of every dialog: OK (or the
// dialog's own word for it), Cancel and, where the dialog has a help topic,
// Help. OK and Cancel call the dialog's accept() and reject(), so a dialog
// that stores its page first overrides accept().
#pragma once

#include "gui/common/gui_context.h"

#include <QString>

class QDialog;
class QWidget;

namespace zat {

struct DialogButtons {
    QString okText = QStringLiteral("&OK");
    int helpContext = 0;  // 0: no Help button
    bool cancel = true;   // false: Escape and the close box are the only way out
};

// The buttons are named "ok", "cancel" and "help", which the tests press.
// Without a Cancel button, Escape and the close box still reject the dialog.
QWidget* makeDialogButtons(QDialog& dialog, const GuiContext* gui, const DialogButtons& buttons = {});

}  // namespace zat
