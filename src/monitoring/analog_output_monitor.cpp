#include "monitoring/analog_output_monitor.h"

#include "comms/unit_items.h"
#include "model/channel_type.h"
#include "model/comment.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zat {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Half away from zero, forgiving the binary error of x × 10 (1.15 × 10 is
// 11.499999999999998).
double roundHalfAway(double x) {
    const double whole = std::trunc(x);
    if (std::fabs(std::fabs(x - whole) - 0.5) < 1e-9) return whole + std::copysign(1.0, x);
    return std::round(x);
}

}  // namespace

std::string analogOutputRangeText(std::uint16_t typeWord, std::int16_t from, std::int16_t to, std::int16_t bias) {
    if ((typeWord & kOutputCharacterised) == 0)
        return "Linear " + std::to_string(from) + " to " + std::to_string(to) + ", bias " + std::to_string(bias) + "%";
    const ChannelType* type = channelType(typeWord & kOutputCharacteristicMask);
    if (type == nullptr) return "?";
    std::string text = std::string(type->name) + ",";
    if ((typeWord & kOutputTenths) != 0) text += " 1/10ths";
    text += (typeWord & kOutputFahrenheit) != 0 ? " \u00B0F" : " \u00B0C";
    return text;
}

FieldCheck<std::int16_t> convertOutputEntry(std::string_view text, bool tenths) {
    const FieldMessage refusal{tenths ? "Enter a number from -3276.8 to 3276.7" : "Enter a number from -32768 to 32767",
                               "Analogue Output Monitor", MessageIcon::Exclamation, FieldMessage::Sound::Exclamation};
    std::string_view number = trimmed(text);
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    double x = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), x);
    if (number.empty() || error != std::errc{} || end != number.data() + number.size() || !std::isfinite(x))
        return FieldCheck<std::int16_t>::refuse(refusal);
    const double value = roundHalfAway(tenths ? x * 10 : x);
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return FieldCheck<std::int16_t>::refuse(refusal);
    return FieldCheck<std::int16_t>::accept(static_cast<std::int16_t>(value));
}

bool AnalogOutputMonitor::tenths(int row) const {
    const std::uint16_t word = typeWords_[row].value_or(0);
    return (word & kOutputCharacterised) != 0 && (word & kOutputTenths) != 0;
}

Outcome AnalogOutputMonitor::open(UnitProtocol& protocol) {
    auto tabs = openSlotTabs(protocol, health_, isAnalogOutputCard);
    if (!tabs) return Outcome::Failed;
    page_.tabs = std::move(*tabs);
    appendRangeTabs(page_.tabs, kPhysicalAnalogOutputCount, kAnalogOutputCount - 1, kAnalogOutputRows);
    loadPage(protocol, 0);
    return Outcome::Ok;
}

void AnalogOutputMonitor::loadPage(UnitProtocol& protocol, int page) {
    health_.beginBatch();
    page_.page = page;
    (void)selectPage(protocol, health_, kConfigPage);
    for (int r = 0; r < kAnalogOutputRows; ++r) {
        const int channel = page * kAnalogOutputRows + r;
        AnalogOutputMonitorRow& row = page_.rows[r];
        row = AnalogOutputMonitorRow{};
        row.name = channelLabel('B', channel);
        row.comment = commentText(database_.analogOutputs[channel].comment);
        typeWords_[r].reset();
        if (channel < kPhysicalAnalogOutputCount) {
            std::uint16_t from = 0, to = 0, bias = 0, word = 0;
            // All three are asked whatever the first answers, as the page load always has.
            const bool fromRead = succeeded(readHexIndexed(protocol, health_, kOutputFromItem, channel, from));
            const bool toRead = succeeded(readHexIndexed(protocol, health_, kOutputToItem, channel, to));
            const bool biasRead = succeeded(readHexIndexed(protocol, health_, kOutputBiasItem, channel, bias));
            const bool scaleRead = fromRead && toRead && biasRead;
            if (succeeded(readHexIndexed(protocol, health_, kOutputTypeItem, channel, word))) typeWords_[r] = word;
            const bool linear = typeWords_[r] && (*typeWords_[r] & kOutputCharacterised) == 0;
            row.range = !typeWords_[r] || (linear && !scaleRead)
                            ? "?"
                            : analogOutputRangeText(*typeWords_[r], static_cast<std::int16_t>(from),
                                                    static_cast<std::int16_t>(to), static_cast<std::int16_t>(bias));
        } else {
            typeWords_[r] = 0;
        }
        std::int16_t status = 0;
        const bool statusRead = succeeded(readDecimalIndexed(protocol, health_, kOutputStatusItem, channel, status));
        row.entryEnabled = statusRead && typeWords_[r] && (static_cast<std::uint16_t>(status) & kOutputProtected) == 0;
    }
    page_.applyEnabled = false;
    showLinkStatus();
}

