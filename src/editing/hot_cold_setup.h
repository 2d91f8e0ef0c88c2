// The rules of the Hot Cold Calculation Block editor: one block per tab, its
// comment, enabled flag, four destinations and the 40 input boxes.
#pragma once

#include "editing/store_result.h"
#include "model/config_database.h"

#include <array>
#include <cstdint>
#include <string>

namespace zat {

constexpr std::size_t kDestinationEditLength = 3;

// "Block 1".."Block 4" for blocks 0..3.
std::string hotColdTabTitle(int block);
// The tab's icon shows this.
bool isHotColdBlockEnabled(const HotColdBlock& block);

// Box k stands for input A(k): bit k mod 8 of list word k div 8.
using HotColdInputs = std::array<bool, kAnalogInputCount>;
std::array<uint16_t, kHotColdListWords> hotColdList(const HotColdInputs& inputs);
HotColdInputs hotColdInputs(const std::array<uint16_t, kHotColdListWords>& list);

// A block as shown, and as the page gives it back to be stored.
struct HotColdPage {
    std::string comment{};  // UTF-8
    bool enabled = false;
    std::string hottest{};  // destination edits: "A5", "B12", empty for none
    std::string coldest{};
    std::string mean{};  // "Average"
    std::string spread{};
    HotColdInputs inputs{};

    friend bool operator==(const HotColdPage&, const HotColdPage&) = default;
};

HotColdPage loadHotColdBlock(const ConfigDatabase& db, int block);

enum class HotColdField { Hottest, Coldest, Mean, Spread };

// Stores block `block` in this order: marks the database modified (before
// anything can be refused, so a refused store or a later Cancel still leaves
// it marked), then the comment, the enabled bit (other flag bits stay),
// hottest, coldest, mean, spread (each parsed as a destination, letters taken
// in either case, and stored right after its own parse), the list. A bad
// destination stops the store with its message under "Analogue Destination
// Error"; the fields before it stay stored, the rest are unchanged.
StoreResult<HotColdField> storeHotColdBlock(ConfigDatabase& db, int block, const HotColdPage& page);

}  // namespace zat
