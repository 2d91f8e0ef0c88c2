#include "comms/telnet_codec.h"

#include <utility>

namespace zat {

using namespace telnet;

namespace {

// A subnegotiation longer than any COM-PORT-OPTION answer is cut short; the
// rest of it is skipped up to its end.
constexpr std::size_t kLongestSubnegotiation = 16;

std::string command(unsigned char verb, unsigned char option) {
    return std::string{static_cast<char>(kIac), static_cast<char>(verb), static_cast<char>(option)};
}

std::string comPortCommand(unsigned char what, std::string_view value) {
    std::string out = command(kSb, kComPortOption);
    out += static_cast<char>(what);
    out += TelnetCodec::escape(value);
    out += static_cast<char>(kIac);
    out += static_cast<char>(kSe);
    return out;
}

std::string oneByte(unsigned char value) { return std::string(1, static_cast<char>(value)); }

}  // namespace

std::string TelnetCodec::escape(std::string_view data) {
    std::string out;
    out.reserve(data.size());
    for (char c : data) {
        out += c;
        if (static_cast<unsigned char>(c) == kIac) out += c;
    }
    return out;
}

std::string TelnetCodec::portSettingsRequest(std::uint32_t baudRate) {
    const std::string baud{static_cast<char>(baudRate >> 24), static_cast<char>(baudRate >> 16),
                           static_cast<char>(baudRate >> 8), static_cast<char>(baudRate)};
    return command(kWill, kComPortOption) + comPortCommand(kSetBaudRate, baud) +
           comPortCommand(kSetDataSize, oneByte(kUnitDataBits)) + comPortCommand(kSetParity, oneByte(kParityOdd)) +
           comPortCommand(kSetStopSize, oneByte(kOneStopBit));
}

void TelnetCodec::feed(std::string_view bytes, std::string& data) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (state_) {
            case State::Data:
                if (byte == kIac) {
                    state_ = State::Iac;
                } else {
                    data += c;
                }
                break;
            case State::Iac:
                if (byte == kIac) {
                    data += c;
                    state_ = State::Data;
                } else if (byte >= kWill && byte <= kDont) {
                    verb_ = byte;
                    state_ = State::Option;
                } else if (byte == kSb) {
                    sub_.clear();
                    state_ = State::Sub;
                } else {
                    state_ = State::Data;  // a command without option (NOP, GA, ...): nothing to do
                }
                break;
            case State::Option:
                negotiate(verb_, byte);
                state_ = State::Data;
                break;
            case State::Sub:
                if (byte == kIac) {
                    state_ = State::SubIac;
                } else if (sub_.size() < kLongestSubnegotiation) {
                    sub_ += c;
                }
                break;
            case State::SubIac:
                if (byte == kSe) {
                    subnegotiationEnded();
                    state_ = State::Data;
                } else {
                    // IAC IAC is an escaped 255 inside; anything else is out of
                    // place and taken as the end.
                    if (byte == kIac && sub_.size() < kLongestSubnegotiation) sub_ += c;
                    state_ = byte == kIac ? State::Sub : State::Data;
                }
                break;
        }
    }
}

// Each request is answered only when it would change what is in force, and
// a request that confirms what we asked for is not answered at all.
void TelnetCodec::negotiate(unsigned char verb, unsigned char option) {
    switch (verb) {
        case kDo:  // the server wants us to use the option
            if (ours_[option]) return;
            if (option == kComPortOption) {
                ours_[option] = true;  // confirms our WILL, sent first
                return;
            }
            ours_[option] = weTakeUp(option);
            answers_ += command(ours_[option] ? kWill : kWont, option);
            return;
        case kDont:
            if (option == kComPortOption) comPortRefused_ = true;
            if (!ours_[option]) return;
            ours_[option] = false;
            answers_ += command(kWont, option);
            return;
        case kWill:  // the server offers to use the option
            if (theirs_[option]) return;
            theirs_[option] = theyMayUse(option);
            answers_ += command(theirs_[option] ? kDo : kDont, option);
            return;
        case kWont:
            if (!theirs_[option]) return;
            theirs_[option] = false;
            answers_ += command(kDont, option);
            return;
        default:
            return;
    }
}

// Binary transmission keeps a carriage return from being sent as CR NUL;
// without go-ahead suppression the server would wait for our turn.
bool TelnetCodec::weTakeUp(unsigned char option) { return option == kBinary; }

bool TelnetCodec::theyMayUse(unsigned char option) { return option == kBinary || option == kSuppressGoAhead; }

void TelnetCodec::subnegotiationEnded() {
    if (sub_.size() < 3 || static_cast<unsigned char>(sub_[0]) != kComPortOption) return;
    const auto what = static_cast<unsigned char>(sub_[1]);
    const std::string_view value = std::string_view(sub_).substr(2);
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(value[i]); };
    if (what == kServerAnswer + kSetBaudRate && value.size() == 4) {
        confirmed_.baudRate = static_cast<std::uint32_t>(at(0)) << 24 | static_cast<std::uint32_t>(at(1)) << 16 |
                              static_cast<std::uint32_t>(at(2)) << 8 | at(3);
    } else if (what == kServerAnswer + kSetDataSize) {
        confirmed_.dataSize = at(0);
    } else if (what == kServerAnswer + kSetParity) {
        confirmed_.parity = at(0);
    } else if (what == kServerAnswer + kSetStopSize) {
        confirmed_.stopSize = at(0);
    }
}

std::string TelnetCodec::takeAnswers() { return std::exchange(answers_, {}); }

}  // namespace zat
