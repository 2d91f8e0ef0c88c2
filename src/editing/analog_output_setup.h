// The rules of the Analogue Outputs editor: one channel at a time, picked by
// a tab of four and a position 0..3. Outputs 0..19 have a span, a zero bias
// and an output type; outputs 20..39 only a comment and a span.
#pragma once

#include "editing/store_result.h"
#include "model/config_database.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zat {

constexpr int kAnalogOutputTabCount = 10;
constexpr int kAnalogOutputsPerTab = 4;
constexpr int kMinZeroBias = -10;
constexpr int kMaxZeroBias = 100;

// "Slot 1".."Slot 5" for tabs 0..4, then "20-23".."36-39".
std::string analogOutputTabTitle(int tab);
// 4 × tab + position; positions outside 0..3 are held to it, as the
// up-down holds them.
int analogOutputChannel(int tab, int position);
// Outputs 0..19 use every field.
bool isPhysicalOutput(int channel);

// A channel as shown, and as the page gives it back to be stored.
struct AnalogOutputPage {
    std::string label{};    // "B00".."B39"; ignored when storing
    std::string comment{};  // UTF-8
    std::string from{};     // the edits' whole texts
    std::string to{};
    // The rest is shown and stored for physical outputs only.
    std::string bias{};
    // The "Range" list's selection: a channel-type index. None for a stored
    // 15, which no type has; stored as 0.
    std::optional<int> characteristic{};
    bool characterised = false;  // clear: "Linear"
    bool tenths = false;         // "1/10ths"
    bool fahrenheit = false;     // "°F"

    friend bool operator==(const AnalogOutputPage&, const AnalogOutputPage&) = default;
};

AnalogOutputPage loadAnalogOutput(const ConfigDatabase& db, int channel);

// The flags of a physical output's choices.
uint16_t composeOutputFlags(const AnalogOutputPage& page);

enum class AnalogOutputField { Bias, From, To };

// Checks Zero Bias (physical outputs, -10..100), From and To (-9999..9999)
// in that order by the edits' range check: empty or out-of-range text is
// refused with "Value is outside the valid range %d to %d" after a beep, and
// nothing is stored. Then stores comment, from, to and, for a physical
// output, bias and flags; calZero and calSpan are left alone.
StoreResult<AnalogOutputField> storeAnalogOutput(ConfigDatabase& db, int channel, const AnalogOutputPage& page);

}  // namespace zat
