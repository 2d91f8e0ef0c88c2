#include "gui/shell/accelerator_keys.h"

#include "gui/shell/command_table.h"

#include <QApplication>
#include <QKeyEvent>

namespace zat {

AcceleratorKeys::AcceleratorKeys(QWidget* window, std::function<void(int)> run)
    : QObject(window), window_(window), run_(std::move(run)) {
    qApp->installEventFilter(this);
}

AcceleratorKeys::~AcceleratorKeys() { qApp->removeEventFilter(this); }

int AcceleratorKeys::commandFor(const QKeyEvent& key) {
    const Qt::KeyboardModifiers chord = key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QKeySequence pressed(QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key())));
    for (const Accelerator& accelerator : accelerators()) {
        if (!accelerator.keys.isEmpty()) {
            if (pressed == accelerator.keys) return accelerator.command;
        } else if (chord == Qt::NoModifier && key.text() == QString(accelerator.character)) {
            return accelerator.command;
        }
    }
    return 0;
}

bool AcceleratorKeys::eventFilter(QObject* watched, QEvent* event) {
    const bool override = event->type() == QEvent::ShortcutOverride;
    if (!override && event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    if (window_ == nullptr || QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr || QApplication::activeWindow() != window_) {
        return QObject::eventFilter(watched, event);
    }
    const int command = commandFor(*static_cast<QKeyEvent*>(event));
    if (command == 0) return QObject::eventFilter(watched, event);
    // Taking the override keeps Qt's shortcuts (menu mnemonics) from the key;
    // the key press that follows runs the command.
    event->accept();
    if (!override) run_(command);
    return true;
}

}  // namespace zat
