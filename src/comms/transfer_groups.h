// Which parts of the configuration a transfer to or from the unit moves.
#pragma once

#include <cstdint>

namespace zat {

using TransferGroups = std::uint32_t;

constexpr TransferGroups kTransferAnalogInputs = 1;
constexpr TransferGroups kTransferAnalogOutputs = 2;
constexpr TransferGroups kTransferHotColdBlocks = 4;
constexpr TransferGroups kTransferIfBlocks = 8;
constexpr TransferGroups kTransferControllers = 16;
constexpr TransferGroups kTransferProfilers = 32;
constexpr TransferGroups kTransferProfiles = 64;
// What each direction starts with: every group (the spare bit included).
constexpr TransferGroups kAllTransferGroups = 255;

enum class TransferDirection { Export, Import };

// Progress steps of one transfer of the chosen groups: one per field moved.
int transferSteps(TransferGroups groups);

}  // namespace zat
