// Message boxes: the text and caption as shown, the icon and the button set,
// and the answer the person gave.
#pragma once

#include <string_view>

namespace zat {

enum class MessageIcon { None, Information, Exclamation, Question, Stop };

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };

enum class Answer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

std::string_view toString(MessageIcon icon);
std::string_view toString(MessageButtons buttons);
std::string_view toString(Answer answer);

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual Answer show(std::string_view text, std::string_view caption, MessageIcon icon, MessageButtons buttons) = 0;
    // The same box with another button than the first as the default (the
    // one Enter presses). Implementations without a notion of a default ask as above.
    virtual Answer showWithDefault(std::string_view text, std::string_view caption, MessageIcon icon,
                                   MessageButtons buttons, Answer defaultAnswer) {
        (void)defaultAnswer;
        return show(text, caption, icon, buttons);
    }
};

}  // namespace zat
