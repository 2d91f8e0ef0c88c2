#include "comms/device_name.h"
#include "comms/telnet_codec.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

TEST(TelnetCodec, EscapesTheCommandByteInData) { EXPECT_EQ(TelnetCodec::escape("W01\xFF\r"), "W01\xFF\xFF\r"); }

TEST(TelnetCodec, AsksForTheUnitsRateAndCharacterFormat) {
    EXPECT_EQ(TelnetCodec::portSettingsRequest(9600),
              bytes({255, 251, 44,                                   // WILL COM-PORT-OPTION
                     255, 250, 44, 1, 0, 0,   0x25, 0x80, 255, 240,  // baud rate 9600
                     255, 250, 44, 2, 7, 255, 240,                   // 7 data bits
                     255, 250, 44, 3, 2, 255, 240,                   // odd parity
                     255, 250, 44, 4, 1, 255, 240}));                // one stop bit
}

// Each piece of the server's stream: the unit's characters it carries and
// the answers it draws. The codec keeps its state from row to row.
TEST(TelnetCodec, TakesDataAndAnswersEachRequestOnce) {
    struct Row {
        std::string in;
        std::string data;
        std::string answers;
    };
    const Row rows[] = {
        {"*01?0042\r", "*01?0042\r", ""},
        {bytes({'A', 255, 255, 'B'}),
         "A\xFF"
         "B",
         ""},
        {bytes({255, 253, 0}), "", bytes({255, 251, 0})},                            // DO BINARY: WILL
        {bytes({255, 253, 0}), "", ""},                                              // asked again: in force already
        {bytes({255, 253, 1}), "", bytes({255, 252, 1})},                            // DO ECHO: WONT
        {bytes({255, 251, 1, 255, 251, 3}), "", bytes({255, 254, 1, 255, 253, 3})},  // WILL ECHO, SGA
        {bytes({255, 251, 3}), "", ""},
        {bytes({255, 252, 3}), "", bytes({255, 254, 3})},  // SGA withdrawn: confirmed
        {bytes({255, 241, 'x', 255}), "x", ""},            // NOP, a command split across pieces
        {bytes({249, 'y'}), "y", ""},                      // ... ending in GA
        {bytes({255, 250, 24, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 255, 240, 'z'}), "z", ""},
    };
    TelnetCodec codec;
    for (const Row& row : rows) {
        std::string data;
        codec.feed(row.in, data);
        EXPECT_EQ(data, row.data);
        EXPECT_EQ(codec.takeAnswers(), row.answers);
    }
    EXPECT_FALSE(codec.confirmed().baudRate);
}

TEST(TelnetCodec, KeepsTheServersConfirmationsInWhateverPiecesTheyCome) {
    TelnetCodec codec;
    const std::string answer =
        bytes({255, 253, 44, 255, 250, 44,  101, 0,   0,   0x4B, 0x00, 255, 240,  // 19200
               255, 250, 44, 102, 7,   255, 240, 255, 250, 44,   103,  2,   255, 240, 255, 250, 44, 104, 1, 255, 240});
    std::string data;
    for (char c : answer) codec.feed(std::string(1, c), data);
    EXPECT_TRUE(data.empty());
    EXPECT_TRUE(codec.takeAnswers().empty());  // DO COM-PORT-OPTION answers our WILL
    ASSERT_TRUE(codec.confirmed().complete());
    EXPECT_EQ(*codec.confirmed().baudRate, 19200u);
    EXPECT_EQ(*codec.confirmed().dataSize, 7u);
    EXPECT_EQ(*codec.confirmed().parity, 2u);
    EXPECT_EQ(*codec.confirmed().stopSize, 1u);
    EXPECT_FALSE(codec.comPortRefused());
    codec.feed(bytes({255, 254, 44}), data);
    EXPECT_TRUE(codec.comPortRefused());
}

TEST(DeviceName, APathOrAServersAddress) {
    struct Case {
        std::string device;
        std::optional<DeviceKind> kind;  // none: refused
        std::string host, port;
    };
    const Case cases[] = {
        {"/dev/ttyUSB0", DeviceKind::Terminal, "", ""},
        {"rfc2217://10.0.0.7:4001", DeviceKind::Rfc2217, "10.0.0.7", "4001"},
        {"tcp://gateway.plant:2001", DeviceKind::RawTcp, "gateway.plant", "2001"},
        {"tcp://[::1]:2001", DeviceKind::RawTcp, "::1", "2001"},
        {"rfc2217://10.0.0.7", std::nullopt, "", ""},
        {"rfc2217://:4001", std::nullopt, "", ""},
        {"tcp://host:0", std::nullopt, "", ""},
        {"tcp://host:65536", std::nullopt, "", ""},
        {"tcp://host:20x1", std::nullopt, "", ""},
        {"telnet://host:23", std::nullopt, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device);
        const auto name = readDeviceName(c.device);
        ASSERT_EQ(name.has_value(), c.kind.has_value());
        if (!name) continue;
        EXPECT_EQ(name->kind, *c.kind);
        EXPECT_EQ(name->host, c.host);
        EXPECT_EQ(name->port, c.port);
    }
}

}  // namespace
}  // namespace zat
