#include "userio/progress.h"

namespace zat {

ProgressSession::ProgressSession(Progress& progress, int total) : progress_(progress) {
    progress_.show();
    progress_.setRange(0, total);
}

ProgressSession::ProgressSession(Progress& progress, int total, std::string_view message)
    : ProgressSession(progress, total) {
    progress_.setMessage(message);
}

ProgressSession::~ProgressSession() { close(); }

void ProgressSession::close() {
    if (open_) {
        open_ = false;
        progress_.destroy();
    }
}

}  // namespace zat
