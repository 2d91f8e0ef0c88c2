#include "comms/frames.h"

#include <cstdio>

namespace zat {

namespace {

// Fixed-width fields as the unit expects them; the buffers are large enough
// for any int, so nothing is ever cut.
std::string twoDigits(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

std::string hexValue(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
    return text;
}

// A negative value goes out as "-" and the four-digit magnitude.
std::string decimalValue(std::int16_t value) {
    char text[16];
    if (value < 0) {
        std::snprintf(text, sizeof text, "-%04d", -static_cast<int>(value));
    } else {
        std::snprintf(text, sizeof text, "%04d", static_cast<int>(value));
    }
    return text;
}

std::string head(char kind, int address, char letter) {
    std::string frame(1, kind);
    frame += twoDigits(address);
    frame += letter;
    return frame;
}

}  // namespace

std::string commandFrame(int address, char letter) { return head('S', address, letter) + kFrameEnd; }

std::string writeHexFrame(int address, char letter, std::uint16_t value) {
    return head('W', address, letter) + hexValue(value) + kFrameEnd;
}

std::string writeHexIndexedFrame(int address, char letter, int index, std::uint16_t value) {
    return head('W', address, letter) + twoDigits(index) + hexValue(value) + kFrameEnd;
}

std::string writeDecimalFrame(int address, char letter, std::int16_t value) {
    return head('W', address, letter) + decimalValue(value) + kFrameEnd;
}

std::string writeDecimalIndexedFrame(int address, char letter, int index, std::int16_t value) {
    return head('W', address, letter) + twoDigits(index) + decimalValue(value) + kFrameEnd;
}

std::string readFrame(int address, char letter) { return head('R', address, letter) + kFrameEnd; }

std::string readIndexedFrame(int address, char letter, int index) {
    return head('R', address, letter) + twoDigits(index) + kFrameEnd;
}

bool echoMatches(std::string_view request, std::string_view reply, std::size_t n) {
    if (request.size() < n + 1 || reply.size() < n + 1) return false;
    return request.substr(1, n) == reply.substr(1, n);
}

std::optional<std::uint16_t> parseHexField(std::string_view reply, std::size_t position) {
    if (position > reply.size() || reply.size() - position < 4) return std::nullopt;
    unsigned value = 0;
    for (char c : reply.substr(position, 4)) {
        unsigned digit;
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

std::optional<std::int16_t> parseDecimalField(std::string_view reply, std::size_t position) {
    if (position > reply.size()) return std::nullopt;
    const std::string_view field = reply.substr(position);
    const bool negative = !field.empty() && field[0] == '-';
    bool valid = true;
    int digits = 0;
    long value = 0;
    // Field positions up to and including 4: at most five characters with the sign.
    for (std::size_t i = negative ? 1 : 0; i <= 4; ++i) {
        if (i >= field.size()) {
            if (digits != 4) valid = false;
            break;
        }
        const char c = field[i];
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            ++digits;
        } else {
            valid = false;
        }
    }
    if (!valid) return std::nullopt;
    if (negative) value = -value;
    // Kept as the unit's 16-bit word: five digits beyond 32767 wrap.
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}

}  // namespace zat
