// What both calibration sessions share: the start of a batch and the text
// of a constant. A monitor may have polled since the last batch and left
// page 1 selected, so every batch that reaches a page-0 item starts by
// selecting page 0.
#pragma once

#include "comms/link_health.h"
#include "comms/protocol.h"

#include <cstdint>
#include <string>

namespace zat {

// Starts a batch of the health and selects page 0 in it.
void beginPageZeroBatch(UnitProtocol& protocol, LinkHealth& health);

// "%04Xh": 1A2Bh.
[[nodiscard]] std::string hexText(std::uint16_t value);

}  // namespace zat
