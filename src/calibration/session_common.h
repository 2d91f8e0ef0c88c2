// What both calibration sessions share: the start of a batch, the slots'
// card codes and the text of a constant. A monitor may have polled since the last batch and left
// page 1 selected, so every batch that reaches a page-0 item starts by
// selecting page 0.
#pragma once

#include "comms/link_health.h"
#include "comms/protocol.h"
#include "comms/unit_items.h"
#include "model/config_database.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zat {

// Starts a batch of the health and selects page 0 in it.
void beginPageZeroBatch(UnitProtocol& protocol, LinkHealth& health);

// The code of the card in `slot` (0..4, item "b"); empty when it cannot be read.
[[nodiscard]] std::optional<std::uint16_t> readCardCode(UnitProtocol& protocol, LinkHealth& health, int slot);

// "%04Xh": 1A2Bh.
[[nodiscard]] std::string hexText(std::uint16_t value);

}  // namespace zat
