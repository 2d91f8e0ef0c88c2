#include "userio/status_text.h"

namespace zat {

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
