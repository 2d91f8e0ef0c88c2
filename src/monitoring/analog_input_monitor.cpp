#include "monitoring/analog_input_monitor.h"

#include "comms/unit_items.h"
#include "model/channel_type.h"
#include "model/config_database.h"

namespace zat {

std::string analogInputRangeText(std::optional<std::uint16_t> typeWord) {
    if (!typeWord) return "?";
    const int index = *typeWord & kTypeIndexMask;
    const ChannelType* type = channelType(index);
    if (type == nullptr) return "?";
    if (isLinearType(index)) return std::string(type->name);
    std::string text = std::string(type->name) + " ";
    if ((*typeWord & kTypeTenths) != 0) text += "1/10";
    text += (*typeWord & kTypeFahrenheit) != 0 ? "\u00B0F" : "\u00B0C";
    return text;
}

Outcome AnalogInputMonitor::open(UnitProtocol& protocol) {
    auto tabs = openSlotTabs(protocol, health_, isAnalogInputCard);
    if (!tabs) return Outcome::Failed;
    page_.tabs = std::move(*tabs);
    loadPage(protocol, 0);
    return Outcome::Ok;
}

void AnalogInputMonitor::loadPage(UnitProtocol& protocol, int slot) {
    health_.beginBatch();
    page_.slot = slot;
    (void)selectPage(protocol, health_, kConfigPage);
    for (int r = 0; r < kAnalogInputRows; ++r) {
        const int channel = slot * kAnalogInputRows + r;
        AnalogInputMonitorRow& row = page_.rows[r];
        row = AnalogInputMonitorRow{};
        row.name = channelLabel('A', channel);
        typeWords_[r].reset();
        readType(protocol, r);
    }
    showLinkStatus();
}

void AnalogInputMonitor::readType(UnitProtocol& protocol, int r) {
    std::uint16_t word = 0;
    if (succeeded(readHexIndexed(protocol, health_, kInputTypeItem, page_.slot * kAnalogInputRows + r, word)))
        typeWords_[r] = word;
    page_.rows[r].range = analogInputRangeText(typeWords_[r]);
}

void AnalogInputMonitor::tick(UnitProtocol& protocol) {
    health_.beginBatch();
    row_ = (row_ + 1) % kAnalogInputRows;
    const int channel = page_.slot * kAnalogInputRows + row_;
    if (!typeWords_[row_]) {
        // Another window may have left page 1 selected.
        (void)selectPage(protocol, health_, kConfigPage);
        readType(protocol, row_);
    }
    std::int16_t raw = 0, status = 0;
    const Outcome valueRead = readDecimalIndexed(protocol, health_, kInputValueItem, channel, raw);
    const Outcome statusRead = readDecimalIndexed(protocol, health_, kInputStatusItem, channel, status);
    showLinkStatus();
    AnalogInputMonitorRow& row = page_.rows[row_];
    row.status.reset();
    if (failed(valueRead) || failed(statusRead)) return;
    const auto bits = static_cast<std::uint16_t>(status);
    row.status = bits;
    // Without the type the scale is unknown: a raw 358 may be 35.8.
    row.valueKnown = (bits & kInputBroken) != 0 || typeWords_[row_].has_value();
    if ((bits & kInputBroken) != 0) {
        row.value = "Broken";
    } else {
        row.value = row.valueKnown ? formatReal(formatChannelValue(raw, *typeWords_[row_]).value) : "?";
    }
    row.upMarker = (bits & kInputUpMarker) != 0;
    row.downMarker = (bits & kInputDownMarker) != 0;
    row.thirdMarker = (bits & kInputThirdMarker) != 0;
}

}  // namespace zat
