#include "gui/shell/embedded_unit.h"

#include "sim/plant_setup.h"
#include "sim/pty_unit.h"

namespace zat {

EmbeddedUnit::EmbeddedUnit(double timeScale) : timeScale_(timeScale) {
    sim::UnitConfig config;
    config.timeScale = timeScale;
    // Unpaced, with a short turnaround: quick to try, yet every exchange
    // still crosses a real terminal line.
    sim::LineTiming timing;
    timing.turnaroundMs = 2;
    unit_ = std::make_unique<sim::PtyUnit>(config, timing);
    // The demonstration kiln's controllers, profilers and profiles run from
    // the start, so every monitor has something moving to show.
    unit_->withState([](sim::UnitState& state) {
        sim::loadPlantSetup(sim::demoPlantText(), state);
        sim::startEnabledProfilers(state);
    });
    unit_->start();
}

EmbeddedUnit::~EmbeddedUnit() = default;

const std::string& EmbeddedUnit::devicePath() const { return unit_->devicePath(); }

void EmbeddedUnit::setAddress(int address) {
    unit_->withState([address](sim::UnitState& state) { state.setAddress(address); });
}

void EmbeddedUnit::setSilent(bool silent) { unit_->setSilent(silent); }

void EmbeddedUnit::advance(std::chrono::milliseconds time) {
    // The unit scales what it is given as it scales the real time.
    const auto real = static_cast<std::uint32_t>(static_cast<double>(time.count()) / timeScale_);
    unit_->withState([real](sim::UnitState& state) { state.advance(real); });
}

}  // namespace zat
