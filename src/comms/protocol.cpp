#include "comms/protocol.h"

#include "comms/frames.h"
#include "comms/unit_items.h"

#include <algorithm>
#include <utility>

namespace zat {

namespace {
constexpr std::int16_t kProbeValue = 42;
constexpr std::size_t kReadValueLength = 4;  // four hexadecimal digits, or the usual four decimal ones
}  // namespace

UnitProtocol::UnitProtocol(UnitLink& link, const CommsSettings& settings, Prompts& prompts, Beep& beep,
                           ExchangePolicy policy)
    : link_(link), settings_(settings), prompts_(prompts), beep_(beep), policy_(std::move(policy)) {}

UnitProtocol UnitProtocol::governedBy(ExchangePolicy policy) const {
    return UnitProtocol(link_, settings_, prompts_, beep_, std::move(policy));
}

Outcome UnitProtocol::exchange(const std::string& request, std::size_t echoLength, std::size_t replyValueLength) {
    // An accepted reply is as long as the request (the echo, "*" in place of
    // the kind, the carriage return) plus a read's value.
    const std::size_t expectedLength = request.size() + replyValueLength;
    // A negative count (from a hand-edited file) still asks once; counted
    // wide, so the largest count cannot wrap to none.
    const long long attempts = policy_.oneTry ? 1 : static_cast<long long>(std::max(settings_.retries, 0)) + 1;
    refused_ = false;
    for (long long attempt = 0; attempt < attempts; ++attempt) {
        if (attempt > 0 && policy_.beforeRetry) policy_.beforeRetry();
        link_.sendFrame(request);
        link_.receiveReply(expectedLength);
        const std::string& reply = link_.reply();
        // A reply cut short can still echo the request (a read's reply loses
        // its value first); it is asked for again like any other bad one.
        if (!link_.replyComplete() || !echoMatches(request, reply, echoLength)) continue;
        if (reply[0] == kAccepted) return Outcome::Ok;
        refused_ = true;
        break;  // refused: asking again would only be refused again
    }
    beep_.simple();
    return Outcome::Failed;
}

Outcome UnitProtocol::sendCommand(char letter) { return exchange(commandFrame(settings_.address, letter), kEchoPlain); }

Outcome UnitProtocol::writeHex(char letter, std::uint16_t value) {
    return exchange(writeHexFrame(settings_.address, letter, value), kEchoPlain);
}

Outcome UnitProtocol::writeHexIndexed(char letter, int index, std::uint16_t value) {
    return exchange(writeHexIndexedFrame(settings_.address, letter, index, value), kEchoIndexed);
}

Outcome UnitProtocol::writeDecimal(char letter, std::int16_t value) {
    return exchange(writeDecimalFrame(settings_.address, letter, value), kEchoDecimalValue);
}

Outcome UnitProtocol::writeDecimalIndexed(char letter, int index, std::int16_t value) {
    return exchange(writeDecimalIndexedFrame(settings_.address, letter, index, value), kEchoIndexed);
}

// A read: the exchange, then the value parsed from the reply. A malformed
// value fails without a beep and leaves the output untouched.
template <typename Value, typename Parser>
Outcome UnitProtocol::read(const std::string& request, std::size_t echoLength, std::size_t valuePosition, Parser parse,
                           Value& value) {
    if (failed(exchange(request, echoLength, kReadValueLength))) return Outcome::Failed;
    const std::optional<Value> parsed = parse(link_.reply(), valuePosition);
    if (!parsed) return Outcome::Failed;
    value = *parsed;
    return Outcome::Ok;
}

Outcome UnitProtocol::readHex(char letter, std::uint16_t& value) {
    return read(readFrame(settings_.address, letter), kEchoPlain, kValuePosition, parseHexField, value);
}

Outcome UnitProtocol::readHexIndexed(char letter, int index, std::uint16_t& value) {
    return read(readIndexedFrame(settings_.address, letter, index), kEchoIndexed, kIndexedValuePosition, parseHexField,
                value);
}

Outcome UnitProtocol::readDecimal(char letter, std::int16_t& value) {
    return read(readFrame(settings_.address, letter), kEchoPlain, kValuePosition, parseDecimalField, value);
}

Outcome UnitProtocol::readDecimalIndexed(char letter, int index, std::int16_t& value) {
    return read(readIndexedFrame(settings_.address, letter, index), kEchoIndexed, kIndexedValuePosition,
                parseDecimalField, value);
}

Outcome UnitProtocol::selectPage(int page) { return writeDecimal(kPageSelect, static_cast<std::int16_t>(page)); }

Outcome UnitProtocol::checkUnit(bool showMessage) {
    const Outcome probe = writeDecimal(kProbeItem, kProbeValue);
    if (failed(probe) && showMessage) showNoAnswer();
    return probe;
}

void UnitProtocol::showNoAnswer() {
    prompts_.show("Unable to communicate with ZAT\nCheck baud rate and address and try again", "Error",
                  MessageIcon::Exclamation, MessageButtons::Ok);
}

}  // namespace zat
