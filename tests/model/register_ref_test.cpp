#include "model/register_ref.h"
#include "support/recording_user_io.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zat {
namespace {

using Io = test::RecordingUserIo;

// The value, or nothing after the refusal was shown as a dialog shows it.
std::optional<uint16_t> shown(const FieldCheck<uint16_t>& check, Io& io) {
    if (check) return *check;
    showFieldMessage(check.message(), io.prompts, io.beep);
    return std::nullopt;
}

std::optional<uint16_t> parseField(std::string_view text, RegisterLetters letters, Io& io) {
    return shown(parseRegisterField(text, letters), io);
}

std::optional<uint16_t> parseDestination(std::string_view text, Io& io) {
    return shown(parseHotColdDestination(text), io);
}

// The field was rejected with one warning beep and then exactly one box.
void expectRejected(const std::optional<uint16_t>& result, const Io& io, std::string_view message,
                    std::string_view caption) {
    EXPECT_FALSE(result.has_value());
    ASSERT_EQ(io.beep.beeps, std::vector<std::string>{"exclamation"});
    ASSERT_EQ(io.prompts.shown.size(), 1u);
    const test::ShownMessage& box = io.prompts.shown[0];
    EXPECT_EQ(box.text, message);
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.beepsBefore, 1u);
}

void expectSilent(const Io& io) {
    EXPECT_TRUE(io.beep.beeps.empty());
    EXPECT_TRUE(io.prompts.shown.empty());
}

constexpr std::string_view kRefCaption = "I/O Reference Error";
constexpr std::string_view kDestCaption = "Analogue Destination Error";

TEST(RegisterRef, CodesFollowLetterAndNumberPlusOne) {
    EXPECT_EQ(RegisterRef::make('A', 0).code(), 0x01);
    EXPECT_EQ(RegisterRef::make('A', 39).code(), 0x28);
    EXPECT_EQ(RegisterRef::make('B', 0).code(), 0x41);
    EXPECT_EQ(RegisterRef::make('C', 5).code(), 0x86);
    EXPECT_EQ(RegisterRef::make('D', 55).code(), 0xF8);

    const RegisterRef d55(0xF8);
    EXPECT_EQ(d55.letter(), 'D');
    EXPECT_EQ(d55.number(), 55);
    EXPECT_FALSE(d55.isNone());
    EXPECT_TRUE(RegisterRef().isNone());
    EXPECT_TRUE(RegisterRef(0).isNone());
}

TEST(RegisterRef, MakeRefusesRegistersThatDoNotExist) {
    EXPECT_TRUE(RegisterRef::make('A', 40).isNone());
    EXPECT_TRUE(RegisterRef::make('C', 40).isNone());
    EXPECT_TRUE(RegisterRef::make('D', 56).isNone());
    EXPECT_TRUE(RegisterRef::make('D', -1).isNone());
    EXPECT_TRUE(RegisterRef::make('E', 1).isNone());
    EXPECT_TRUE(RegisterRef::make('a', 1).isNone());
    EXPECT_FALSE(RegisterRef::make('D', 40).isNone());
}

TEST(RegisterRef, OnlyTheLowByteOfAFieldCounts) {
    EXPECT_EQ(RegisterRef(0x1241).code(), 0x41);
    EXPECT_TRUE(RegisterRef(0x0100).isNone());
    EXPECT_EQ(formatRegisterField(0x1241), "B0");
    EXPECT_EQ(formatRegisterField(0xFF00), "");
    EXPECT_EQ(formatHotColdDestination(0x0147), "B7");
}

TEST(RegisterRef, ChannelLabelsHaveTwoDigits) {
    EXPECT_EQ(channelLabel('A', 5), "A05");
    EXPECT_EQ(channelLabel('B', 0), "B00");
    EXPECT_EQ(channelLabel('C', 39), "C39");
    EXPECT_EQ(channelLabel('D', 55), "D55");
}

TEST(RegisterRef, FamilySizes) {
    EXPECT_EQ(registerCount('A'), 40);
    EXPECT_EQ(registerCount('B'), 40);
    EXPECT_EQ(registerCount('C'), 40);
    EXPECT_EQ(registerCount('D'), 56);
    EXPECT_EQ(registerCount('E'), 0);
    EXPECT_TRUE(isValidRegister('D', 55));
    EXPECT_FALSE(isValidRegister('B', 40));
}

