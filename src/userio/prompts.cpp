#include "userio/prompts.h"

namespace zat {

std::string_view toString(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None:
            return "none";
        case MessageIcon::Information:
            return "information";
        case MessageIcon::Exclamation:
            return "exclamation";
        case MessageIcon::Question:
            return "question";
        case MessageIcon::Stop:
            return "stop";
    }
    return "?";
}

std::string_view toString(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return "OK";
        case MessageButtons::OkCancel:
            return "OK/Cancel";
        case MessageButtons::YesNo:
            return "Yes/No";
        case MessageButtons::YesNoCancel:
            return "Yes/No/Cancel";
        case MessageButtons::AbortRetryIgnore:
            return "Abort/Retry/Ignore";
        case MessageButtons::RetryCancel:
            return "Retry/Cancel";
    }
    return "?";
}

std::string_view toString(Answer answer) {
    switch (answer) {
        case Answer::Ok:
            return "OK";
        case Answer::Cancel:
            return "Cancel";
        case Answer::Yes:
            return "Yes";
        case Answer::No:
            return "No";
        case Answer::Abort:
            return "Abort";
        case Answer::Retry:
            return "Retry";
        case Answer::Ignore:
            return "Ignore";
    }
    return "?";
}

}  // namespace zat
