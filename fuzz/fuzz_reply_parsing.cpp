// Any bytes from the line, in any pieces: the reply stays within its buffer,
// the pieces do not change the result, and the value parsers agree with a
// plain reading of the accepted forms.
#include "comms/frames.h"
#include "comms/reply_collector.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The accepted decimal fields written out case by case.
std::optional<std::int16_t> plainDecimal(std::string_view reply, std::size_t position) {
    if (position > reply.size()) return std::nullopt;
    const std::string_view field = reply.substr(position);
    long value = 0;
    if (!field.empty() && field[0] == '-') {
        if (field.size() < 5) return std::nullopt;
        for (std::size_t i = 1; i <= 4; ++i) {
            if (!isDigit(field[i])) return std::nullopt;
            value = value * 10 + (field[i] - '0');
        }
        value = -value;
    } else {
        if (field.size() < 4) return std::nullopt;
        const std::size_t digits = field.size() == 4 ? 4 : 5;
        for (std::size_t i = 0; i < digits; ++i) {
            if (!isDigit(field[i])) return std::nullopt;
            value = value * 10 + (field[i] - '0');
        }
    }
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t pieceLength = data[0] % 7 + 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    zat::ReplyCollector whole;
    whole.feed(bytes);
    zat::ReplyCollector pieces;
    for (std::size_t at = 0; at < bytes.size(); at += pieceLength) pieces.feed(bytes.substr(at, pieceLength));

    const std::string& reply = whole.reply();
    require(reply == pieces.reply());
    require(whole.complete() == pieces.complete());
    require(reply.size() <= zat::ReplyCollector::kCapacity);
    require(reply.find('\r') == std::string::npos);

    for (std::size_t position : {zat::kValuePosition, zat::kIndexedValuePosition}) {
        if (const auto hex = zat::parseHexField(reply, position)) {
            char text[8];
            std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(*hex));
            require(reply.substr(position, 4) == text);
        }
        require(zat::parseDecimalField(reply, position) == plainDecimal(reply, position));
    }

    // A request made from the same bytes echoes itself when accepted.
    if (bytes.size() >= 4) {
        const int address = static_cast<unsigned char>(bytes[0]) % 100;
        const char letter = static_cast<char>(bytes[1] & 0x7F);
        const auto value =
            static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2]) << 8 | static_cast<unsigned char>(bytes[3]));
        const std::string frame = zat::writeDecimalFrame(address, letter, value);
        const std::string echo = "*" + frame.substr(1, frame.size() - 2);
        require(zat::echoMatches(frame, echo, zat::kEchoDecimalValue));
        if (value >= -9999) require(zat::parseDecimalField(echo, zat::kValuePosition) == value);
        const std::string hexFrame =
            zat::writeHexIndexedFrame(address, letter, address, static_cast<std::uint16_t>(value));
        require(zat::parseHexField("*" + hexFrame.substr(1, hexFrame.size() - 2), zat::kIndexedValuePosition) ==
                static_cast<std::uint16_t>(value));
    }
    return 0;
}
