// Calibrate Cold Junctions without a window: the thermocouple cards, the one
// cold junction zero read and written back on opening, moved by "+"/"-" and
// the track bar, one slot's terminal temperature per 200 ms tick, and Revert.
#pragma once

#include "calibration/calibration_map.h"
#include "calibration/session_common.h"
#include "comms/link_health.h"
#include "comms/protocol.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zat {

constexpr int kColdJunctionSlots = kSlotCount;
constexpr int kColdJunctionHelpContext = 215;

struct ColdJunctionView {
    // Read on opening; while empty nothing is shown or written and the
    // controls are disabled.
    std::optional<std::uint16_t> zero;
    std::array<std::string, kColdJunctionSlots> temperatures;  // " 23.5°C", "Error", or empty
    bool revertEnabled = false;
    std::string linkStatus;
    // After a write the unit did not take, until the next write; the zero
    // then shows what the unit holds.
    std::string problem;
};

class ColdJunctionSession {
public:
    static constexpr std::chrono::milliseconds kTemperatureInterval{200};
    static constexpr std::string_view kNoCardsText = "There are no thermocouple cards fitted";

    // Probe (with its message), the thermocouple cards, the zero read and
    // written back within its bounds. Failed when the dialog is to close.
    [[nodiscard]] Outcome open(UnitProtocol& protocol);
    // The next slot's temperature.
    void tick(UnitProtocol& protocol);
    [[nodiscard]] std::chrono::milliseconds tickInterval() const { return health_.interval(kTemperatureInterval); }

    void step(UnitProtocol& protocol, int direction);
    void moveTrack(UnitProtocol& protocol, int position);
    // The track bar runs 0..400, the zero less 800.
    [[nodiscard]] static int trackMaximum() { return kColdJunctionZero.highest - kColdJunctionZero.lowest; }
    [[nodiscard]] static int trackPosition(std::uint16_t zero) { return zero - kColdJunctionZero.lowest; }

    // Writes back the value read on opening if it has been adjusted since.
    [[nodiscard]] Outcome revert(UnitProtocol& protocol);

    [[nodiscard]] const ColdJunctionView& view() const { return view_; }

private:
    // Selects page 0 and writes the zero, clamped to its bounds.
    [[nodiscard]] Outcome send(UnitProtocol& protocol, int value);
    void showLinkStatus() { view_.linkStatus = std::string(health_.statusText()); }

    LinkHealth health_;
    ColdJunctionView view_;
    std::optional<std::uint16_t> original_;
    int slot_ = 0;  // the slot shown last
};

}  // namespace zat
