#include "userio/field_check.h"

namespace zat {

void showFieldMessage(const FieldMessage& message, Prompts& prompts, Beep& beep) {
    switch (message.sound) {
        case FieldMessage::Sound::Simple:
            beep.simple();
            break;
        case FieldMessage::Sound::Exclamation:
            beep.exclamation();
            break;
        case FieldMessage::Sound::None:
            break;
    }
    prompts.show(message.text, message.caption, message.icon, MessageButtons::Ok);
}

}  // namespace zat
