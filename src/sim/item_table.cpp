#include "sim/item_table.h"

#include "sim/calibration_effect.h"

#include <array>

namespace zat::sim {

namespace {

constexpr char kDel = 0x7F;
constexpr std::int32_t kWord = 0xFFFF;
constexpr std::int32_t kShortMin = -32768;
constexpr std::int32_t kShortMax = 32767;

constexpr ItemInfo hex(int page, char letter, int count, std::uint16_t initial = 0) {
    return {.letter = letter, .page = page, .count = count, .maximum = kWord, .initial = initial};
}

constexpr ItemInfo hexBanked(char letter, int count) {
    return {.letter = letter, .count = count, .bank = Bank::HotColdBlock, .maximum = kWord};
}

constexpr ItemInfo hexLive(char letter, Access access, int count, ItemRole role, std::int32_t maximum) {
    return {.letter = letter, .access = access, .count = count, .role = role, .maximum = maximum};
}

constexpr ItemInfo decimal(char letter, int count, std::int32_t minimum = kShortMin, std::int32_t maximum = kShortMax,
                           std::uint16_t initial = 0) {
    return {.letter = letter,
            .page = kAnyPage,
            .format = ItemFormat::Decimal,
            .count = count,
            .minimum = minimum,
            .maximum = maximum,
            .initial = initial};
}

constexpr ItemInfo decimalLive(char letter, Access access, int count, ItemRole role, std::int32_t minimum = kShortMin,
                               std::int32_t maximum = kShortMax) {
    return {.letter = letter,
            .page = kAnyPage,
            .format = ItemFormat::Decimal,
            .access = access,
            .count = count,
            .role = role,
            .minimum = minimum,
            .maximum = maximum};
}

constexpr ItemInfo segment(char letter, int count, std::int32_t minimum, std::int32_t maximum, std::uint16_t initial) {
    return {.letter = letter,
            .page = kAnyPage,
            .format = ItemFormat::Decimal,
            .count = count,
            .bank = Bank::Profile,
            .minimum = minimum,
            .maximum = maximum,
            .initial = initial};
}

constexpr std::array kItems{
    // Page 0: analog input set-up, output scaling, hot/cold blocks, IF
    // blocks, calibration.
    hex(0, 'a', 40),
    hex(0, '~', 40),
    hex(0, kDel, 40),
    hexLive('b', Access::Read, 5, ItemRole::SlotCode, kWord),
    hexLive('c', Access::Read, 5, ItemRole::ColdJunction, kWord),
    hex(0, 'd', 40),
    hex(0, 'e', 40),
    hex(0, 'f', 40),
    hex(0, 'g', 40),
    hexLive('h', Access::Write, 0, ItemRole::HotColdSelect, kHotColdBlocks - 1),
    hexBanked('i', 0),
    hexBanked('j', 0),
    hexBanked('k', 0),
    hexBanked('l', 0),
    hexBanked('m', 0),
    hexBanked('n', 5),
    hex(0, 'o', 90),
    hex(0, 'p', 90),
    hex(0, 'q', 90),
    hex(0, 'r', 90),
    hex(0, 's', 90),
    hex(0, 't', 90),
    hex(0, 'u', 90),
    hex(0, 'v', 90),
    hex(0, 'w', 90),
    hex(0, 'x', 8, kInputZeroMiddle),
    hex(0, 'y', 8, kInputSpanMiddle),
    hex(0, 'z', 20, kOutputZeroMiddle),
    hex(0, '{', 20, kOutputSpanMiddle),
    hex(0, '|', 0, kColdJunctionMiddle),
    // Page 1: controllers and profilers.
    hex(1, 'a', 8),
    hex(1, 'b', 8),
    hex(1, 'c', 8),
    hex(1, 'd', 8),
    hex(1, 'e', 8),
    hex(1, 'g', 6),
    hex(1, 'i', 6),
    hex(1, 'j', 6),
    hex(1, 'k', 6),
    hex(1, 'l', 6),
    hex(1, 'm', 6),
    hex(1, 'n', 6),
    hex(1, 'o', 6),
    hex(1, 'p', 6),
    hex(1, 'q', 6),
    hex(1, 'r', 6),
    hex(1, 's', 6),
    // Any page: live registers and the profile memory.
    decimalLive('A', Access::Read, 40, ItemRole::InputValue),
    decimalLive('B', Access::ReadWrite, 40, ItemRole::OutputValue),
    decimal('E', 40),
    decimalLive('F', Access::Read, 40, ItemRole::InputStatus),
    decimalLive('G', Access::Read, 5, ItemRole::DigitalInputs, 0, 255),
    decimal('H', 7, 0, 255),
    // Configuration is stored as sent, whatever its value: a database may
    // hold anything, and the controllers treat odd terms safely.
    decimal('J', 8, kShortMin, kShortMax, 1),
    decimal('K', 8),
    decimal('L', 8),
    decimalLive('M', Access::Read, kProfiles, ItemRole::ProfilerStatus),
    decimalLive('R', Access::Read, kProfiles, ItemRole::ProfilerSegment),
    decimalLive('T', Access::Read, kProfiles, ItemRole::ProfilerDwell),
    decimalLive('N', Access::Write, 0, ItemRole::ProfileSelect, 0, kProfiles - 1),
    segment('O', 8, kShortMin, kShortMax, 0),
    segment('P', 8, kShortMin, kShortMax, 0),
    segment('Q', 8, kShortMin, kShortMax, 0),
    decimal('S', kProfiles, 0, kProfiles - 1),
    // A profile starts unlinked; a link of 0 would make profile 0 loop on
    // itself. A link to no profile (beyond 5 or below 0) ends the run.
    segment('U', 0, kShortMin, kShortMax, 0xFFFF),
    decimalLive(']', Access::Write, 0, ItemRole::PageSelect, 0, 1),
    decimalLive('?', Access::Write, 0, ItemRole::Probe, 42, 42),
};

}  // namespace

const ItemInfo* findItem(int page, char letter) {
    for (const ItemInfo& item : kItems) {
        if (item.letter == letter && (item.page == kAnyPage || item.page == page)) return &item;
    }
    return nullptr;
}

std::size_t itemSlot(const ItemInfo& item) { return static_cast<std::size_t>(&item - kItems.data()); }

std::size_t itemCount() { return kItems.size(); }

const ItemInfo& itemAt(std::size_t slot) { return kItems[slot]; }

bool hasMemory(const ItemInfo& item) { return item.role == ItemRole::Stored || item.role == ItemRole::OutputValue; }

bool isItemLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '~' || c == kDel || c == '{' || c == '|' ||
           c == ']' || c == '?';
}

bool isValidIndex(const ItemInfo& item, int index) {
    return item.count == 0 ? index == 0 : index >= 0 && index < item.count;
}

}  // namespace zat::sim
