// What the windows and dialogs of the GUI share: the message boxes and beeps
// (the same ports the core uses), the way a modal dialog is run, and the help.
#pragma once

#include <functional>

#include "app/ports.h"

class QDialog;

namespace zat {

// Runs a modal dialog and returns its result (QDialog::Accepted or
// QDialog::Rejected). The program execs it; the tests fill it in and press its
// buttons instead, so no test waits on a real modal loop.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    virtual int run(QDialog& dialog) = 0;
};

class ExecDialogRunner final : public DialogRunner {
public:
    int run(QDialog& dialog) override;
};

// The help window's topics by their context numbers; 0 opens the contents.
using HelpOpener = std::function<void(int context)>;

struct GuiServices {
    Prompts& prompts;
    Beep& beep;
    DialogRunner& dialogs;
    HelpOpener showHelp;
};

}  // namespace zat