TEST(RegisterFormat, FieldAndShortForms) {
    EXPECT_EQ(formatRegisterField(0), "");
    EXPECT_EQ(formatRegisterShort(0), "");
    EXPECT_EQ(formatRegisterField(0x41), "B0");
    EXPECT_EQ(formatRegisterShort(0x41), "(B0)");
    EXPECT_EQ(formatRegisterField(0x06), "A5");
    EXPECT_EQ(formatRegisterField(0xF8), "D55");
    EXPECT_EQ(formatRegisterShort(0x86), "(C5)");
}

TEST(RegisterFormat, DecodesBytesNoRegisterHas) {
    // Number + 1 of 0 gives -1; 0x3F gives 62. Both come from the rule as is.
    EXPECT_EQ(formatRegisterField(0x40), "B-1");
    EXPECT_EQ(formatRegisterShort(0x40), "(B-1)");
    EXPECT_EQ(formatRegisterField(0xC0), "D-1");
    EXPECT_EQ(formatRegisterField(0x3F), "A62");
    EXPECT_EQ(formatRegisterField(0xFF), "D62");
    EXPECT_EQ(formatRegisterField(0x29), "A40");
    EXPECT_EQ(formatHotColdDestination(0xFF), "A63");
    EXPECT_EQ(formatHotColdDestination(0x3F), "B63");
    EXPECT_EQ(formatHotColdDestination(0x05), "B5");
    EXPECT_EQ(formatHotColdDestination(0xC5), "A5");

    for (uint32_t field = 0; field <= 0xFFFF; ++field) {
        const auto code = static_cast<uint16_t>(field);
        const bool none = (code & 0xFF) == 0;
        EXPECT_EQ(formatRegisterField(code).empty(), none);
        EXPECT_EQ(formatRegisterShort(code).empty(), none);
        EXPECT_EQ(formatHotColdDestination(code).empty(), none);
    }
}

TEST(RegisterParse, AcceptsEveryRegisterAndGivesItsCode) {
    Io io;
    EXPECT_EQ(parseField("A0", RegisterLetters::ABCD, io), 0x01);
    EXPECT_EQ(parseField("A00", RegisterLetters::ABCD, io), 0x01);
    EXPECT_EQ(parseField("A39", RegisterLetters::ABCD, io), 0x28);
    EXPECT_EQ(parseField("D55", RegisterLetters::ABCD, io), 0xF8);
    EXPECT_EQ(parseField("C39", RegisterLetters::ABCD, io), 0xA8);
    EXPECT_EQ(parseField("B7", RegisterLetters::AB, io), 0x48);
    EXPECT_EQ(parseField("D0", RegisterLetters::DOnly, io), 0xC1);
    EXPECT_EQ(parseField("C5", RegisterLetters::CD, io), 0x86);
    EXPECT_EQ(parseField("D09", RegisterLetters::CD, io), 0xCA);
    expectSilent(io);
}

TEST(RegisterParse, EmptyTextIsNoRegisterWithoutAMessage) {
    for (RegisterLetters letters :
         {RegisterLetters::AB, RegisterLetters::ABCD, RegisterLetters::DOnly, RegisterLetters::CD}) {
        Io io;
        EXPECT_EQ(parseField("", letters, io), 0);
        expectSilent(io);
    }
}

TEST(RegisterParse, OnlyTheFirstThreeCharactersAreRead) {
    Io io;
    EXPECT_EQ(parseField("A123", RegisterLetters::ABCD, io), RegisterRef::make('A', 12).code());
    EXPECT_EQ(parseField("D55X", RegisterLetters::DOnly, io), 0xF8);
    expectSilent(io);
}

