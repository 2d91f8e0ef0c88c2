#include "sim/wire_text.h"

#include <cstdio>
#include <cstdlib>

namespace zat::sim {

std::optional<int> parseDigits(std::string_view text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<std::uint16_t> parseHexWord(std::string_view text) {
    if (text.size() != 4) return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return static_cast<std::uint16_t>(value);
}

std::optional<std::int32_t> parseDecimalValue(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.size() != 4 && text.size() != 5) return std::nullopt;
    const std::optional<int> magnitude = parseDigits(text);
    if (!magnitude) return std::nullopt;
    return negative ? -*magnitude : *magnitude;
}

std::string formatHexWord(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
    return text;
}

std::string formatDecimalValue(std::int16_t value) {
    char text[8];
    if (value < 0) {
        std::snprintf(text, sizeof text, "-%04d", -static_cast<int>(value));
    } else {
        std::snprintf(text, sizeof text, "%04d", static_cast<int>(value));
    }
    return text;
}

}  // namespace zat::sim
