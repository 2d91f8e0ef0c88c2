#include "cli/console_user_io.h"

#include <string>

namespace zat::cli {

Answer ConsolePrompts::show(std::string_view text, std::string_view caption, MessageIcon, MessageButtons buttons) {
    if (progress_ != nullptr) progress_->breakLine();
    // Texts may start with line breaks meant for a box; a terminal line should not.
    std::size_t start = text.find_first_not_of('\n');
    if (start == std::string_view::npos) start = text.size();
    std::string line(caption);
    line += ": ";
    line += text.substr(start);
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
    return answer(buttons);
}

Answer ConsolePrompts::answer(MessageButtons buttons) {
    if (buttons == MessageButtons::Ok) return Answer::Ok;
    if (buttons == MessageButtons::AbortRetryIgnore) {
        if (retriesLeft > 0) {
            --retriesLeft;
            return Answer::Retry;
        }
        if (ignoreOnce) {
            ignoreOnce = false;
            return Answer::Ignore;
        }
    }
    return questionAnswer;
}

void ConsoleProgress::show() {
    meter_.reset();
    message_.clear();
    printedTenth_ = -1;
    visible_ = true;
}

void ConsoleProgress::setRange(int minimum, int maximum) { meter_.setRange(minimum, maximum); }

void ConsoleProgress::setMessage(std::string_view text) {
    // A transfer names each part as it begins; a new name is worth a line
    // even within the same tenth.
    const bool changed = text != message_;
    message_ = text;
    draw(changed);
}

void ConsoleProgress::step() {
    const bool percentChanged = meter_.step();
    // After a message broke into it, the bar comes back below at once.
    if (percentChanged || (terminal_ && !lineOpen_)) draw(false);
}

void ConsoleProgress::draw(bool messageChanged) {
    if (quiet_ || !visible_) return;
    const int percent = meter_.percent();
    const std::string label = message_.empty() ? "Working" : message_;
    if (terminal_) {
        constexpr int kWidth = 30;
        const int filled = percent * kWidth / 100;
        std::string bar = label + " [" + std::string(filled, '#') + std::string(kWidth - filled, ' ') + "] " +
                          std::to_string(percent) + "% complete";
        const std::size_t width = bar.size();
        // A shorter message than the last one must not leave the old one's tail.
        if (width < drawnWidth_) bar.append(drawnWidth_ - width, ' ');
        std::fprintf(out_, "\r%s", bar.c_str());
        lineOpen_ = true;
        drawnWidth_ = width;
    } else {
        const int tenth = percent / 10;
        if (!messageChanged && tenth <= printedTenth_) return;
        printedTenth_ = tenth;
        std::fprintf(out_, "%s: %d%% complete\n", label.c_str(), percent);
    }
    std::fflush(out_);
}

void ConsoleProgress::breakLine() {
    if (!lineOpen_) return;
    std::fprintf(out_, "\n");
    std::fflush(out_);
    lineOpen_ = false;
    drawnWidth_ = 0;
}

void ConsoleProgress::destroy() {
    breakLine();
    visible_ = false;
}

void ConsoleStatus::setStatusText(std::string_view text) {
    if (!verbose_ || text.empty()) return;
    std::fprintf(out_, "%.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(out_);
}

}  // namespace zat::cli
