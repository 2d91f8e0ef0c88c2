// The rules behind the Communications Setup dialog: the DIL switch pattern
// that matches a setting, and the checks of the typed address, retries and
// timeout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/config_database.h"

namespace zat {

// The unit's 12 DIL switches, bit 0 = switch 1: the address in bits 0-7, the
// baud rate code in bits 8-9, Modbus in bit 10; bit 11 is driven by nothing.
constexpr std::uint16_t kDilAddressMask = 0x00FF;
constexpr std::uint16_t kDilBaudMask = 0x0300;
constexpr int kDilBaudShift = 8;
constexpr std::uint16_t kDilModbus = 0x0400;
constexpr int kDilSwitchCount = 12;

// 1200 -> 0, 2400 -> 1, 4800 -> 2, 9600 -> 3; any other rate (19200) -> 0.
int dilBaudCode(int baudRate);

std::uint16_t withDilAddress(std::uint16_t pattern, int address);
std::uint16_t withDilBaudRate(std::uint16_t pattern, int baudRate);
std::uint16_t withDilModbus(std::uint16_t pattern, bool modbus);
std::uint16_t dilSwitchPattern(int address, int baudRate, int protocol);

constexpr int kMaxCommsAddress = 99;
constexpr int kMaxCommsRetries = 99;
constexpr std::size_t kAddressTextLength = 3;  // characters of the address and retries read
constexpr std::size_t kTimeoutTextLength = 4;  // characters the timeout edit holds

// An integer typed into a dialog: the first `maxLength` characters read as
// a decimal integer (blanks, a sign, digits); text that is not a number reads 0.
int readDialogInteger(std::string_view text, std::size_t maxLength);

// The address as the live DIL update takes it: its value when 0-99, else none.
std::optional<int> dilAddressEntry(std::string_view text);

// The typed timeout in seconds, held in single precision as the unit's
// program holds it, and its milliseconds (truncated): none when above 1 s or
// below 0.01 s. "0.01" itself is refused (its single-precision value lies
// just below 0.01); "0.02" gives 19 ms.
std::optional<std::uint32_t> timeoutEntryMilliseconds(std::string_view text);

struct CommsEntries {
    std::string address;
    std::string retries;
    std::string timeout;  // seconds
};

struct CommsEntriesCheck {
    std::string error;  // "Illegal Comms ..." of the first entry refused; empty when all are valid
    int address = 0;
    int retries = 0;
    std::uint32_t timeOut = 0;  // milliseconds
    bool ok() const { return error.empty(); }
};

// Checks address, retries and timeout in that order; only the first refusal
// is reported.
CommsEntriesCheck checkCommsEntries(const CommsEntries& entries);

}  // namespace zat
