// Finding units on the line: each address at each baud rate is asked the
// probe (the echo test), once and with a short timeout, and each unit that
// answers is asked which cards its five slots carry.
#pragma once

#include "comms/link_reason.h"
#include "comms/unit_link.h"
#include "model/config_database.h"
#include "userio/user_io.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace zat {

struct FoundUnit {
    int address = 0;
    int baudRate = 0;
    std::array<std::optional<std::uint16_t>, kSlotCount> cardCodes{};  // none when the read failed
};

struct ScanPlan {
    std::vector<int> addresses;
    std::vector<int> baudRates;
    std::optional<std::uint32_t> timeoutMs;  // default: scanReplyTimeoutMs of each rate
};

struct ScanResult {
    std::vector<FoundUnit> units;
    LinkReason failure;  // why the port could not be opened at a rate; the scan stopped there
};

// What a probe's reply needs at this rate, plus a margin for the unit to
// turn round: far below the reply timeout of normal work.
std::uint32_t scanReplyTimeoutMs(int baudRate);

// Scans with `settings` (port and device as they are; address, rate, timeout
// and retries set by the scan), opening the port again for each rate. One
// progress step per probe; `found` hears of each unit as soon as it is known.
// Nothing is beeped or shown: a silent address is the usual answer.
ScanResult scanBus(UnitLink& link, CommsSettings settings, const ScanPlan& plan, Prompts& prompts, Progress& progress,
                   const std::function<void(const FoundUnit&)>& found = {});

// "analog input card", ... for a slot's card code.
const char* cardName(std::uint16_t code);

}  // namespace zat
