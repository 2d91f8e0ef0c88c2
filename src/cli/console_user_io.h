// The command-line tool's io: message boxes and progress on stderr.
#pragma once

#include "userio/progress_meter.h"
#include "userio/user_io.h"

#include <cstdio>

namespace zat::cli {

class ConsoleProgress;

// Prints every message box as "caption: text" and answers a question with the
// answer set for its button set (an OK box is always answered OK).
class ConsolePrompts final : public Prompts {
public:
    // A bar drawn by `progress` is ended first, so a message starts its own line.
    explicit ConsolePrompts(std::FILE* out, ConsoleProgress* progress = nullptr) : out_(out), progress_(progress) {}
    // The answer to questions; Abort unless an option says otherwise.
    Answer questionAnswer = Answer::Abort;
    // An Abort/Retry/Ignore question (a failed transfer) is answered Retry
    // while retriesLeft lasts, then Ignore once when ignoreOnce, then
    // questionAnswer: a run without a person at the terminal always ends.
    int retriesLeft = 0;
    bool ignoreOnce = false;

    Answer show(std::string_view text, std::string_view caption, MessageIcon icon, MessageButtons buttons) override;

private:
    Answer answer(MessageButtons buttons);

    std::FILE* out_;
    ConsoleProgress* progress_;
};

// On a terminal a bar with its percentage, redrawn in place; otherwise one
// line each time another ten percent is reached or the message changes.
// Silent when quiet.
class ConsoleProgress final : public Progress {
public:
    ConsoleProgress(std::FILE* out, bool terminal, bool quiet) : out_(out), terminal_(terminal), quiet_(quiet) {}

    void show() override;
    void setRange(int minimum, int maximum) override;
    void setMessage(std::string_view text) override;
    void step() override;
    void destroy() override;

    // Ends a bar drawn on the current line so that other output (a message,
    // the traffic) starts a line of its own; the bar is drawn again below it
    // at the next step.
    void breakLine();

private:
    void draw(bool messageChanged);

    std::FILE* out_;
    bool terminal_;
    bool quiet_;
    bool visible_ = false;
    ProgressMeter meter_;
    std::string message_;
    int printedTenth_ = -1;       // the last tenth printed as a line
    bool lineOpen_ = false;       // a bar stands on the terminal's current line
    std::size_t drawnWidth_ = 0;  // characters of that bar, to blank a longer one
};

// Status texts are hints for a window's status bar; shown only when verbose.
class ConsoleStatus final : public StatusText {
public:
    ConsoleStatus(std::FILE* out, bool verbose) : out_(out), verbose_(verbose) {}
    void setStatusText(std::string_view text) override;

private:
    std::FILE* out_;
    bool verbose_;
};

}  // namespace zat::cli
