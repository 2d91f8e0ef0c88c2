#include "comms/frames.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

TEST(RequestFrames, EveryFormAsTheUnitExpectsIt) {
    EXPECT_EQ(commandFrame(1, 'I'), "S01I\r");
    EXPECT_EQ(writeHexFrame(1, 'i', 0x0012), "W01i0012\r");
    EXPECT_EQ(writeHexIndexedFrame(1, 'a', 5, 10), "W01a05000A\r");
    EXPECT_EQ(writeHexIndexedFrame(1, 'p', 89, 0xFFFF), "W01p89FFFF\r");
    EXPECT_EQ(writeDecimalFrame(1, 'N', 3), "W01N0003\r");
    EXPECT_EQ(writeDecimalFrame(1, 'N', -25), "W01N-0025\r");
    EXPECT_EQ(writeDecimalFrame(1, 'N', 12345), "W01N12345\r");
    EXPECT_EQ(writeDecimalIndexedFrame(1, 'J', 2, 150), "W01J020150\r");
    EXPECT_EQ(writeDecimalIndexedFrame(1, 'J', 2, -7), "W01J02-0007\r");
    EXPECT_EQ(writeDecimalIndexedFrame(1, 'B', 4, -5), "W01B04-0005\r");
    EXPECT_EQ(readFrame(1, 'U'), "R01U\r");
    EXPECT_EQ(readIndexedFrame(7, 'a', 3), "R07a03\r");
    EXPECT_EQ(writeDecimalFrame(1, '?', 42), "W01?0042\r");
    EXPECT_EQ(writeDecimalFrame(1, ']', 1), "W01]0001\r");
}

TEST(RequestFrames, ExtremeValuesKeepTheirForm) {
    EXPECT_EQ(writeDecimalFrame(99, 'N', -32768), "W99N-32768\r");
    EXPECT_EQ(writeDecimalFrame(99, 'N', 32767), "W99N32767\r");
    EXPECT_EQ(writeHexIndexedFrame(1, '\x7f', 0, 0), std::string("W01\x7f") + "000000\r");
}

TEST(EchoTest, ComparesOnlyTheNamedCharacters) {
    EXPECT_TRUE(echoMatches("R07a03\r", "*07a03001F", kEchoIndexed));
    EXPECT_TRUE(echoMatches("R07a03\r", "?07a03", kEchoIndexed));  // refusal still echoes
    EXPECT_FALSE(echoMatches("R07a03\r", "*07b03001F", kEchoIndexed));
    EXPECT_FALSE(echoMatches("R07a03\r", "*07a04001F", kEchoIndexed));
    EXPECT_FALSE(echoMatches("R07a03\r", "*08a03001F", kEchoIndexed));
    // Decimal W without index: address, letter and the value's first four characters.
    EXPECT_TRUE(echoMatches("W01N12345\r", "*01N1234", kEchoDecimalValue));
    EXPECT_FALSE(echoMatches("W01N12345\r", "*01N1235", kEchoDecimalValue));
    EXPECT_TRUE(echoMatches("W01N-0025\r", "*01N-002", kEchoDecimalValue));
    // Plain forms ignore what follows the letter.
    EXPECT_TRUE(echoMatches("W01i0012\r", "*01i9999", kEchoPlain));
}

TEST(EchoTest, ShortOrEmptyRepliesNeverMatch) {
    EXPECT_FALSE(echoMatches("R07a03\r", "", kEchoIndexed));
    EXPECT_FALSE(echoMatches("R07a03\r", "*07a0", kEchoIndexed));
    EXPECT_TRUE(echoMatches("R07a03\r", "*07a03", kEchoIndexed));
    EXPECT_FALSE(echoMatches("S01I\r", "*01", kEchoPlain));
}

TEST(HexField, FourUpperCaseDigits) {
    EXPECT_EQ(parseHexField("*07a03001F", kIndexedValuePosition), 31);
    EXPECT_EQ(parseHexField("*01i0012", kValuePosition), 0x12);
    EXPECT_EQ(parseHexField("*01a05FFFF", kIndexedValuePosition), 0xFFFF);
    EXPECT_EQ(parseHexField("*01a05ABCDextra", kIndexedValuePosition), 0xABCD);
}

TEST(HexField, AnythingElseIsNoValue) {
    EXPECT_EQ(parseHexField("*07a03001f", kIndexedValuePosition), std::nullopt);  // lower case
    EXPECT_EQ(parseHexField("*07a03001", kIndexedValuePosition), std::nullopt);   // too short
    EXPECT_EQ(parseHexField("*07a03", kIndexedValuePosition), std::nullopt);
    EXPECT_EQ(parseHexField("*07a03 01F", kIndexedValuePosition), std::nullopt);
    EXPECT_EQ(parseHexField("*07a0300G1", kIndexedValuePosition), std::nullopt);
    EXPECT_EQ(parseHexField("", kIndexedValuePosition), std::nullopt);
}

TEST(DecimalField, TheAcceptedForms) {
    EXPECT_EQ(parseDecimalField("*01A07-0123", kIndexedValuePosition), -123);
    EXPECT_EQ(parseDecimalField("*01A070123", kIndexedValuePosition), 123);
    EXPECT_EQ(parseDecimalField("*01A0712345", kIndexedValuePosition), 12345);
    EXPECT_EQ(parseDecimalField("*01U-0001", kValuePosition), -1);
    EXPECT_EQ(parseDecimalField("*01U0000", kValuePosition), 0);
    // Beyond the fifth field position nothing counts.
    EXPECT_EQ(parseDecimalField("*01A07123456", kIndexedValuePosition), 12345);
    EXPECT_EQ(parseDecimalField("*01A07-01234", kIndexedValuePosition), -123);
    EXPECT_EQ(parseDecimalField("*01A07-0123junk", kIndexedValuePosition), -123);
}

TEST(DecimalField, TheRejectedForms) {
    EXPECT_EQ(parseDecimalField("*01A07123", kIndexedValuePosition), std::nullopt);
    EXPECT_EQ(parseDecimalField("*01A0712a4", kIndexedValuePosition), std::nullopt);
    EXPECT_EQ(parseDecimalField("*01A07-123", kIndexedValuePosition), std::nullopt);
    EXPECT_EQ(parseDecimalField("*01A07", kIndexedValuePosition), std::nullopt);
    EXPECT_EQ(parseDecimalField("*01A07-", kIndexedValuePosition), std::nullopt);
    EXPECT_EQ(parseDecimalField("*01A070123X", kIndexedValuePosition), std::nullopt);
    EXPECT_EQ(parseDecimalField("*01A07+0123", kIndexedValuePosition), std::nullopt);
    EXPECT_EQ(parseDecimalField("*01A", kIndexedValuePosition), std::nullopt);
}

TEST(DecimalField, FiveDigitsAreKeptAsTheUnitsSixteenBitWord) {
    EXPECT_EQ(parseDecimalField("*01A0732767", kIndexedValuePosition), 32767);
    EXPECT_EQ(parseDecimalField("*01A0732768", kIndexedValuePosition), -32768);
    EXPECT_EQ(parseDecimalField("*01A0799999", kIndexedValuePosition), static_cast<std::int16_t>(99999 & 0xFFFF));
}

}  // namespace
}  // namespace zat
