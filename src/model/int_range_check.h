// The integer range check behind the edit fields' range validator.
#pragma once

#include "userio/field_check.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zat {

class IntRangeCheck {
public:
    // Both limits are inclusive.
    IntRangeCheck(int32_t minimum, int32_t maximum);

    int32_t minimum() const { return minimum_; }
    int32_t maximum() const { return maximum_; }

    // An optionally signed decimal integer with optional blanks around it;
    // nullopt for anything else or for a value that does not fit 32 bits.
    static std::optional<int32_t> parse(std::string_view text);

    // The value of valid text; otherwise refused with message() under
    // "Error" after a simple beep.
    FieldCheck<int32_t> check(std::string_view text) const;

    std::string message() const;

private:
    // The value of text that parses and lies within the limits.
    std::optional<int32_t> valueWithin(std::string_view text) const;

    int32_t minimum_;
    int32_t maximum_;
};

}  // namespace zat
