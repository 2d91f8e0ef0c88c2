#include "support/recording_user_io.h"

namespace zat::test {

Answer RecordingPrompts::show(std::string_view text, std::string_view caption, MessageIcon icon,
                              MessageButtons buttons) {
    Answer answer;
    if (!script.empty()) {
        answer = script.front();
        script.pop_front();
    } else {
        switch (buttons) {
            case MessageButtons::Ok:
                answer = Answer::Ok;
                break;
            case MessageButtons::YesNo:
                answer = Answer::No;
                break;
            case MessageButtons::AbortRetryIgnore:
                answer = Answer::Abort;
                break;
            default:
                answer = Answer::Cancel;
                break;
        }
    }
    const std::size_t beeps = beepSource != nullptr ? beepSource->beeps.size() : 0;
    shown.push_back({std::string(text), std::string(caption), icon, buttons, answer, beeps});
    return answer;
}

Answer RecordingPrompts::showWithDefault(std::string_view text, std::string_view caption, MessageIcon icon,
                                         MessageButtons buttons, Answer defaultAnswer) {
    const Answer answer = show(text, caption, icon, buttons);
    shown.back().defaultAnswer = defaultAnswer;
    return answer;
}

void RecordingProgress::show() {
    calls.emplace_back("show");
    meter.reset();
    steps = 0;
    visible = true;
}

void RecordingProgress::setRange(int minimum, int maximum) {
    calls.push_back("range " + std::to_string(minimum) + " " + std::to_string(maximum));
    meter.setRange(minimum, maximum);
}

void RecordingProgress::setMessage(std::string_view text) { calls.push_back("message " + std::string(text)); }

void RecordingProgress::step() {
    ++steps;
    meter.step();
}

void RecordingProgress::destroy() {
    calls.emplace_back("destroy");
    visible = false;
}

}  // namespace zat::test
