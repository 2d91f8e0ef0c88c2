#include "cli/console_ports.h"

#include <string>

namespace zat::cli {

Answer ConsolePrompts::show(std::string_view text, std::string_view caption, MessageIcon,
                            MessageButtons buttons) {
    // Texts may start with line breaks meant for a box; a terminal line should not.
    std::size_t start = text.find_first_not_of('\n');
    if (start == std::string_view::npos) start = text.size();
    std::string line(caption);
    line += ": ";
    line += text.substr(start);
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
    if (buttons == MessageButtons::Ok) return Answer::Ok;
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
    message_ = text;
    draw();
}

void ConsoleProgress::step() {
    if (meter_.step()) draw();
}

void ConsoleProgress::draw() {
    if (quiet_ || !visible_) return;
    const int percent = meter_.percent();
    if (terminal_) {
        constexpr int kWidth = 30;
        const int filled = percent * kWidth / 100;
        std::fprintf(out_, "\r%s [%s%s] %d%% complete", message_.c_str(), std::string(filled, '#').c_str(),
                     std::string(kWidth - filled, ' ').c_str(), percent);
    } else {
        const int tenth = percent / 10;
        if (tenth <= printedTenth_) return;
        printedTenth_ = tenth;
        std::fprintf(out_, "%s: %d%% complete\n", message_.c_str(), percent);
    }
    std::fflush(out_);
}

void ConsoleProgress::destroy() {
    if (visible_ && !quiet_ && terminal_) {
        std::fprintf(out_, "\n");
        std::fflush(out_);
    }
    visible_ = false;
}

void ConsoleStatus::setStatusText(std::string_view text) {
    if (!verbose_ || text.empty()) return;
    std::fprintf(out_, "%.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(out_);
}

}  // namespace zat::cli
