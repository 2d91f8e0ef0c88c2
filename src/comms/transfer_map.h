// Where each transferred field of the configuration lives on the unit: its
// item letter, its number form and (through the loop that uses it) its page
// and index. Each list is in the order the fields travel.
#pragma once

#include "comms/unit_items.h"
#include "model/config_database.h"

#include <array>
#include <cstdint>

namespace zat {

enum class WireForm { Hex, Decimal };

// One 16-bit field of a record and how it travels. Signed fields are moved
// as their 16-bit pattern.
struct WireWord {
    char letter;
    WireForm form;
    std::uint16_t* word;
    bool bytesSwapped = false;  // the unit holds this word with its two bytes exchanged
};

std::array<WireWord, 3> analogInputWords(AnalogInputChannel& channel);
std::array<WireWord, 4> analogOutputWords(AnalogOutputChannel& channel);
// Read and written without an index once the block is selected with "h";
// the list follows with "n" and indexes 0-4.
std::array<WireWord, 5> hotColdBlockWords(HotColdBlock& block);
std::array<WireWord, 9> ifBlockExportWords(TIfconf& block);
std::array<WireWord, 9> ifBlockImportWords(TIfconf& block);
std::array<WireWord, 8> controllerWords(TController& controller);
std::array<WireWord, 12> profilerWords(TProfiler& profiler);
// Once the profile is selected with "N": segment s with index s, then the
// link without an index.
std::array<WireWord, 3> profileSegmentWords(TProfile& profile, int segment);
WireWord profileLinkWord(TProfile& profile);
WireWord hotColdListWord(HotColdBlock& block, int entry);  // with index `entry`

// Fields moved per record, and so progress steps (the selections and a
// profile's link take none).
constexpr int kAnalogInputFields = 3;
constexpr int kAnalogOutputFields = 4;
constexpr int kHotColdBlockFields = 5 + kHotColdListWords;
constexpr int kIfBlockFields = 9;
constexpr int kControllerFields = 8;
constexpr int kProfilerFields = 12;
constexpr int kProfileFields = 3 * kProfileSegmentCount;

// The same word with its two bytes exchanged.
constexpr std::uint16_t swapBytes(std::uint16_t word) { return static_cast<std::uint16_t>((word << 8) | (word >> 8)); }

}  // namespace zat
