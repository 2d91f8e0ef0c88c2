// The result of checking one entry of a dialog: the value, or the message box
// that says why it was refused. Rules return it; the window that holds the
// field shows the message, beeps and gives the field the focus.
#pragma once

#include "userio/beep.h"
#include "userio/prompts.h"

#include <optional>
#include <string>
#include <utility>

namespace zat {

struct FieldMessage {
    enum class Sound { None, Simple, Exclamation };

    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Exclamation;
    Sound sound = Sound::None;  // played before the box
};

template <typename T>
class [[nodiscard]] FieldCheck {
public:
    static FieldCheck accept(T value) { return FieldCheck(std::move(value)); }
    static FieldCheck refuse(FieldMessage message) { return FieldCheck(std::move(message)); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    const T& operator*() const { return *value_; }
    // Only when refused.
    const FieldMessage& message() const { return message_; }

private:
    explicit FieldCheck(T value) : value_(std::move(value)) {}
    explicit FieldCheck(FieldMessage message) : message_(std::move(message)) {}

    std::optional<T> value_;
    FieldMessage message_;
};

// The sound, then the box with an OK button.
void showFieldMessage(const FieldMessage& message, Prompts& prompts, Beep& beep);

}  // namespace zat
