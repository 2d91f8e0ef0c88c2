// The analog input channel types (thermocouples, linear ranges, Pt100), the
// option bits each allows, the measuring ranges and the display of a raw
// channel value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zat {

constexpr int kChannelTypeCount = 15;

struct ChannelType {
    std::string_view name;         // up to 12 characters
    std::string_view signalRange;  // up to 9 characters
    int32_t rangeCode;             // index into the measuring-range names
    uint8_t linear;                // 1 for the linear (scalable) types
};

// The entry for bits 0-4 of a type word or bits 0-3 of an output's flags;
// nullptr for 15..31, which files may hold but no channel type has.
const ChannelType* channelType(int index);

// Type-word option bits the type allows; 0 outside the table.
uint16_t permittedOptions(int index);

bool isLinearType(int index);

// "10V Range", "1V Range", "100mV Range", "Resistance Range"; empty otherwise.
std::string_view rangeName(int32_t code);

// A channel value as displayed. The unit is UTF-8: "°C", "°F", or two spaces
// for linear types.
struct ChannelValue {
    double value;
    std::string unit;
};

ChannelValue formatChannelValue(int32_t raw, uint16_t typeWord);

// A real number as the displays show it ("%g"): 1234, 123.4, -0.5.
std::string formatReal(double value);

}  // namespace zat
