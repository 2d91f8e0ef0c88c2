#include "editing/analog_input_setup.h"

#include "editing/entry_text.h"
#include "model/channel_type.h"
#include "model/register_ref.h"

namespace zat {

namespace {

using SettingsResult = EditResult<AnalogInputField, std::optional<AnalogInputSettings>>;

constexpr const char* kScalarCaption = "Value out of range";

bool inTable(int index) { return index >= 0 && index < kChannelTypeCount; }

std::optional<int> validType(std::optional<int> typeIndex) {
    if (typeIndex && inTable(*typeIndex)) return typeIndex;
    return std::nullopt;
}

SettingsResult refuse(int row, AnalogInputField field, const char* text) {
    return SettingsResult::refuse(
        row, field, FieldMessage{text, kScalarCaption, MessageIcon::Exclamation, FieldMessage::Sound::None});
}

bool isEngineering(int32_t value) { return value >= kEngineeringMin && value <= kEngineeringMax; }

}  // namespace

std::string analogInputSlotTitle(int slot) { return "Slot " + std::to_string(slot + 1); }

int analogInputChannel(int slot, int row) { return slot * kAnalogInputRowCount + row; }

AnalogInputControls analogInputControls(std::optional<int> typeIndex) {
    typeIndex = validType(typeIndex);
    if (!typeIndex) return {};
    const uint16_t permitted = permittedOptions(*typeIndex);
    return AnalogInputControls{
        .scan = (permitted & kTypeNotScanned) != 0,
        .coldJunction = (permitted & kTypeColdJunction) != 0,
        .tenths = (permitted & kTypeTenths) != 0,
        .fahrenheit = (permitted & kTypeFahrenheit) != 0,
        .tcbo = (permitted & kTypeTcbo) != 0,
        .scalars = isLinearType(*typeIndex),
    };
}

AnalogInputRow loadAnalogInputRow(const AnalogInputChannel& record, int channel) {
    const uint16_t word = record.type;
    AnalogInputRow row;
    row.label = channelLabel('A', channel);
    row.comment = commentText(record.comment);
    row.typeIndex = validType(word & kTypeIndexMask);
    row.scan = (word & kTypeNotScanned) == 0;
    row.coldJunction = (word & kTypeColdJunction) != 0;
    row.tenths = (word & kTypeTenths) != 0;
    row.fahrenheit = (word & kTypeFahrenheit) != 0;
    row.tcbo = (word & kTypeTcbo) != 0;
    if (analogInputControls(row.typeIndex).scalars) {
        row.hiScalar = std::to_string(record.hiScalar);
        row.loScalar = std::to_string(record.loScalar);
    }
    return row;
}

std::array<AnalogInputRow, kAnalogInputRowCount> loadAnalogInputPage(const ConfigDatabase& db, int slot) {
    std::array<AnalogInputRow, kAnalogInputRowCount> rows;
    for (int r = 0; r < kAnalogInputRowCount; ++r) {
        const int channel = analogInputChannel(slot, r);
        rows[static_cast<std::size_t>(r)] =
            loadAnalogInputRow(db.analogInputs[static_cast<std::size_t>(channel)], channel);
    }
    return rows;
}

std::optional<uint16_t> composeTypeWord(const AnalogInputRow& row) {
    const std::optional<int> type = validType(row.typeIndex);
    if (!type) return std::nullopt;
    uint16_t word = static_cast<uint16_t>(*type);
    if (row.coldJunction) word |= kTypeColdJunction;
    if (row.fahrenheit) word |= kTypeFahrenheit;
    if (row.tenths) word |= kTypeTenths;
    if (row.tcbo) word |= kTypeTcbo;
    if (!row.scan) word |= kTypeNotScanned;
    // Scaled is offered to every type; the mask keeps it for the linear ones.
    word |= kTypeScaled;
    return static_cast<uint16_t>(word & (permittedOptions(*type) | kTypeIndexMask));
}

SettingsResult analogInputSettings(const AnalogInputRow& row, int rowIndex) {
    const std::optional<uint16_t> word = composeTypeWord(row);
    if (!word) return SettingsResult::accept(std::nullopt);

    AnalogInputSettings settings{.type = *word};
    if ((*word & kTypeScaled) != 0) {
        // The whole text counts: a loaded value too long for the edit is
        // refused here rather than cut into one that passes.
        const int32_t hi = readLeadingInteger(row.hiScalar);
        if (!isEngineering(hi)) return refuse(rowIndex, AnalogInputField::HiScalar, "Hi Scalar -9999 to +9999");
        const int32_t lo = readLeadingInteger(row.loScalar);
        if (!isEngineering(lo)) return refuse(rowIndex, AnalogInputField::LoScalar, "Lo Scalar -9999 to +9999");
        if (lo > hi) return refuse(rowIndex, AnalogInputField::LoScalar, "Lo Scalar > Hi Scalar");
        settings.hiScalar = static_cast<int16_t>(hi);
        settings.loScalar = static_cast<int16_t>(lo);
    }
    return SettingsResult::accept(settings);
}

StoreResult<AnalogInputField> storeAnalogInputPage(ConfigDatabase& db, int slot,
                                                   const std::array<AnalogInputRow, kAnalogInputRowCount>& rows) {
    for (int r = 0; r < kAnalogInputRowCount; ++r) {
        const AnalogInputRow& row = rows[static_cast<std::size_t>(r)];
        AnalogInputChannel& record = db.analogInputs[static_cast<std::size_t>(analogInputChannel(slot, r))];
        // The comment goes in before the scalars are checked, so a row that
        // fails keeps its new comment.
        record.comment = commentFromText(row.comment);
        const SettingsResult settings = analogInputSettings(row, r);
        if (!settings)
            return StoreResult<AnalogInputField>::refuse(r, settings.refusal().field, settings.refusal().message);
        if (!settings.value()) continue;
        record.type = settings.value()->type;
        record.hiScalar = settings.value()->hiScalar;
        record.loScalar = settings.value()->loScalar;
    }
    return StoreResult<AnalogInputField>::accept();
}

EditResult<AnalogInputField, std::array<AnalogInputRow, kAnalogInputRowCount>> applyAnalogInputAllSame(
    ConfigDatabase& db, int slot, const std::array<AnalogInputRow, kAnalogInputRowCount>& rows) {
    using Result = EditResult<AnalogInputField, std::array<AnalogInputRow, kAnalogInputRowCount>>;
    const SettingsResult settings = analogInputSettings(rows[0], 0);
    if (!settings) return Result::refuse(0, settings.refusal().field, settings.refusal().message);
    if (!settings.value()) return Result::accept(rows);

    std::array<AnalogInputRow, kAnalogInputRowCount> shown;
    for (int r = 0; r < kAnalogInputRowCount; ++r) {
        const int channel = analogInputChannel(slot, r);
        AnalogInputChannel& record = db.analogInputs[static_cast<std::size_t>(channel)];
        record.type = settings.value()->type;
        record.hiScalar = settings.value()->hiScalar;
        record.loScalar = settings.value()->loScalar;
        const auto i = static_cast<std::size_t>(r);
        shown[i] = loadAnalogInputRow(record, channel);
        shown[i].comment = rows[i].comment;
    }
    return Result::accept(shown);
}

}  // namespace zat
