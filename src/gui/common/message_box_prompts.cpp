#include "gui/common/message_box_prompts.h"

#include "gui/common/text_conversion.h"

#include <QApplication>
#include <QMessageBox>

#include <optional>

namespace zat {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonAnswer {
    QMessageBox::StandardButton button;
    Answer answer;
};

std::vector<ButtonAnswer> boxButtons(MessageButtons buttons) {
    using B = QMessageBox;
    switch (buttons) {
        case MessageButtons::Ok:
            return {{B::Ok, Answer::Ok}};
        case MessageButtons::OkCancel:
            return {{B::Ok, Answer::Ok}, {B::Cancel, Answer::Cancel}};
        case MessageButtons::YesNo:
            return {{B::Yes, Answer::Yes}, {B::No, Answer::No}};
        case MessageButtons::YesNoCancel:
            return {{B::Yes, Answer::Yes}, {B::No, Answer::No}, {B::Cancel, Answer::Cancel}};
        case MessageButtons::AbortRetryIgnore:
            return {{B::Abort, Answer::Abort}, {B::Retry, Answer::Retry}, {B::Ignore, Answer::Ignore}};
        case MessageButtons::RetryCancel:
            return {{B::Retry, Answer::Retry}, {B::Cancel, Answer::Cancel}};
    }
    return {{B::Ok, Answer::Ok}};
}

// What closing the box without a button (Escape, the close box) answers.
Answer escapeAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return Answer::Ok;
        case MessageButtons::YesNo:
            return Answer::No;
        case MessageButtons::AbortRetryIgnore:
            return Answer::Abort;
        default:
            return Answer::Cancel;
    }
}

Answer showBox(QWidget* parent, std::string_view text, std::string_view caption, MessageIcon icon,
               MessageButtons buttons, std::optional<Answer> defaultAnswer) {
    if (parent == nullptr) parent = QApplication::activeWindow();
    QMessageBox box(boxIcon(icon), toQString(caption), toQString(text), QMessageBox::NoButton, parent);
    const std::vector<ButtonAnswer> set = boxButtons(buttons);
    QMessageBox::StandardButtons standard;
    for (const ButtonAnswer& b : set) standard |= b.button;
    box.setStandardButtons(standard);
    box.setDefaultButton(set.front().button);
    for (const ButtonAnswer& b : set) {
        if (defaultAnswer && b.answer == *defaultAnswer) box.setDefaultButton(b.button);
    }
    const int pressed = box.exec();
    for (const ButtonAnswer& b : set) {
        if (pressed == b.button) return b.answer;
    }
    return escapeAnswer(buttons);
}

}  // namespace

Answer MessageBoxPrompts::show(std::string_view text, std::string_view caption, MessageIcon icon,
                               MessageButtons buttons) {
    if (unattended_ != nullptr) return printUnattended(text, caption, buttons);
    return showBox(parent_, text, caption, icon, buttons, std::nullopt);
}

Answer MessageBoxPrompts::showWithDefault(std::string_view text, std::string_view caption, MessageIcon icon,
                                          MessageButtons buttons, Answer defaultAnswer) {
    if (unattended_ != nullptr) return printUnattended(text, caption, buttons);
    return showBox(parent_, text, caption, icon, buttons, defaultAnswer);
}

Answer MessageBoxPrompts::printUnattended(std::string_view text, std::string_view caption, MessageButtons buttons) {
    std::fprintf(unattended_, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    std::fflush(unattended_);
    return escapeAnswer(buttons);
}

void ApplicationBeep::simple() { QApplication::beep(); }
void ApplicationBeep::exclamation() { QApplication::beep(); }

}  // namespace zat
