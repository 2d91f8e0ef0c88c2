#include "comms/comms_entries.h"

#include "model/database_file.h"

#include <charconv>
#include <cmath>

namespace zat {
namespace {

constexpr bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    return text;
}

}  // namespace

int dilBaudCode(int baudRate) {
    switch (baudRate) {
        case 2400:
            return 1;
        case 4800:
            return 2;
        case 9600:
            return 3;
        default:
            return 0;  // 1200, and 19200 which the switch cannot show
    }
}

std::uint16_t withDilAddress(std::uint16_t pattern, int address) {
    return static_cast<std::uint16_t>((pattern & ~kDilAddressMask) | (address & kDilAddressMask));
}

std::uint16_t withDilBaudRate(std::uint16_t pattern, int baudRate) {
    return static_cast<std::uint16_t>((pattern & ~kDilBaudMask) | (dilBaudCode(baudRate) << kDilBaudShift));
}

std::uint16_t withDilModbus(std::uint16_t pattern, bool modbus) {
    return static_cast<std::uint16_t>(modbus ? pattern | kDilModbus : pattern & ~kDilModbus);
}

std::uint16_t dilSwitchPattern(int address, int baudRate, int protocol) {
    return withDilModbus(withDilBaudRate(withDilAddress(0, address), baudRate), protocol != 0);
}

int readDialogInteger(std::string_view text, std::size_t maxLength) {
    text = skipBlanks(text.substr(0, maxLength));
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long value = 0;
    while (!text.empty() && isDigit(text.front()) && value < 100000000) {
        value = value * 10 + (text.front() - '0');
        text.remove_prefix(1);
    }
    return static_cast<int>(negative ? -value : value);
}

std::optional<int> dilAddressEntry(std::string_view text) {
    const int address = readDialogInteger(text, kAddressTextLength);
    if (address < 0 || address > kMaxCommsAddress) return std::nullopt;
    return address;
}

std::optional<std::uint32_t> timeoutEntryMilliseconds(std::string_view text) {
    // Read without the locale, so that "0.1" means the same on every desktop.
    text = skipBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double typed = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), typed);
    if (result.ec != std::errc() || !std::isfinite(typed)) typed = 0;  // not a number reads 0, which is refused
    const auto seconds = static_cast<float>(typed);
    // The lower test is made in double precision, which refuses 0.01 itself.
    if (seconds > 1.0f || static_cast<double>(seconds) < 0.01) return std::nullopt;
    return static_cast<std::uint32_t>(static_cast<double>(seconds) * 1000.0);
}

CommsEntriesCheck checkCommsEntries(const CommsEntries& entries) {
    CommsEntriesCheck check;
    check.address = readDialogInteger(entries.address, kAddressTextLength);
    if (check.address < 0 || check.address > kMaxCommsAddress) {
        check.error = "Illegal Comms address value";
        return check;
    }
    check.retries = readDialogInteger(entries.retries, kAddressTextLength);
    if (check.retries < 0 || check.retries > kMaxCommsRetries) {
        check.error = "Illegal Comms retry count";
        return check;
    }
    const auto timeOut = timeoutEntryMilliseconds(entries.timeout);
    if (!timeOut) {
        check.error = "Illegal Comms timeout";
        return check;
    }
    check.timeOut = *timeOut;
    return check;
}

CommsSettingsCheck checkCommsSettings(const CommsSettings& settings, std::string_view file,
                                      const CommsOverrides& overrides) {
    CommsSettingsCheck check;
    const auto refuse = [&](std::string_view key, const std::string& value, const std::string& valid) {
        if (check.ok())
            check.error = "Invalid communication setting " + std::string(key) + "=" + value + " in " +
                          std::string(file) + ": " + valid;
    };
    const auto range = [](auto lowest, auto highest) {
        return "valid range " + std::to_string(lowest) + " to " + std::to_string(highest);
    };
    if (!overrides.port && (settings.port < kMinCommsPort || settings.port > kMaxCommsPort))
        refuse("Port", std::to_string(settings.port), range(kMinCommsPort, kMaxCommsPort));
    if (!overrides.address && (settings.address < 0 || settings.address > kMaxCommsAddress))
        refuse("Address", std::to_string(settings.address), range(0, kMaxCommsAddress));
    if (!overrides.baudRate && !isCommsBaudRate(settings.baudRate))
        refuse("Baud Rate", std::to_string(settings.baudRate), "valid rates 1200, 2400, 4800, 9600 and 19200");
    if (!overrides.timeOut && (settings.timeOut < kMinFileTimeOut || settings.timeOut > kMaxFileTimeOut))
        refuse("Time Out", formatTimeOutSeconds(settings.timeOut),
               "valid range " + formatTimeOutSeconds(kMinFileTimeOut) + " to " + formatTimeOutSeconds(kMaxFileTimeOut) +
                   " seconds");
    if (!overrides.retries && (settings.retries < 0 || settings.retries > kMaxCommsRetries))
        refuse("Retries", std::to_string(settings.retries), range(0, kMaxCommsRetries));
    return check;
}

}  // namespace zat
