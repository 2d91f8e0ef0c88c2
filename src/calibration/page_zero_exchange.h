// The calibration dialogs' exchanges through the link's shared health. A
// modeless monitor may poll between two exchanges (and leave page 1
// selected), so every exchange with a page-0 item carries its own page
// selection: nothing can come between the two.
#pragma once

#include "comms/link_health.h"
#include "comms/protocol.h"

#include <functional>

namespace zat {

// Selects page 0, then runs `exchanges` if that succeeded; one step of the
// health's batch.
[[nodiscard]] Outcome onPageZero(UnitProtocol& protocol, LinkHealth& health,
                                 const std::function<Outcome(UnitProtocol&)>& exchanges);

// "%04Xh": 1A2Bh.
[[nodiscard]] std::string hexText(std::uint16_t value);

}  // namespace zat
