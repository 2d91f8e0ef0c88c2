#include "editing/entry_text.h"

#include <algorithm>
#include <limits>

namespace zat {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool isSignedDigits(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    return std::all_of(text.begin(), text.end(), isDigit);
}

bool isDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), isDigit); }

std::size_t editLength(std::string_view shown, std::size_t limit) { return std::max(shown.size(), limit); }

int32_t readLeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    int64_t magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        // Stop growing past the limit so no length of digits overflows.
        magnitude = std::min(magnitude, -kMin);
    }
    const int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(std::clamp(value, kMin, kMax));
}

std::string registerTextUpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

}  // namespace zat
