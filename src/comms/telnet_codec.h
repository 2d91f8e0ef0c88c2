// Telnet (RFC 854) as far as a client of a serial server needs it, with the
// COM-PORT-OPTION of RFC 2217 that sets the server's serial port: the unit's
// characters escaped on the way out and freed of commands on the way in, the
// server's option requests answered (each once per change of state, so no
// negotiation can loop), and the server's confirmations of the port settings
// kept. Pure: bytes in, bytes out.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zat {

namespace telnet {
inline constexpr unsigned char kIac = 255;
inline constexpr unsigned char kDont = 254;
inline constexpr unsigned char kDo = 253;
inline constexpr unsigned char kWont = 252;
inline constexpr unsigned char kWill = 251;
inline constexpr unsigned char kSb = 250;
inline constexpr unsigned char kSe = 240;
inline constexpr unsigned char kBinary = 0;
inline constexpr unsigned char kSuppressGoAhead = 3;
inline constexpr unsigned char kComPortOption = 44;
// COM-PORT-OPTION commands as the client sends them; the server answers
// each with the same number plus kServerAnswer.
inline constexpr unsigned char kSetBaudRate = 1;
inline constexpr unsigned char kSetDataSize = 2;
inline constexpr unsigned char kSetParity = 3;
inline constexpr unsigned char kSetStopSize = 4;
inline constexpr unsigned char kServerAnswer = 100;
inline constexpr unsigned char kParityOdd = 2;
inline constexpr unsigned char kOneStopBit = 1;
}  // namespace telnet

// The unit's character format: 7 data bits, odd parity, 1 stop bit.
inline constexpr unsigned char kUnitDataBits = 7;

// The port settings as the server confirmed them; empty until it has.
struct ComPortSettings {
    std::optional<std::uint32_t> baudRate;
    std::optional<unsigned> dataSize;
    std::optional<unsigned> parity;
    std::optional<unsigned> stopSize;

    bool complete() const { return baudRate && dataSize && parity && stopSize; }
};

class TelnetCodec {
public:
    // Data with every IAC doubled.
    static std::string escape(std::string_view data);
    // What the client sends first: that it will use the COM-PORT-OPTION, and
    // the unit's baud rate and character format.
    static std::string portSettingsRequest(std::uint32_t baudRate);

    // Takes the next bytes from the server in whatever pieces they come;
    // appends the unit's characters to `data`.
    void feed(std::string_view bytes, std::string& data);
    // The answers to the server's requests since the last call, to be sent.
    std::string takeAnswers();

    const ComPortSettings& confirmed() const { return confirmed_; }
    // The server said it will not take the COM-PORT-OPTION.
    bool comPortRefused() const { return comPortRefused_; }

private:
    enum class State { Data, Iac, Option, Sub, SubIac };
    void negotiate(unsigned char verb, unsigned char option);
    // Options we use when the server asks, and that we let the server use.
    static bool weTakeUp(unsigned char option);
    static bool theyMayUse(unsigned char option);
    void subnegotiationEnded();

    // Options in force on our side (what we will do) and on the server's.
    std::array<bool, 256> ours_{};
    std::array<bool, 256> theirs_{};
    State state_ = State::Data;
    unsigned char verb_ = 0;
    std::string sub_;
    std::string answers_;
    ComPortSettings confirmed_;
    bool comPortRefused_ = false;
};

}  // namespace zat