TEST(RegisterParse, FirstCharacterMessageNamesThePermittedLetters) {
    struct Case {
        RegisterLetters letters;
        std::string_view text;
        std::string_view message;
    };
    const Case cases[] = {
        {RegisterLetters::AB, "C5", "\nFirst character must be A or B"},
        {RegisterLetters::AB, "D5", "\nFirst character must be A or B"},
        {RegisterLetters::ABCD, "E1", "\nFirst character must be A,B,C or D"},
        {RegisterLetters::ABCD, "a1", "\nFirst character must be A,B,C or D"},
        {RegisterLetters::DOnly, "A5", "\nFirst character must be D"},
        {RegisterLetters::DOnly, "C5", "\nFirst character must be D"},
        {RegisterLetters::CD, "A5", "\nFirst character must be C or D"},
        {RegisterLetters::CD, "B5", "\nFirst character must be C or D"},
        // The letter is checked before the digits.
        {RegisterLetters::CD, "5", "\nFirst character must be C or D"},
        {RegisterLetters::AB, " A5", "\nFirst character must be A or B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        Io io;
        expectRejected(parseField(c.text, c.letters, io), io, c.message, kRefCaption);
    }
}

TEST(RegisterParse, NonDigitsAreRefused) {
    for (std::string_view text : {"A", "AX", "A1X", "AX1", "A-1", "A 1", "D5 "}) {
        SCOPED_TRACE(std::string(text));
        Io io;
        expectRejected(parseField(text, RegisterLetters::ABCD, io), io, "\n\nNon numeric digit found", kRefCaption);
    }
}

TEST(RegisterParse, NumbersBeyondTheFamilyAreIllegal) {
    struct Case {
        RegisterLetters letters;
        std::string_view text;
    };
    const Case cases[] = {
        {RegisterLetters::ABCD, "A40"}, {RegisterLetters::AB, "B40"},    {RegisterLetters::ABCD, "C40"},
        {RegisterLetters::ABCD, "D56"}, {RegisterLetters::DOnly, "D99"}, {RegisterLetters::CD, "C55"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        Io io;
        expectRejected(parseField(c.text, c.letters, io), io, "\nIllegal channel number", kRefCaption);
    }
}

TEST(RegisterParse, EveryCodeComesBackThroughItsText) {
    int checked = 0;
    for (char letter : {'A', 'B', 'C', 'D'}) {
        for (int number = 0; number < registerCount(letter); ++number) {
            const uint16_t code = RegisterRef::make(letter, number).code();
            Io io;
            EXPECT_EQ(parseField(formatRegisterField(code), RegisterLetters::ABCD, io), code);
            EXPECT_EQ(parseField(channelLabel(letter, number), RegisterLetters::ABCD, io), code);
            const std::string text = formatRegisterField(code);
            if (letter == 'A' || letter == 'B') {
                EXPECT_EQ(parseField(text, RegisterLetters::AB, io), code);
            } else {
                EXPECT_EQ(parseField(text, RegisterLetters::CD, io), code);
            }
            if (letter == 'D') {
                EXPECT_EQ(parseField(text, RegisterLetters::DOnly, io), code);
            }
            expectSilent(io);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 176);
}

TEST(HotColdDestination, CodesHaveNoPlusOne) {
    EXPECT_EQ(HotColdDestination::make('A', 0).code(), 0x80);
    EXPECT_EQ(HotColdDestination::make('A', 39).code(), 0xA7);
    EXPECT_EQ(HotColdDestination::make('B', 7).code(), 0x47);
    EXPECT_TRUE(HotColdDestination::make('A', 40).isNone());
    EXPECT_TRUE(HotColdDestination::make('C', 1).isNone());

    const HotColdDestination b7(0x47);
    EXPECT_EQ(b7.letter(), 'B');
    EXPECT_EQ(b7.number(), 7);
}

TEST(HotColdDestination, ParsesAndShowsAgain) {
    Io io;
    EXPECT_EQ(parseDestination("B7", io), 0x47);
    EXPECT_EQ(formatHotColdDestination(0x47), "B7");
    EXPECT_EQ(parseDestination("A39", io), 0xA7);
    EXPECT_EQ(formatHotColdDestination(0xA7), "A39");
    EXPECT_EQ(parseDestination("A00", io), 0x80);
    EXPECT_EQ(parseDestination("B391", io), 0x40 + 39);
    EXPECT_EQ(parseDestination("", io), 0);
    EXPECT_EQ(formatHotColdDestination(0), "");
    expectSilent(io);
}

TEST(HotColdDestination, RefusedEntries) {
    struct Case {
        std::string_view text;
        std::string_view message;
    };
    const Case cases[] = {
        {"C5", "\nFirst character must be A or B"},
        {"D1", "\nFirst character must be A or B"},
        {"A", "\n\nNon numeric digit found"},
        {"BX", "\n\nNon numeric digit found"},
        {"A1X", "\n\nNon numeric digit found"},
        {"A40", "\nIllegal analogue destination channel number"},
        {"B99", "\nIllegal analogue destination channel number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        Io io;
        expectRejected(parseDestination(c.text, io), io, c.message, kDestCaption);
    }
}

TEST(HotColdDestination, EveryCodeComesBackThroughItsText) {
    for (char letter : {'A', 'B'}) {
        for (int number = 0; number < 40; ++number) {
            const uint16_t code = HotColdDestination::make(letter, number).code();
            Io io;
            EXPECT_EQ(parseDestination(formatHotColdDestination(code), io), code);
            EXPECT_EQ(parseDestination(channelLabel(letter, number), io), code);
            expectSilent(io);
        }
    }
}

}  // namespace
}  // namespace zat
