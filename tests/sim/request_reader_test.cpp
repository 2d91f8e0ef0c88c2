// Cutting line bytes into requests, and the log's text form of them.
#include "sim/exchange_log.h"
#include "sim/request_reader.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace zat::sim {
namespace {

std::vector<std::string> texts(const std::vector<ArrivedRequest>& requests) {
    std::vector<std::string> out;
    for (const ArrivedRequest& request : requests) out.push_back(request.text);
    return out;
}

TEST(RequestReader, CarriageReturnEndsEachRequest) {
    RequestReader reader;
    std::vector<ArrivedRequest> out;
    reader.feed("S01I\rR01A", 100, out);
    reader.feed("07\r", 250, out);
    EXPECT_EQ(texts(out), (std::vector<std::string>{"S01I", "R01A07"}));
    EXPECT_EQ(out[0].firstByte, 100);
    EXPECT_EQ(out[1].firstByte, 100);  // its first byte came with the first chunk
}

TEST(RequestReader, ParityBitIsDroppedAndNoiseBeforeAKindSkipped) {
    RequestReader reader;
    std::vector<ArrivedRequest> out;
    const std::string withParity = {'\xD3', '0', '\xB1', 'I', '\x8D'};  // "S01I\r", some with bit 7 set
    reader.feed("\r\n\x01zz" + withParity, 7, out);
    EXPECT_EQ(texts(out), std::vector<std::string>{"S01I"});
}

TEST(RequestReader, OverlongRequestIsDroppedUpToItsCarriageReturn) {
    RequestReader reader;
    std::vector<ArrivedRequest> out;
    const std::string longest = "W" + std::string(RequestReader::kMaxLength - 1, '0');
    reader.feed(longest + "\r", 1, out);
    reader.feed(longest + "0S01I\rS01I\r", 2, out);
    EXPECT_EQ(texts(out), (std::vector<std::string>{longest, "S01I"}));
}

TEST(ExchangeLog, ControlCharactersAreShownAsHex) {
    std::ostringstream log;
    writeExchange(log, Exchange{"R01\x7F"
                                "05",
                                std::string("*01\x7F"
                                            "050001"),
                                Fault::None});
    writeExchange(log, Exchange{"S02I", std::nullopt, Fault::None});
    EXPECT_EQ(log.str(), "> R01\\x7F05\n< *01\\x7F050001\n> S02I\n< (none)\n");
}

}  // namespace
}  // namespace zat::sim
