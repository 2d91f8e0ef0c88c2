// The rules of the Analogue Inputs editor: 40 channels in five slots of
// eight rows; per row a channel type, the Scan and option boxes, a comment
// and, for the linear types, the Hi and Lo scalars.
#pragma once

#include "editing/store_result.h"
#include "model/config_database.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace zat {

constexpr int kAnalogInputRowCount = 8;
constexpr std::size_t kScalarEditLength = 5;

// "Slot 1".."Slot 5" for slots 0..4.
std::string analogInputSlotTitle(int slot);
int analogInputChannel(int slot, int row);

// A row as shown, and as the page gives it back to be stored.
struct AnalogInputRow {
    std::string label{};    // "A00".."A39"; ignored when storing
    std::string comment{};  // UTF-8
    // The list selection, which is the channel-type index. None when the
    // type bits hold 15..31, which no type has.
    std::optional<int> typeIndex{};
    bool scan = true;
    bool coldJunction = false;  // "CJ"
    bool tenths = false;        // "1/10ths"
    bool fahrenheit = false;    // "°F"
    bool tcbo = false;          // "TCBO"
    std::string hiScalar{};     // the edit's whole text
    std::string loScalar{};

    friend bool operator==(const AnalogInputRow&, const AnalogInputRow&) = default;
};

// Which controls of a row are enabled for its type: a box when the type
// permits its bit, the scalars for the linear types. Nothing for no type.
struct AnalogInputControls {
    bool scan = false;
    bool coldJunction = false;
    bool tenths = false;
    bool fahrenheit = false;
    bool tcbo = false;
    bool scalars = false;

    friend bool operator==(const AnalogInputControls&, const AnalogInputControls&) = default;
};

AnalogInputControls analogInputControls(std::optional<int> typeIndex);

// The row of channel `channel`: every box shows its bit, enabled or not; the
// scalars show their values for linear types and are empty otherwise.
AnalogInputRow loadAnalogInputRow(const AnalogInputChannel& record, int channel);
std::array<AnalogInputRow, kAnalogInputRowCount> loadAnalogInputPage(const ConfigDatabase& db, int slot);

// The type word of a row's choices: the type index, the checked boxes, not
// scanned for a cleared Scan, scaled always, then only the bits the type
// permits. None when the row has no type.
std::optional<uint16_t> composeTypeWord(const AnalogInputRow& row);

enum class AnalogInputField { HiScalar, LoScalar };

// The type word and scalars a row stores or All Same copies.
struct AnalogInputSettings {
    uint16_t type = 0;
    int16_t hiScalar = 0;
    int16_t loScalar = 0;

    friend bool operator==(const AnalogInputSettings&, const AnalogInputSettings&) = default;
};

// A row's settings, checked: for a scaled word Hi, then Lo, then Lo not above
// Hi (refusals under "Value out of range", naming the row given); other types
// keep 0 and 0. None when the row has no type.
EditResult<AnalogInputField, std::optional<AnalogInputSettings>> analogInputSettings(const AnalogInputRow& row,
                                                                                     int rowIndex);

// Stores rows 0..7 in order; each row's comment first, then its settings. A
// row with no type stores only its comment, so its word and scalars stay bit
// for bit. The first bad row stops the store: rows before it are stored,
// its comment too, its settings and later rows are not.
StoreResult<AnalogInputField> storeAnalogInputPage(ConfigDatabase& db, int slot,
                                                   const std::array<AnalogInputRow, kAnalogInputRowCount>& rows);

// All Same: row 0's settings written into the slot's eight channels. Takes
// the page as shown and gives it back as it is to be shown: every row with
// the copied settings and its own typed comment (comments, stored or typed,
// are no part of All Same). Refused like row 0's store, with nothing
// written; row 0 with no type copies nothing and gives the page back as is.
EditResult<AnalogInputField, std::array<AnalogInputRow, kAnalogInputRowCount>> applyAnalogInputAllSame(
    ConfigDatabase& db, int slot, const std::array<AnalogInputRow, kAnalogInputRowCount>& rows);

}  // namespace zat
