// The command-line tool's ports: message boxes and progress on stderr.
#pragma once

#include <cstdio>

#include "app/ports.h"
#include "app/progress_meter.h"

namespace zat::cli {

// Prints every message box as "caption: text" and answers a question with the
// answer set for its button set (an OK box is always answered OK).
class ConsolePrompts final : public Prompts {
public:
    explicit ConsolePrompts(std::FILE* out) : out_(out) {}
    // The answer to questions; Abort unless an option says otherwise.
    Answer questionAnswer = Answer::Abort;

    Answer show(std::string_view text, std::string_view caption, MessageIcon icon,
                MessageButtons buttons) override;

private:
    std::FILE* out_;
};

// On a terminal a bar with its percentage, redrawn in place; otherwise one
// line each time another ten percent is reached. Silent when quiet.
class ConsoleProgress final : public Progress {
public:
    ConsoleProgress(std::FILE* out, bool terminal, bool quiet) : out_(out), terminal_(terminal), quiet_(quiet) {}

    void show() override;
    void setRange(int minimum, int maximum) override;
    void setMessage(std::string_view text) override;
    void step() override;
    void destroy() override;

private:
    void draw();

    std::FILE* out_;
    bool terminal_;
    bool quiet_;
    bool visible_ = false;
    ProgressMeter meter_;
    std::string message_;
    int printedTenth_ = -1;  // the last tenth printed as a line
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
