// The simulated unit standing still (no time passes, so readings move only
// when a constant moves) for the calibration tests, and short ways to look
// into it.
#pragma once

#include "support/unit_on_pty.h"

#include <string>
#include <vector>

namespace zat::test {

using Requests = std::vector<std::string>;

// The value a hex write frame carries: "W01x001FFF" gives 0x1FFF.
inline std::uint16_t hexFrameValue(const std::string& frame) {
    return static_cast<std::uint16_t>(std::stoul(frame.substr(frame.size() - 4), nullptr, 16));
}

// A page-0 item, or a live value ("E", "B", "A"), as the unit holds it now.
inline std::uint16_t itemOf(sim::PtyUnit& unit, char letter, int index) {
    std::uint16_t value = 0;
    unit.withState([&](sim::UnitState& s) { value = s.item(0, letter, index).value_or(0xDEAD); });
    return value;
}
inline std::int16_t valueOf(sim::PtyUnit& unit, char letter, int index) {
    std::int16_t value = 0;
    unit.withState([&](sim::UnitState& s) { value = s.value(letter, index).value_or(-1); });
    return value;
}
inline void setSilent(sim::PtyUnit& unit, bool silent) {
    unit.withState([silent](sim::UnitState& s) { s.setSilent(silent); });
}

struct CalibrationRig : UnitOnPty {
    explicit CalibrationRig(sim::FaultPlan faults = {}) : UnitOnPty(stillUnit(), {}, patient(), std::move(faults)) {}
    static sim::UnitConfig stillUnit() {
        sim::UnitConfig config;
        config.timeScale = 0;
        return config;
    }
    static CommsSettings patient() {
        CommsSettings comms = fastSettings();
        comms.timeOut = 200;
        return comms;
    }
    std::uint16_t item(char letter, int index) { return itemOf(unit, letter, index); }
    std::int16_t value(char letter, int index) { return valueOf(unit, letter, index); }
    void setItem(char letter, int index, std::uint16_t value) {
        unit.withState([&](sim::UnitState& s) { (void)s.setItem(0, letter, index, value); });
    }
};

}  // namespace zat::test
