#include "app/ports.h"

namespace zat {

std::string_view toString(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None: return "none";
        case MessageIcon::Information: return "information";
        case MessageIcon::Exclamation: return "exclamation";
        case MessageIcon::Question: return "question";
        case MessageIcon::Stop: return "stop";
    }
    return "?";
}

std::string_view toString(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok: return "OK";
        case MessageButtons::OkCancel: return "OK/Cancel";
        case MessageButtons::YesNo: return "Yes/No";
        case MessageButtons::YesNoCancel: return "Yes/No/Cancel";
        case MessageButtons::AbortRetryIgnore: return "Abort/Retry/Ignore";
        case MessageButtons::RetryCancel: return "Retry/Cancel";
    }
    return "?";
}

std::string_view toString(Answer answer) {
    switch (answer) {
        case Answer::Ok: return "OK";
        case Answer::Cancel: return "Cancel";
        case Answer::Yes: return "Yes";
        case Answer::No: return "No";
        case Answer::Abort: return "Abort";
        case Answer::Retry: return "Retry";
        case Answer::Ignore: return "Ignore";
    }
    return "?";
}

ProgressSession::ProgressSession(Progress& progress, int total, std::string_view message)
    : progress_(progress) {
    progress_.show();
    progress_.setRange(0, total);
    progress_.setMessage(message);
}

ProgressSession::ProgressSession(Progress& progress, int total) : progress_(progress) {
    progress_.show();
    progress_.setRange(0, total);
}

ProgressSession::~ProgressSession() { close(); }

void ProgressSession::close() {
    if (open_) {
        open_ = false;
        progress_.destroy();
    }
}

StatusTextSession::StatusTextSession(StatusText& status, std::string_view text) : status_(status) {
    status_.setStatusText(text);
}

StatusTextSession::~StatusTextSession() { clear(); }

void StatusTextSession::clear() {
    if (set_) {
        set_ = false;
        status_.setStatusText("");
    }
}

}  // namespace zat
