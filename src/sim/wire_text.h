// The character forms of addresses, indices and values on the line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zat::sim {

// All characters decimal digits (at least one); the number they spell.
std::optional<int> parseDigits(std::string_view text);

// Exactly four upper-case hexadecimal digits.
std::optional<std::uint16_t> parseHexWord(std::string_view text);

// An optional "-" and then four or five decimal digits ("%04d" of any
// 16-bit value). Not limited to 16 bits: range is the item's business.
std::optional<std::int32_t> parseDecimalValue(std::string_view text);

std::string formatHexWord(std::uint16_t value);      // "001F"
std::string formatDecimalValue(std::int16_t value);  // "0123", "-0123", "12345"

}  // namespace zat::sim
