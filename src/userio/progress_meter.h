// The state behind the "Working" window's bar and its percentage rule, shared
// by every Progress implementation (GUI window, terminal bar, test recorder).
#pragma once

#include <cstdint>

namespace zat {

class ProgressMeter {
public:
    void setRange(int32_t minimum, int32_t maximum) {
        minimum_ = minimum;
        maximum_ = maximum;
    }
    // position += kStepSize, then update. Returns true when the percentage shown changed.
    bool step();
    // Recomputes the percentage shown. A range whose maximum is not above its
    // minimum leaves it as it was. Returns true when it changed.
    bool update();
    void reset();

    int32_t minimum() const { return minimum_; }
    int32_t maximum() const { return maximum_; }
    int32_t position() const { return position_; }
    void setPosition(int32_t position) { position_ = position; }
    // The percentage the bar shows, 0..100.
    int percent() const { return percent_; }

private:
    static constexpr int32_t kStepSize = 1;  // what one step adds
    int32_t minimum_ = 0;
    int32_t maximum_ = 100;
    int32_t position_ = 0;
    int percent_ = 0;
};

}  // namespace zat
