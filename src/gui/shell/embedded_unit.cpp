#include "gui/shell/embedded_unit.h"

#include "sim/pty_unit.h"

namespace zat {

EmbeddedUnit::EmbeddedUnit() {
    sim::UnitConfig config;
    // Unpaced, with a short turnaround: quick to try, yet every exchange
    // still crosses a real terminal line.
    sim::LineTiming timing;
    timing.turnaroundMs = 2;
    unit_ = std::make_unique<sim::PtyUnit>(config, timing);
    unit_->start();
}

EmbeddedUnit::~EmbeddedUnit() = default;

const std::string& EmbeddedUnit::devicePath() const { return unit_->devicePath(); }

void EmbeddedUnit::setAddress(int address) {
    unit_->withState([address](sim::UnitState& state) { state.setAddress(address); });
}

}  // namespace zat