void AnalogOutputMonitor::tick(UnitProtocol& protocol) {
    health_.beginBatch();
    row_ = (row_ + 1) % kAnalogOutputRows;
    const int channel = page_.page * kAnalogOutputRows + row_;
    std::int16_t value = 0, status = 0;
    const Outcome valueRead = readDecimalIndexed(protocol, health_, kOutputValueItem, channel, value);
    const Outcome statusRead = readDecimalIndexed(protocol, health_, kOutputStatusItem, channel, status);
    showLinkStatus();
    AnalogOutputMonitorRow& row = page_.rows[row_];
    row.status.reset();
    if (failed(valueRead) || failed(statusRead)) {
        row.current = "Error";
        return;
    }
    row.status = static_cast<std::uint16_t>(status);
    if ((*row.status & kOutputInvalid) != 0) {
        row.current = "Invalid";
    } else {
        row.current = formatReal(tenths(row_) ? value * 0.1 : value);
    }
}

void AnalogOutputMonitor::setEntry(int row, std::string text) {
    page_.rows[row].entry = std::move(text);
    page_.applyEnabled = true;
}

bool AnalogOutputMonitor::holds(UnitProtocol& protocol, int channel, std::int16_t value) {
    // The reply may be what was lost; asked even of a silent unit.
    health_.beginBatch();
    std::int16_t held = 0;
    return succeeded(readDecimalIndexed(protocol, health_, kOutputValueItem, channel, held)) && held == value;
}

std::vector<OutputEntryRefusal> AnalogOutputMonitor::apply(UnitProtocol& protocol) {
    std::vector<OutputEntryRefusal> messages;
    std::vector<std::string> notSet;
    int firstNotSet = 0;
    health_.beginBatch();
    for (int r = 0; r < kAnalogOutputRows; ++r) {
        AnalogOutputMonitorRow& row = page_.rows[r];
        if (!row.entryEnabled || trimmed(row.entry).empty()) continue;
        const FieldCheck<std::int16_t> value = convertOutputEntry(row.entry, tenths(r));
        if (!value) {
            if (messages.empty()) messages.push_back({r, value.message()});
            continue;  // kept for correcting; the other rows are written
        }
        const int channel = page_.page * kAnalogOutputRows + r;
        if (failed(health_.run(
                protocol, [&](UnitProtocol& p) { return p.writeDecimalIndexed(kOutputValueItem, channel, *value); })) &&
            !holds(protocol, channel, *value)) {
            if (notSet.empty()) firstNotSet = r;
            notSet.push_back(row.name);
            continue;  // kept for another Apply; the next poll shows what the unit holds
        }
        row.entry.clear();
    }
    if (!notSet.empty()) {
        notSet.front().insert(0, notSet.size() > 1 ? "outputs " : "output ");
        messages.push_back({firstNotSet, writeProblem(notSet)});
    }
    page_.applyEnabled = !messages.empty();
    showLinkStatus();
    return messages;
}

}  // namespace zat
