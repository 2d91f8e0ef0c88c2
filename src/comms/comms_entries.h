// The rules behind the Communications Setup dialog: the DIL switch pattern
// that matches a setting, and the checks of the typed address, retries and
// timeout; and the same rules for settings read from a database file.
#pragma once

#include "model/config_database.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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
// The rates the unit's line runs at (19200 only with a setting from a file or an option).
constexpr bool isCommsBaudRate(int rate) {
    return rate == 1200 || rate == 2400 || rate == 4800 || rate == 9600 || rate == 19200;
}
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

// Settings read from a database file are checked before a port is opened
// with them, by the rules of the dialog and of zatctl's options. The timeout
// is held to 1 ms .. 60 s: the dialog makes only 10 .. 1000 ms, so its files
// always pass, and a slow converter or radio link may want more; beyond a
// minute it is a mistake (milliseconds typed into the seconds key), and the
// bound keeps the longest probe, 100 attempts, from running on for hours.
constexpr int kMinCommsPort = 1;
constexpr int kMaxCommsPort = 99;
constexpr std::uint32_t kMinFileTimeOut = 1;       // milliseconds
constexpr std::uint32_t kMaxFileTimeOut = 60'000;  // milliseconds

// The settings given for this run in place of the file's, checked by their
// own rules: these keys of the file are not looked at.
struct CommsOverrides {
    bool port = false;
    bool address = false;
    bool baudRate = false;
    bool timeOut = false;
    bool retries = false;
};

struct CommsSettingsCheck {
    // "Invalid communication setting Retries=2000000000 in <file>: valid
    // range 0 to 99" for the first refused; empty when all pass.
    std::string error;
    bool ok() const { return error.empty(); }
};

// Checks Port, Address, Baud Rate, Time Out and Retries, in the file's order,
// naming each by its database key and its value as the file writes it.
[[nodiscard]] CommsSettingsCheck checkCommsSettings(const CommsSettings& settings, std::string_view file,
                                                    const CommsOverrides& overrides = {});

}  // namespace zat
