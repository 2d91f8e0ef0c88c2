#include "support/scripted_dialogs.h"

#include <QAbstractButton>

#include <stdexcept>

namespace zat::test {

int ScriptedDialogs::run(QDialog& dialog) {
    titles.push_back(dialog.windowTitle());
    dialog.setResult(QDialog::Rejected);
    if (script.empty()) return QDialog::Rejected;
    Handler handler = std::move(script.front());
    script.pop_front();
    return handler(dialog);
}

int press(QDialog& dialog, const char* buttonName) {
    auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(buttonName));
    if (button == nullptr) throw std::runtime_error(std::string("no button named ") + buttonName);
    dialog.setResult(QDialog::Rejected);
    button->click();
    return dialog.result();
}

}  // namespace zat::test
