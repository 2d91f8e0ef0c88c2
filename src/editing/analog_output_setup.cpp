#include "editing/analog_output_setup.h"

#include "editing/entry_text.h"
#include "model/channel_type.h"
#include "model/int_range_check.h"
#include "model/register_ref.h"

#include <algorithm>

namespace zat {

namespace {

using Result = StoreResult<AnalogOutputField>;

}  // namespace

std::string analogOutputTabTitle(int tab) {
    if (tab < kPhysicalAnalogOutputCount / kAnalogOutputsPerTab) return "Slot " + std::to_string(tab + 1);
    const int first = tab * kAnalogOutputsPerTab;
    return std::to_string(first) + "-" + std::to_string(first + kAnalogOutputsPerTab - 1);
}

int analogOutputChannel(int tab, int position) {
    return tab * kAnalogOutputsPerTab + std::clamp(position, 0, kAnalogOutputsPerTab - 1);
}

bool isPhysicalOutput(int channel) { return channel >= 0 && channel < kPhysicalAnalogOutputCount; }

AnalogOutputPage loadAnalogOutput(const ConfigDatabase& db, int channel) {
    const AnalogOutputChannel& record = db.analogOutputs[static_cast<std::size_t>(channel)];
    AnalogOutputPage page;
    page.label = channelLabel('B', channel);
    page.comment = commentText(record.comment);
    page.from = std::to_string(record.from);
    page.to = std::to_string(record.to);
    if (!isPhysicalOutput(channel)) return page;

    page.bias = std::to_string(record.bias);
    const int characteristic = record.flags & kOutputCharacteristicMask;
    if (channelType(characteristic) != nullptr) page.characteristic = characteristic;
    page.characterised = (record.flags & kOutputCharacterised) != 0;
    page.tenths = (record.flags & kOutputTenths) != 0;
    page.fahrenheit = (record.flags & kOutputFahrenheit) != 0;
    return page;
}

uint16_t composeOutputFlags(const AnalogOutputPage& page) {
    uint16_t flags = 0;
    // The list cannot be typed into, so no selection can only be a loaded 15.
    if (page.characteristic && channelType(*page.characteristic) != nullptr)
        flags = static_cast<uint16_t>(*page.characteristic);
    if (page.characterised) flags |= kOutputCharacterised;
    if (page.tenths) flags |= kOutputTenths;
    if (page.fahrenheit) flags |= kOutputFahrenheit;
    return flags;
}

Result storeAnalogOutput(ConfigDatabase& db, int channel, const AnalogOutputPage& page) {
    const bool physical = isPhysicalOutput(channel);
    const IntRangeCheck biasRange(kMinZeroBias, kMaxZeroBias);
    const IntRangeCheck spanRange(kEngineeringMin, kEngineeringMax);

    int32_t bias = 0;
    if (physical) {
        const FieldCheck<int32_t> checked = biasRange.check(page.bias);
        if (!checked) return Result::refuse(0, AnalogOutputField::Bias, checked.message());
        bias = *checked;
    }
    const FieldCheck<int32_t> from = spanRange.check(page.from);
    if (!from) return Result::refuse(0, AnalogOutputField::From, from.message());
    const FieldCheck<int32_t> to = spanRange.check(page.to);
    if (!to) return Result::refuse(0, AnalogOutputField::To, to.message());

    AnalogOutputChannel& record = db.analogOutputs[static_cast<std::size_t>(channel)];
    record.comment = commentFromText(page.comment);
    record.from = static_cast<int16_t>(*from);
    record.to = static_cast<int16_t>(*to);
    if (!physical) return Result::accept();
    record.bias = static_cast<int16_t>(bias);
    record.flags = composeOutputFlags(page);
    return Result::accept();
}

}  // namespace zat
