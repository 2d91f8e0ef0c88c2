#include "model/cp1252.h"

#include <gtest/gtest.h>
#include <string>

namespace zat {
namespace {

std::string bytes(std::initializer_list<unsigned char> values) {
    std::string s;
    for (unsigned char v : values) s += static_cast<char>(v);
    return s;
}

TEST(Cp1252, EveryByteComesBackUnchanged) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string utf8 = cp1252ToUtf8(one);
        EXPECT_EQ(utf8ToCp1252(utf8), one) << "byte " << b;
        // ASCII stays one byte; everything above it is a multi-byte character.
        EXPECT_EQ(utf8.size() == 1, b < 0x80) << "byte " << b;
        all += one;
    }
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Cp1252, ToUtf8) {
    EXPECT_EQ(cp1252ToUtf8("Pump 3 inlet"), "Pump 3 inlet");
    EXPECT_EQ(cp1252ToUtf8(bytes({0x80})), "\u20AC");
    EXPECT_EQ(cp1252ToUtf8(bytes({0x85})), "\u2026");
    EXPECT_EQ(cp1252ToUtf8(bytes({0x8C, 0x9C})), "\u0152\u0153");
    EXPECT_EQ(cp1252ToUtf8(bytes({0x93, 0x94})), "\u201C\u201D");
    EXPECT_EQ(cp1252ToUtf8(bytes({0x99})), "\u2122");
    EXPECT_EQ(cp1252ToUtf8(bytes({0x9F})), "\u0178");
    EXPECT_EQ(cp1252ToUtf8(bytes({0xB0, 'C'})), "\u00B0C");
    EXPECT_EQ(cp1252ToUtf8(bytes({0xE9, 0xFF})), "\u00E9\u00FF");
    EXPECT_EQ(cp1252ToUtf8(bytes({0xA0})), bytes({0xC2, 0xA0}));
    // The unassigned bytes become the C1 controls of the same value.
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(cp1252ToUtf8(bytes({b})), bytes({0xC2, b}));
    EXPECT_EQ(cp1252ToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp1252, FromUtf8) {
    EXPECT_EQ(utf8ToCp1252("Gr\u00FC\u00DFe \u20AC5"), bytes({'G', 'r', 0xFC, 0xDF, 'e', ' ', 0x80, '5'}));
    EXPECT_EQ(utf8ToCp1252("\u2018x\u2019 \u2013 \u2014"), bytes({0x91, 'x', 0x92, ' ', 0x96, ' ', 0x97}));
    EXPECT_EQ(utf8ToCp1252("\u017D\u017E\u0160\u0161\u0192\u02C6\u02DC"),
              bytes({0x8E, 0x9E, 0x8A, 0x9A, 0x83, 0x88, 0x98}));
    EXPECT_EQ(utf8ToCp1252(""), "");
}

TEST(Cp1252, CharactersWithoutAByteBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToCp1252("\u03A9 = 5"), "? = 5");
    EXPECT_EQ(utf8ToCp1252("\u4E2D\u6587"), "??");
    EXPECT_EQ(utf8ToCp1252("ok \U0001F600!"), "ok ?!");
    EXPECT_EQ(utf8ToCp1252("\u0100"), "?");
    EXPECT_EQ(utf8ToCp1252("\u20AD"), "?");
    // C1 controls that Windows-1252 uses for printable characters.
    EXPECT_EQ(utf8ToCp1252(bytes({0xC2, 0x80})), "?");
    EXPECT_EQ(utf8ToCp1252(bytes({0xC2, 0x9F})), "?");
}

TEST(Cp1252, MalformedUtf8BecomesOneQuestionMarkPerBadSequence) {
    struct Case {
        std::string input;
        std::string expected;
    };
    const Case cases[] = {
        {bytes({0x80}), "?"},                     // continuation without a lead
        {bytes({'a', 0xBF, 0xBF, 'b'}), "a??b"},  // two of them
        {bytes({0xFF}), "?"},                     // never a lead byte
        {bytes({0xF8, 0x88, 0x80, 0x80, 0x80}), "?????"},
        {bytes({0xC3}), "?"},        // cut off at the end
        {bytes({0xC3, 'A'}), "?A"},  // cut off by an ASCII byte
        {bytes({0xE2, 0x82}), "?"},
        {bytes({0xE2, 0x82, 'x'}), "?x"},
        {bytes({0xF0, 0x9F, 0x98}), "?"},
        {bytes({0xE2, 0x82, 0xC3, 0xA9}), bytes({'?', 0xE9})},  // new lead ends the old
        {bytes({0xC0, 0x80}), "?"},                             // overlong NUL
        {bytes({0xC1, 0xBF}), "?"},
        {bytes({0xE0, 0x80, 0xAF}), "?"},
        {bytes({0xF0, 0x80, 0x80, 0xAF}), "?"},
        {bytes({0xED, 0xA0, 0x80}), "?"},  // surrogate
        {bytes({0xED, 0xBF, 0xBF}), "?"},
        {bytes({0xF4, 0x90, 0x80, 0x80}), "?"},  // past U+10FFFF
        {bytes({0xF7, 0xBF, 0xBF, 0xBF}), "?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.input));
        EXPECT_EQ(utf8ToCp1252(c.input), c.expected);
    }
    // The largest valid forms of each length still decode.
    EXPECT_EQ(utf8ToCp1252(bytes({0xED, 0x9F, 0xBF, 0xEE, 0x80, 0x80})), "??");
    EXPECT_EQ(utf8ToCp1252(bytes({0xC3, 0xBF})), bytes({0xFF}));
}

}  // namespace
}  // namespace zat
