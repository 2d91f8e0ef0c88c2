// Request frames to the unit, the echo test of its replies and the parsing of
// the values it returns. Pure functions: no line, no state.
//
// A request is a kind ("S", "W" or "R"), the two-digit unit address, the item
// letter, for indexed items a two-digit index, for writes the value, and a
// carriage return. A reply is "*" (accepted) or another character (refused),
// the echo of the request from the address on, for reads the value, and a
// carriage return (removed before these functions see it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zat {

constexpr char kAccepted = '*';
constexpr char kFrameEnd = '\r';

std::string commandFrame(int address, char letter);
std::string writeHexFrame(int address, char letter, std::uint16_t value);
std::string writeHexIndexedFrame(int address, char letter, int index, std::uint16_t value);
std::string writeDecimalFrame(int address, char letter, std::int16_t value);
std::string writeDecimalIndexedFrame(int address, char letter, int index, std::int16_t value);
std::string readFrame(int address, char letter);
std::string readIndexedFrame(int address, char letter, int index);

// How many characters after the first must agree between request and reply.
constexpr std::size_t kEchoPlain = 3;         // address, letter
constexpr std::size_t kEchoIndexed = 5;       // address, letter, index
constexpr std::size_t kEchoDecimalValue = 7;  // address, letter, first four characters of the value

// True when the reply echoes characters 1..n of the request. A reply shorter
// than n + 1 characters never does.
bool echoMatches(std::string_view request, std::string_view reply, std::size_t n);

// The value of a hexadecimal read: four upper-case hexadecimal digits at
// `position` of the reply. Anything else (lower case, too short) is no value.
std::optional<std::uint16_t> parseHexField(std::string_view reply, std::size_t position);

// The value of a decimal read starting at `position`: four digits ending the
// reply, a minus sign and four digits, or five digits. Characters after the
// fifth field position are ignored.
std::optional<std::int16_t> parseDecimalField(std::string_view reply, std::size_t position);

// Where the value of a read begins in the reply.
constexpr std::size_t kValuePosition = 4;         // after "*", address, letter
constexpr std::size_t kIndexedValuePosition = 6;  // ... and the index

}  // namespace zat
