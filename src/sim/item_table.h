// The unit's items: for each letter (and, for lower-case letters, page) the
// value form on the line, the access, the index range, the range of values a
// write may carry and what the item stands for.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zat::sim {

constexpr int kAnyPage = -1;
constexpr int kHotColdBlocks = 4;
constexpr int kProfiles = 6;

enum class ItemFormat { Hex, Decimal };
enum class Access { Read, Write, ReadWrite };

// Stored items kept once per hot/cold block or once per profile, and reached
// through the current selection.
enum class Bank { None, HotColdBlock, Profile };

// Where an item's value lives; Stored items are plain memory, the rest are
// served by the state's live parts.
enum class ItemRole {
    Stored,
    SlotCode,
    ColdJunction,
    HotColdSelect,
    InputValue,
    InputStatus,
    OutputValue,
    DigitalInputs,
    ProfilerStatus,
    ProfilerSegment,
    ProfilerDwell,
    ProfileSelect,
    PageSelect,
    Probe,
};

// Built with designated initialisers; what is left out takes the plain
// stored item's value.
struct ItemInfo {
    char letter = '\0';
    int page = 0;  // kAnyPage for upper-case letters, "]" and "?"
    ItemFormat format = ItemFormat::Hex;
    Access access = Access::ReadWrite;
    int count = 0;  // indices 0..count-1; 0 = the item has no index
    ItemRole role = ItemRole::Stored;
    Bank bank = Bank::None;
    std::int32_t minimum = 0;  // a write outside minimum..maximum is refused
    std::int32_t maximum = 0;
    std::uint16_t initial = 0;  // a Stored item's value after power-up
};

// The item a letter names on a page, or nullptr: the letter means nothing there.
const ItemInfo* findItem(int page, char letter);

// Position of an item in the table, 0..itemCount()-1, for per-item storage.
std::size_t itemSlot(const ItemInfo& item);
std::size_t itemCount();
const ItemInfo& itemAt(std::size_t slot);

// The unit keeps the value in memory of its own (Stored items and the
// analog outputs), rather than working it out when asked.
bool hasMemory(const ItemInfo& item);

// Any character an item letter may be: a-z, A-Z, "~", DEL, "{", "|", "]", "?".
bool isItemLetter(char c);

// Index is inside the item's range (0 for items without an index).
bool isValidIndex(const ItemInfo& item, int index);

}  // namespace zat::sim
