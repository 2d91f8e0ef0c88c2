// Port implementations for tests: they record every message box, beep,
// status text and progress call, and answer questions from a script.
#pragma once

#include "userio/progress_meter.h"
#include "userio/user_io.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace zat::test {

class RecordingBeep final : public Beep {
public:
    // "simple" or "exclamation", in order.
    std::vector<std::string> beeps;
    void simple() override { beeps.emplace_back("simple"); }
    void exclamation() override { beeps.emplace_back("exclamation"); }
};

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
    MessageButtons buttons;
    Answer answer;
    std::size_t beepsBefore;                             // beeps sounded before the box came up (with a beep source)
    std::optional<Answer> defaultAnswer = std::nullopt;  // when another than the first button is the default
};

class RecordingPrompts final : public Prompts {
public:
    // Answers given in turn; once used up, OK for an OK box, else Cancel/Abort/No.
    std::deque<Answer> script;
    std::vector<ShownMessage> shown;
    // When set, each box notes how many beeps had sounded, so tests can see a
    // beep come before its message.
    const RecordingBeep* beepSource = nullptr;

    Answer show(std::string_view text, std::string_view caption, MessageIcon icon, MessageButtons buttons) override;
    Answer showWithDefault(std::string_view text, std::string_view caption, MessageIcon icon, MessageButtons buttons,
                           Answer defaultAnswer) override;
};

class RecordingStatus final : public StatusText {
public:
    std::vector<std::string> texts;
    void setStatusText(std::string_view text) override { texts.emplace_back(text); }
};

// Records the calls in order ("show", "range 0 290", "message ...", "step",
// "destroy") and follows the bar with the shared percentage rule.
class RecordingProgress final : public Progress {
public:
    std::vector<std::string> calls;
    ProgressMeter meter;
    int steps = 0;
    bool visible = false;

    void show() override;
    void setRange(int minimum, int maximum) override;
    void setMessage(std::string_view text) override;
    void step() override;
    void destroy() override;
};

// All four together, with a UserIo view over them.
struct RecordingUserIo {
    RecordingPrompts prompts;
    RecordingBeep beep;
    RecordingStatus status;
    RecordingProgress progress;
    NoFileDialogs files;
    NoWaitCursor cursor;
    RecordingUserIo() { prompts.beepSource = &beep; }
    RecordingUserIo(const RecordingUserIo&) = delete;
    RecordingUserIo& operator=(const RecordingUserIo&) = delete;
    UserIo io() { return UserIo{prompts, beep, status, progress, files, cursor}; }
};

}  // namespace zat::test
