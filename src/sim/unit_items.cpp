#include "sim/unit_state_impl.h"

#include <algorithm>
#include <cmath>

namespace zat::sim {

namespace {

constexpr std::int16_t kOutputToSpan = 0x01;
constexpr std::int16_t kOutputToZero = 0x02;
constexpr std::int16_t kOutputProtected = 0x08;
constexpr int kPhysicalOutputs = 20;  // the outputs with zero and span constants

int bankCount(Bank bank) {
    switch (bank) {
        case Bank::HotColdBlock:
            return kHotColdBlocks;
        case Bank::Profile:
            return kProfiles;
        case Bank::None:
            break;
    }
    return 1;
}

std::size_t position(const ItemInfo& item, int bank, int index) {
    return static_cast<std::size_t>(bank * std::max(item.count, 1) + index);
}

std::uint16_t word(std::int16_t value) { return static_cast<std::uint16_t>(value); }

const ItemInfo& entry(int page, char letter) { return *findItem(page, letter); }

}  // namespace

UnitState::Impl::Impl(const UnitConfig& unitConfig)
    : config(unitConfig), random(unitConfig.randomStart), inputs(random), coldJunctions(random) {
    memory.resize(itemCount());
    for (std::size_t slot = 0; slot < itemCount(); ++slot) {
        const ItemInfo& item = itemAt(slot);
        if (!hasMemory(item)) continue;
        const auto size = static_cast<std::size_t>(std::max(item.count, 1) * bankCount(item.bank));
        memory[slot].assign(size, item.initial);
    }
}

int UnitState::Impl::selectedBank(const ItemInfo& item) const {
    switch (item.bank) {
        case Bank::HotColdBlock:
            return hotColdBlock;
        case Bank::Profile:
            return profile;
        case Bank::None:
            break;
    }
    return 0;
}

std::uint16_t UnitState::Impl::stored(const ItemInfo& item, int bank, int index) const {
    return memory[itemSlot(item)][position(item, bank, index)];
}

std::uint16_t& UnitState::Impl::cell(const ItemInfo& item, int bank, int index) {
    return memory[itemSlot(item)][position(item, bank, index)];
}

std::uint16_t UnitState::Impl::stored(int page, char letter, int index) const {
    return stored(entry(page, letter), 0, index);
}

ChannelSetup UnitState::Impl::inputSetup(int input) const {
    const std::uint16_t typeWord = stored(0, 'a', input);
    ChannelSetup setup{typeWord,
                       static_cast<std::int16_t>(stored(0, '~', input)),
                       static_cast<std::int16_t>(stored(0, 0x7F, input)),
                       {}};
    if (const auto range = rangeCodeOfType(typeWord & 0x1F))
        setup.calibration =
            calibration(stored(0, 'x', *range), stored(0, 'y', *range), kInputZeroMiddle, kInputSpanMiddle);
    return setup;
}

ScaleSpan UnitState::Impl::outputSpan(int output) const {
    return scaleSpan(static_cast<std::int16_t>(stored(0, 'd', output)),
                     static_cast<std::int16_t>(stored(0, 'e', output)));
}

std::int16_t UnitState::Impl::reportedOutput(int output) const {
    const auto status = static_cast<std::int16_t>(stored(kAnyPage, 'E', output));
    if ((status & (kOutputToSpan | kOutputToZero)) != 0) {
        // A forced output drives its zero or span signal, as its calibration
        // bends it; an output without constants drives them unbent.
        const Calibration bend = output < kPhysicalOutputs ? calibration(stored(0, 'z', output), stored(0, '{', output),
                                                                         kOutputZeroMiddle, kOutputSpanMiddle)
                                                           : Calibration{};
        const ScaleSpan range = outputSpan(output);
        const double driven = (status & kOutputToSpan) != 0 ? range.span * bend.scale : range.zero + bend.offset;
        return static_cast<std::int16_t>(std::clamp(std::lround(driven), -32768L, 32767L));
    }
    return static_cast<std::int16_t>(stored(kAnyPage, 'B', output));
}

std::optional<std::uint16_t> UnitState::Impl::read(const ItemInfo& item, int index) const {
    if (!isValidIndex(item, index)) return std::nullopt;
    switch (item.role) {
        case ItemRole::Stored:
            return stored(item, selectedBank(item), index);
        case ItemRole::SlotCode:
            return config.slotCodes[static_cast<std::size_t>(index)];
        case ItemRole::ColdJunction:
            // Only a thermocouple card measures its terminals' temperature.
            if (config.slotCodes[static_cast<std::size_t>(index)] != kSlotThermocouple) return std::nullopt;
            return word(static_cast<std::int16_t>(coldJunctions.tenthsCelsius(index) + stored(0, '|', 0) -
                                                  kColdJunctionMiddle));
        case ItemRole::HotColdSelect:
            return static_cast<std::uint16_t>(hotColdBlock);
        case ItemRole::InputValue:
            return word(inputs.reading(index, inputSetup(index)));
        case ItemRole::InputStatus:
            return word(inputs.status(index, inputSetup(index)));
        case ItemRole::OutputValue:
            return word(reportedOutput(index));
        case ItemRole::DigitalInputs:
            return digitalInputs.group(index);
        case ItemRole::ProfilerStatus:
            return word(profilers[static_cast<std::size_t>(index)].statusWord());
        case ItemRole::ProfilerSegment:
            return static_cast<std::uint16_t>(profilers[static_cast<std::size_t>(index)].segment());
        case ItemRole::ProfilerDwell:
            return static_cast<std::uint16_t>(profilers[static_cast<std::size_t>(index)].dwellMinutes());
        case ItemRole::ProfileSelect:
            return static_cast<std::uint16_t>(profile);
        case ItemRole::PageSelect:
            return static_cast<std::uint16_t>(page);
        case ItemRole::Probe:
            break;
    }
    return std::nullopt;
}

bool UnitState::Impl::write(const ItemInfo& item, int index, std::int32_t value) {
    if (!isValidIndex(item, index) || value < item.minimum || value > item.maximum) return false;
    const auto raw = static_cast<std::uint16_t>(value);
    switch (item.role) {
        case ItemRole::Stored:
            cell(item, selectedBank(item), index) = raw;
            return true;
        case ItemRole::OutputValue:
            if ((static_cast<std::int16_t>(stored(kAnyPage, 'E', index)) & kOutputProtected) != 0) return false;
            cell(item, 0, index) = raw;
            return true;
        case ItemRole::HotColdSelect:
            hotColdBlock = value;
            return true;
        case ItemRole::ProfileSelect:
            profile = value;
            return true;
        case ItemRole::PageSelect:
            page = value;
            return true;
        case ItemRole::Probe:
            return true;
        // Reachable from setValue only: the line cannot write these.
        case ItemRole::InputValue:
            inputs.pin(index, static_cast<std::int16_t>(value));
            return true;
        case ItemRole::DigitalInputs:
            digitalInputs.pin(index, static_cast<std::uint8_t>(value));
            return true;
        case ItemRole::SlotCode:
        case ItemRole::ColdJunction:
        case ItemRole::InputStatus:
        case ItemRole::ProfilerStatus:
        case ItemRole::ProfilerSegment:
        case ItemRole::ProfilerDwell:
            break;
    }
    return false;
}

}  // namespace zat::sim
