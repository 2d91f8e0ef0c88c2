// The core's user I/O as Qt shows it: message boxes with the program's own
// texts, captions, icons and buttons, and the system beep.
#pragma once

#include "userio/user_io.h"

#include <QPointer>
#include <QWidget>

#include <cstdio>

namespace zat {

class MessageBoxPrompts final : public Prompts {
public:
    // Boxes are modal over this window (or the active window when none).
    explicit MessageBoxPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    // With nobody at the screen (a timed start-up), every box is printed on
    // `out` as "caption: text" and answered as Escape would answer it, so
    // the program never waits for a press that cannot come.
    void setUnattended(std::FILE* out) { unattended_ = out; }

    Answer show(std::string_view text, std::string_view caption, MessageIcon icon, MessageButtons buttons) override;
    Answer showWithDefault(std::string_view text, std::string_view caption, MessageIcon icon, MessageButtons buttons,
                           Answer defaultAnswer) override;

private:
    Answer printUnattended(std::string_view text, std::string_view caption, MessageButtons buttons);

    QPointer<QWidget> parent_;
    std::FILE* unattended_ = nullptr;
};

// Qt has one beep; both sounds use it.
class ApplicationBeep final : public Beep {
public:
    void simple() override;
    void exclamation() override;
};

}  // namespace zat
