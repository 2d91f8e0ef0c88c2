// References from the configuration to the unit's registers: the register
// code of IF blocks, controllers and profilers, the destination code of
// hot/cold blocks, their text forms and the parsers of the edit fields.
#pragma once

#include "userio/field_check.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zat {

// Registers of a family: A analog inputs, B analog outputs, C digital inputs,
// D digital outputs. 0 for any other letter.
int registerCount(char letter);
bool isValidRegister(char letter, int number);

// Channel label with a two-digit number: "A05", "D55".
std::string channelLabel(char letter, int number);

// The one-byte register code: letter in bits 6-7 (0 = A .. 3 = D), number + 1
// in bits 0-5, 0 = no register. Only the low byte of a field counts; codes
// from files and from the unit are kept as they are, so number() can be
// anything from -1 to 62.
class RegisterRef {
public:
    constexpr RegisterRef() = default;
    constexpr explicit RegisterRef(uint16_t field) : code_(static_cast<uint8_t>(field & 0xFF)) {}

    // No register unless letter and number name an existing register.
    static RegisterRef make(char letter, int number);

    constexpr uint8_t code() const { return code_; }
    constexpr bool isNone() const { return code_ == 0; }
    constexpr char letter() const { return static_cast<char>('A' + ((code_ >> 6) & 3)); }
    constexpr int number() const { return (code_ & 0x3F) - 1; }

    friend constexpr bool operator==(RegisterRef, RegisterRef) = default;

private:
    uint8_t code_ = 0;
};

// The hot/cold block's destination: 0x80 + n for An, 0x40 + n for Bn (no +1),
// 0 = none. Any non-zero byte without bit 7 reads as a B register.
class HotColdDestination {
public:
    constexpr HotColdDestination() = default;
    constexpr explicit HotColdDestination(uint16_t field) : code_(static_cast<uint8_t>(field & 0xFF)) {}

    // No destination unless letter is A or B and number is 0..39.
    static HotColdDestination make(char letter, int number);

    constexpr uint8_t code() const { return code_; }
    constexpr bool isNone() const { return code_ == 0; }
    constexpr char letter() const { return (code_ & 0x80) != 0 ? 'A' : 'B'; }
    constexpr int number() const { return code_ & 0x3F; }

    friend constexpr bool operator==(HotColdDestination, HotColdDestination) = default;

private:
    uint8_t code_ = 0;
};

// The letters a register field accepts; each editor field uses one set.
enum class RegisterLetters { AB, ABCD, DOnly, CD };

// "A5", "D55"; empty for code 0.
std::string formatRegisterField(uint16_t code);
// "(A5)" for the monitors; empty for code 0.
std::string formatRegisterShort(uint16_t code);

// Reads a register edit field (its first 3 characters). Empty text is 0.
// A bad entry is refused with the reason under "I/O Reference Error" and an
// exclamation beep; the caller then stops storing and focuses the field.
FieldCheck<uint16_t> parseRegisterField(std::string_view text, RegisterLetters permitted);

// "A39", "B7"; empty for code 0.
std::string formatHotColdDestination(uint16_t code);

// Reads a hot/cold destination field, A00..A39 or B00..B39; empty text is 0.
// Refusals as for register fields, under "Analogue Destination Error".
FieldCheck<uint16_t> parseHotColdDestination(std::string_view text);

}  // namespace zat
