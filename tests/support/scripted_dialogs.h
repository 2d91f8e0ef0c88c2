// Modal dialogs in the Qt tests: each run takes the next handler of the
// script, which fills the dialog in and presses its buttons; nothing waits on
// a modal loop.
#pragma once

#include "gui/common/gui_context.h"

#include <QDialog>
#include <QString>

#include <deque>
#include <functional>
#include <vector>

namespace zat::test {

class ScriptedDialogs final : public DialogRunner {
public:
    using Handler = std::function<int(QDialog&)>;
    std::deque<Handler> script;
    std::vector<QString> titles;  // window title of every dialog run, in order

    // With the script used up the dialog is cancelled.
    int run(QDialog& dialog) override;
};

// Clicks the dialog's button of this object name and returns the dialog's
// result afterwards (Accepted only if the click closed it with OK).
int press(QDialog& dialog, const char* buttonName);

}  // namespace zat::test
