#include "userio/progress_meter.h"

namespace zat {

bool ProgressMeter::step() {
    position_ = static_cast<int32_t>(static_cast<int64_t>(position_) + kStepSize);
    return update();
}

bool ProgressMeter::update() {
    const int64_t span = static_cast<int64_t>(maximum_) - minimum_;
    if (span <= 0) return false;
    // Integer arithmetic, truncated; the bar itself runs from 0 to 100.
    int64_t shown = (static_cast<int64_t>(position_) - minimum_) * 100 / span;
    if (shown < 0) shown = 0;
    if (shown > 100) shown = 100;
    const bool changed = shown != percent_;
    percent_ = static_cast<int>(shown);
    return changed;
}

void ProgressMeter::reset() { *this = ProgressMeter{}; }

}  // namespace zat
