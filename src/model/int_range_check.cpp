#include "model/int_range_check.h"

#include <cstdio>

namespace zat {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

IntRangeCheck::IntRangeCheck(int32_t minimum, int32_t maximum) : minimum_(minimum), maximum_(maximum) {}

std::optional<int32_t> IntRangeCheck::parse(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;

    // Accumulated in 64 bits and stopped as soon as it leaves the 32-bit
    // range, so no length of digits can overflow.
    constexpr int64_t kLimit = int64_t{INT32_MAX} + 1;
    int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit) return std::nullopt;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<int32_t> IntRangeCheck::valueWithin(std::string_view text) const {
    const std::optional<int32_t> value = parse(text);
    if (value && *value >= minimum_ && *value <= maximum_) return value;
    return std::nullopt;
}

FieldCheck<int32_t> IntRangeCheck::check(std::string_view text) const {
    if (const std::optional<int32_t> value = valueWithin(text)) return FieldCheck<int32_t>::accept(*value);
    return FieldCheck<int32_t>::refuse(
        FieldMessage{message(), "Error", MessageIcon::Exclamation, FieldMessage::Sound::Simple});
}

std::string IntRangeCheck::message() const {
    char text[80];
    std::snprintf(text, sizeof text, "Value is outside the valid range %d to %d", static_cast<int>(minimum_),
                  static_cast<int>(maximum_));
    return text;
}

}  // namespace zat
