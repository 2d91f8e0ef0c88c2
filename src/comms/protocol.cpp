#include "comms/protocol.h"

#include "comms/frames.h"

#include <algorithm>

namespace zat {

namespace {
constexpr char kPageLetter = ']';
constexpr char kProbeLetter = '?';
constexpr std::int16_t kProbeValue = 42;
constexpr std::size_t kReadValueLength = 4;  // four hexadecimal digits, or the usual four decimal ones
}  // namespace

UnitProtocol::UnitProtocol(UnitLink& link, const CommsSettings& settings, Prompts& prompts, Beep& beep)
    : link_(link), settings_(settings), prompts_(prompts), beep_(beep) {}

bool UnitProtocol::exchange(const std::string& request, std::size_t echoLength, std::size_t replyValueLength) {
    // An accepted reply is as long as the request (the echo, "*" in place of
    // the kind, the carriage return) plus a read's value.
    const std::size_t expectedLength = request.size() + replyValueLength;
    // A negative count (from a hand-edited file) still asks once.
    const long long attempts = static_cast<long long>(std::max(settings_.retries, 0)) + 1;
    for (long long attempt = 0; attempt < attempts; ++attempt) {
        link_.sendFrame(request);
        link_.receiveReply(expectedLength);
        const std::string& reply = link_.reply();
        // A reply cut short can still echo the request (a read's reply loses
        // its value first); it is asked for again like any other bad one.
        if (!link_.replyComplete() || !echoMatches(request, reply, echoLength)) continue;
        if (reply[0] == kAccepted) return false;
        break;  // refused: asking again would only be refused again
    }
    beep_.simple();
    return true;
}

bool UnitProtocol::sendCommand(char letter) {
    return exchange(commandFrame(settings_.address, letter), kEchoPlain);
}

bool UnitProtocol::writeHex(char letter, std::uint16_t value) {
    return exchange(writeHexFrame(settings_.address, letter, value), kEchoPlain);
}

bool UnitProtocol::writeHexIndexed(char letter, int index, std::uint16_t value) {
    return exchange(writeHexIndexedFrame(settings_.address, letter, index, value), kEchoIndexed);
}

bool UnitProtocol::writeDecimal(char letter, std::int16_t value) {
    return exchange(writeDecimalFrame(settings_.address, letter, value), kEchoDecimalValue);
}

bool UnitProtocol::writeDecimalIndexed(char letter, int index, std::int16_t value) {
    return exchange(writeDecimalIndexedFrame(settings_.address, letter, index, value), kEchoIndexed);
}

// A read: the exchange, then the value parsed from the reply. A malformed
// value fails without a beep and leaves the output untouched.
template <typename Value, typename Parser>
bool UnitProtocol::read(const std::string& request, std::size_t echoLength, std::size_t valuePosition,
                        Parser parse, Value& value) {
    if (exchange(request, echoLength, kReadValueLength)) return true;
    const std::optional<Value> parsed = parse(link_.reply(), valuePosition);
    if (!parsed) return true;
    value = *parsed;
    return false;
}

bool UnitProtocol::readHex(char letter, std::uint16_t& value) {
    return read(readFrame(settings_.address, letter), kEchoPlain, kValuePosition, parseHexField, value);
}

bool UnitProtocol::readHexIndexed(char letter, int index, std::uint16_t& value) {
    return read(readIndexedFrame(settings_.address, letter, index), kEchoIndexed, kIndexedValuePosition,
                parseHexField, value);
}

bool UnitProtocol::readDecimal(char letter, std::int16_t& value) {
    return read(readFrame(settings_.address, letter), kEchoPlain, kValuePosition, parseDecimalField, value);
}

bool UnitProtocol::readDecimalIndexed(char letter, int index, std::int16_t& value) {
    return read(readIndexedFrame(settings_.address, letter, index), kEchoIndexed, kIndexedValuePosition,
                parseDecimalField, value);
}

bool UnitProtocol::selectPage(int page) { return writeDecimal(kPageLetter, static_cast<std::int16_t>(page)); }

bool UnitProtocol::checkUnit(bool showMessage) {
    const bool failed = writeDecimal(kProbeLetter, kProbeValue);
    if (failed && showMessage) {
        prompts_.show("Unable to communicate with ZAT\nCheck baud rate and address and try again", "Error",
                      MessageIcon::Exclamation, MessageButtons::Ok);
    }
    return failed;
}

}  // namespace zat
