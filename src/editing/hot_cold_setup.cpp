#include "editing/hot_cold_setup.h"

#include "editing/entry_text.h"
#include "model/register_ref.h"

namespace zat {

namespace {

constexpr int kInputsPerWord = 8;

}  // namespace

std::string hotColdTabTitle(int block) { return "Block " + std::to_string(block + 1); }

bool isHotColdBlockEnabled(const HotColdBlock& block) { return (block.flags & kEnabledFlag) != 0; }

std::array<uint16_t, kHotColdListWords> hotColdList(const HotColdInputs& inputs) {
    std::array<uint16_t, kHotColdListWords> list{};
    for (int k = 0; k < kAnalogInputCount; ++k)
        if (inputs[static_cast<std::size_t>(k)])
            list[static_cast<std::size_t>(k / kInputsPerWord)] |= static_cast<uint16_t>(1u << (k % kInputsPerWord));
    return list;
}

HotColdInputs hotColdInputs(const std::array<uint16_t, kHotColdListWords>& list) {
    HotColdInputs inputs{};
    for (int k = 0; k < kAnalogInputCount; ++k)
        inputs[static_cast<std::size_t>(k)] =
            (list[static_cast<std::size_t>(k / kInputsPerWord)] >> (k % kInputsPerWord) & 1u) != 0;
    return inputs;
}

HotColdPage loadHotColdBlock(const ConfigDatabase& db, int index) {
    const HotColdBlock& block = db.hotColdBlocks[static_cast<std::size_t>(index)];
    return HotColdPage{
        .comment = commentText(block.comment),
        .enabled = isHotColdBlockEnabled(block),
        .hottest = formatHotColdDestination(block.hottest),
        .coldest = formatHotColdDestination(block.coldest),
        .mean = formatHotColdDestination(block.mean),
        .spread = formatHotColdDestination(block.spread),
        .inputs = hotColdInputs(block.list),
    };
}

StoreResult<HotColdField> storeHotColdBlock(ConfigDatabase& db, int index, const HotColdPage& page) {
    // First of all: even a store refused below, or a Cancel after it, leaves
    // the configuration marked changed.
    db.markModified();
    HotColdBlock& block = db.hotColdBlocks[static_cast<std::size_t>(index)];
    block.comment = commentFromText(page.comment);
    block.flags = static_cast<uint16_t>(page.enabled ? block.flags | kEnabledFlag : block.flags & ~kEnabledFlag);

    struct Destination {
        const std::string& text;
        uint16_t& field;
        HotColdField name;
    };
    const std::array<Destination, 4> destinations{{
        {page.hottest, block.hottest, HotColdField::Hottest},
        {page.coldest, block.coldest, HotColdField::Coldest},
        {page.mean, block.mean, HotColdField::Mean},
        {page.spread, block.spread, HotColdField::Spread},
    }};
    for (const Destination& destination : destinations) {
        const FieldCheck<uint16_t> code = parseHotColdDestination(registerTextUpperCase(destination.text));
        if (!code) return StoreResult<HotColdField>::refuse(0, destination.name, code.message());
        destination.field = *code;
    }

    block.list = hotColdList(page.inputs);
    return StoreResult<HotColdField>::accept();
}

}  // namespace zat
