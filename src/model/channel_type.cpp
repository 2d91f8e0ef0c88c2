#include "model/channel_type.h"

#include "model/config_database.h"

#include <array>
#include <cstdio>

namespace zat {

namespace {

constexpr std::array<ChannelType, kChannelTypeCount> kChannelTypes{{
    {"TC Type S", "100mV", 2, 0},
    {"TC Type R", "100mV", 2, 0},
    {"TC Type J", "100mV", 2, 0},
    {"TC Type K", "100mV", 2, 0},
    {"TC Type T", "100mV", 2, 0},
    {"TC Type E", "100mV", 2, 0},
    {"TC Type B", "100mV", 2, 0},
    {"TC Type N", "100mV", 2, 0},
    {"TC Type L", "100mV", 2, 0},
    {"Linear 100mV", "100mV", 2, 1},
    {"Linear 1V", "1V", 1, 1},
    {"Linear 10V", "10V", 0, 1},
    {"Pt100", "100mV", 3, 0},
    {"Linear 20mA", "1V", 1, 1},
    {"Linear 800R", "100mV", 3, 1},
}};

constexpr std::array<uint16_t, kChannelTypeCount> kPermittedOptions{
    0x05A0, 0x05A0, 0x05E0, 0x05E0, 0x05E0, 0x05E0, 0x0520, 0x05E0,
    0x05E0, 0x0640, 0x0640, 0x0640, 0x0460, 0x0640, 0x0640,
};

constexpr std::array<std::string_view, 4> kRangeNames{
    "10V Range",
    "1V Range",
    "100mV Range",
    "Resistance Range",
};

bool inTable(int index) { return index >= 0 && index < kChannelTypeCount; }

}  // namespace

const ChannelType* channelType(int index) {
    return inTable(index) ? &kChannelTypes[static_cast<std::size_t>(index)] : nullptr;
}

uint16_t permittedOptions(int index) { return inTable(index) ? kPermittedOptions[static_cast<std::size_t>(index)] : 0; }

bool isLinearType(int index) {
    const ChannelType* type = channelType(index);
    return type != nullptr && type->linear != 0;
}

std::string_view rangeName(int32_t code) {
    if (code < 0 || code >= static_cast<int32_t>(kRangeNames.size())) return {};
    return kRangeNames[static_cast<std::size_t>(code)];
}

ChannelValue formatChannelValue(int32_t raw, uint16_t typeWord) {
    ChannelValue result{static_cast<double>(raw), "  "};
    if (!isLinearType(typeWord & kTypeIndexMask))
        result.unit = (typeWord & kTypeFahrenheit) != 0 ? "\u00B0F" : "\u00B0C";
    if ((typeWord & kTypeTenths) != 0) result.value = raw * 0.1;
    return result;
}

std::string formatReal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace zat
