#include "model/profile_document.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <malloc.h>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace zat {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

const std::string kProfileData = std::string(ZAT_TEST_DATA_DIR) + "/profile";

std::string dataFile(const std::string& name) {
    const std::string path = kProfileData + "/" + name;
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    return test::readFile(path);
}

std::string afterWrite(std::string_view input, std::string_view section, std::string_view key, std::string_view value) {
    ProfileDocument doc = ProfileDocument::parse(input);
    doc.write(section, key, value);
    return doc.serialize();
}

// --- Reading -----------------------------------------------------------------

TEST(ProfileRead, MatchesNamesWithoutRegardToAsciiCase) {
    const auto doc = ProfileDocument::parse("[Comms]\r\nBaudRate=9600\r\n");
    EXPECT_EQ(doc.value("Comms", "BaudRate"), "9600");
    EXPECT_EQ(doc.value("comms", "baudrate"), "9600");
    EXPECT_EQ(doc.value("COMMS", "BAUDRATE"), "9600");
    EXPECT_EQ(doc.value("cOmMs", "bAuDrAtE"), "9600");
    EXPECT_TRUE(doc.hasSection("COMMS"));
    EXPECT_FALSE(doc.value("Comm", "BaudRate"));
    EXPECT_FALSE(doc.value("Comms", "BaudRat"));
    EXPECT_FALSE(doc.value("Comms", "BaudRatee"));
}

TEST(ProfileRead, FoldsOnlyAsciiLetters) {
    // 0xC4 and 0xE4 are A-umlaut and a-umlaut in the single-byte code page,
    // '@' and '`' sit next to the letters; none of them fold.
    const auto doc = ProfileDocument::parse("[\xC4]\r\nk=1\r\n[@]\r\nk=2\r\n");
    EXPECT_TRUE(doc.value("\xC4", "k"));
    EXPECT_FALSE(doc.value("\xE4", "k"));
    EXPECT_TRUE(doc.value("@", "K"));
    EXPECT_FALSE(doc.value("`", "k"));
}

TEST(ProfileRead, IgnoresBlanksAroundNamesAndValues) {
    const auto doc = ProfileDocument::parse("  [ \tComms  ]  anything here\r\n \t Port \t=\t 4 \t\r\nEmpty=  \r\n");
    EXPECT_EQ(doc.value("Comms", "Port"), "4");
    EXPECT_EQ(doc.value(" Comms\t", "\tPort "), "4");
    EXPECT_EQ(doc.value("Comms", "Empty"), "");
}

TEST(ProfileRead, KeepsBlanksAndEqualsSignsInsideValues) {
    const auto doc = ProfileDocument::parse("[S]\r\nComment = Boiler  room = hot \r\nKey With Blanks=1\r\n");
    EXPECT_EQ(doc.value("S", "Comment"), "Boiler  room = hot");
    EXPECT_EQ(doc.value("S", "key with blanks"), "1");
    EXPECT_FALSE(doc.value("S", "Key"));
}

TEST(ProfileRead, FirstOfDuplicateSectionsWins) {
    const auto doc = ProfileDocument::parse("[S]\r\nA=1\r\n[T]\r\nA=2\r\n[s]\r\nA=3\r\nB=4\r\n");
    EXPECT_EQ(doc.value("S", "A"), "1");
    // The second [s] is not merged in.
    EXPECT_FALSE(doc.value("S", "B"));
}

TEST(ProfileRead, FirstOfDuplicateKeysWins) {
    const auto doc = ProfileDocument::parse("[S]\r\nA=1\r\na=2\r\n A =3\r\n");
    EXPECT_EQ(doc.value("S", "a"), "1");
}

TEST(ProfileRead, CommentsAndOtherLinesNeverMatch) {
    const auto doc = ProfileDocument::parse("[S]\r\n;Port=1\r\n#Port=2\r\n  ;Port=3\r\nPort\r\n[Port=5\r\nPort=4\r\n");
    EXPECT_EQ(doc.value("S", "Port"), "4");
    EXPECT_FALSE(doc.value("S", ";Port"));
    EXPECT_FALSE(doc.value("S", "#Port"));
    EXPECT_FALSE(doc.value("S", "[Port"));
}

TEST(ProfileRead, LinesBeforeTheFirstSectionBelongToNone) {
    const auto doc = ProfileDocument::parse("Port=1\r\n[S]\r\nOther=2\r\n");
    EXPECT_FALSE(doc.value("", "Port"));
    EXPECT_FALSE(doc.value("S", "Port"));
    EXPECT_FALSE(doc.hasSection(""));
}

TEST(ProfileRead, SectionNameEndsAtTheFirstClosingBracket) {
    const auto doc = ProfileDocument::parse(dataFile("brackets.zat"));
    EXPECT_TRUE(doc.hasSection("a"));
    EXPECT_FALSE(doc.hasSection("a]b"));
    EXPECT_FALSE(doc.hasSection("c"));  // "[c" has no closing bracket
    EXPECT_EQ(doc.value("", ""), "x");  // "[ ]" names the empty section
    EXPECT_EQ(doc.value("", "]"), "y");
    EXPECT_EQ(doc.value("d", "k"), "[v]");
    EXPECT_FALSE(doc.value("d", "tail"));  // text after ']' is ignored
}

TEST(ProfileRead, MissingSectionOrKeyGivesNothing) {
    const auto doc = ProfileDocument::parse("[S]\r\nA=1\r\n");
    EXPECT_FALSE(doc.value("T", "A"));
    EXPECT_FALSE(doc.value("S", "B"));
    EXPECT_FALSE(doc.hasSection("T"));
    EXPECT_FALSE(ProfileDocument().value("S", "A"));
    EXPECT_FALSE(ProfileDocument().hasSection("S"));
}

TEST(ProfileRead, AcceptsCrLfAndLfOnlyLines) {
    const auto doc = ProfileDocument::parse("[S]\nA=1\nB=2\r\n[T]\r\nC=3");
    EXPECT_EQ(doc.value("S", "A"), "1");
    EXPECT_EQ(doc.value("S", "B"), "2");
    EXPECT_EQ(doc.value("T", "C"), "3");
}

TEST(ProfileRead, LoneCarriageReturnIsAnOrdinaryByte) {
    const auto doc = ProfileDocument::parse(dataFile("lone_cr.zat"));
    // "[A]\rB=1" is a single line: the header of section A.
    EXPECT_TRUE(doc.hasSection("A"));
    EXPECT_FALSE(doc.value("A", "B"));
    EXPECT_EQ(doc.value("A", "C"), "2\r");  // only the CR right before the LF is dropped
    EXPECT_EQ(doc.value("A", "D\r"), "3");  // the CR at the very end is a line ending
}

TEST(ProfileRead, SkipsTheByteOrderMark) {
    const auto doc = ProfileDocument::parse("\xEF\xBB\xBF[S]\r\nA=1\r\n");
    EXPECT_TRUE(doc.hasSection("S"));
    EXPECT_EQ(doc.value("S", "A"), "1");
    // Only a whole mark at the very start is skipped.
    EXPECT_FALSE(ProfileDocument::parse("\xEF\xBB[S]\r\nA=1\r\n").hasSection("S"));
    EXPECT_FALSE(ProfileDocument::parse("\r\n\xEF\xBB\xBF[S]\r\nA=1\r\n").hasSection("S"));
}

TEST(ProfileRead, NulBytesAreOrdinaryBytes) {
    const auto doc = ProfileDocument::parse(dataFile("nul_bytes.cal"));
    EXPECT_TRUE(doc.hasSection("Cal\0"sv));
    EXPECT_FALSE(doc.hasSection("Cal"));
    EXPECT_EQ(doc.value("Cal\0"sv, "A"),
              "1\0"
              "2"sv);
    EXPECT_EQ(doc.value("Cal\0"sv, "B"), "\0"sv);
}

TEST(ProfileRead, HandlesAMegabyteLine) {
    const std::string big(1 << 20, 'x');
    const auto doc = ProfileDocument::parse("[S]\r\nBig=" + big + "\r\nAfter=1\r\n");
    ASSERT_TRUE(doc.value("S", "Big"));
    EXPECT_EQ(doc.value("S", "Big")->size(), big.size());
    EXPECT_EQ(doc.value("S", "After"), "1");
    EXPECT_EQ(doc.readString("S", "Big", "", 256), std::string(255, 'x'));
}

TEST(ProfileRead, ReadStringCutsToTheBuffer) {
    const auto doc = ProfileDocument::parse("[S]\r\nName=Boiler\r\nEmpty=\r\n");
    EXPECT_EQ(doc.readString("S", "Name", "dflt", 64), "Boiler");
    EXPECT_EQ(doc.readString("S", "Name", "dflt", 7), "Boiler");  // exact fit with its NUL
    EXPECT_EQ(doc.readString("S", "Name", "dflt", 6), "Boile");
    EXPECT_EQ(doc.readString("S", "Name", "dflt", 1), "");
    EXPECT_EQ(doc.readString("S", "Name", "dflt", 0), "");
    EXPECT_EQ(doc.readString("S", "Empty", "dflt", 64), "");  // present but empty is not missing
    EXPECT_EQ(doc.readString("S", "Missing", "default", 64), "default");
    EXPECT_EQ(doc.readString("S", "Missing", "default", 4), "def");
    EXPECT_EQ(doc.readString("T", "Name", "default", 0), "");
}

// --- Numbers -------------------------------------------------------------------

TEST(ProfileInt, ParsesDigitsWithAnOptionalSign) {
    EXPECT_EQ(parseProfileInt("0"), 0);
    EXPECT_EQ(parseProfileInt("-1"), -1);
    EXPECT_EQ(parseProfileInt("65535"), 65535);
    EXPECT_EQ(parseProfileInt("+7"), 7);
    EXPECT_EQ(parseProfileInt("007"), 7);
    EXPECT_EQ(parseProfileInt("-0"), 0);
    EXPECT_EQ(parseProfileInt("2147483647"), 2147483647);
    EXPECT_EQ(parseProfileInt("-2147483648"), INT32_MIN);
}

TEST(ProfileInt, StopsAtTheFirstOtherCharacter) {
    EXPECT_EQ(parseProfileInt("12abc"), 12);
    EXPECT_EQ(parseProfileInt("1 2"), 1);
    EXPECT_EQ(parseProfileInt("0x10"), 0);
    EXPECT_EQ(parseProfileInt("3.9"), 3);
    EXPECT_EQ(parseProfileInt("-12,5"), -12);
    EXPECT_EQ(parseProfileInt("4\0"
                              "5"sv),
              4);
}

TEST(ProfileInt, NoDigitsReadsAsZero) {
    EXPECT_EQ(parseProfileInt(""), 0);
    EXPECT_EQ(parseProfileInt("abc"), 0);
    EXPECT_EQ(parseProfileInt("-"), 0);
    EXPECT_EQ(parseProfileInt("+"), 0);
    EXPECT_EQ(parseProfileInt("--1"), 0);
    EXPECT_EQ(parseProfileInt("+-1"), 0);
    EXPECT_EQ(parseProfileInt("- 1"), 0);
}

TEST(ProfileInt, HugeNumbersWrapToThirtyTwoBits) {
    EXPECT_EQ(parseProfileInt("2147483648"), INT32_MIN);
    EXPECT_EQ(parseProfileInt("4294967295"), -1);
    EXPECT_EQ(parseProfileInt("4294967296"), 0);
    EXPECT_EQ(parseProfileInt("4294967297"), 1);
    EXPECT_EQ(parseProfileInt("-4294967297"), -1);
    // (10^20 - 1) mod 2^32
    EXPECT_EQ(parseProfileInt("99999999999999999999"), 1661992959);
    EXPECT_EQ(parseProfileInt("-99999999999999999999"), -1661992959);
    EXPECT_EQ(parseProfileInt("12345678901234567890"), -350287150);
    // 10^10000 is a multiple of 2^32, so ten thousand nines read as -1.
    EXPECT_EQ(parseProfileInt(std::string(10000, '9')), -1);
    EXPECT_EQ(parseProfileInt("1" + std::string(64, '0')), 0);  // 10^64 is a multiple of 2^32
}

TEST(ProfileInt, ReadIntUsesTheDefaultOnlyForMissingOrEmptyValues) {
    const auto doc = ProfileDocument::parse(
        "[S]\r\nPadded= 7 \r\nEmpty=\r\nBlank=   \r\nWord=abc\r\nMinus=-\r\nNeg=-42\r\nMixed=12abc\r\n");
    EXPECT_EQ(doc.readInt("S", "Padded", 99), 7);
    EXPECT_EQ(doc.readInt("S", "Empty", 99), 99);
    EXPECT_EQ(doc.readInt("S", "Blank", 99), 99);
    EXPECT_EQ(doc.readInt("S", "Word", 99), 0);
    EXPECT_EQ(doc.readInt("S", "Minus", 99), 0);
    EXPECT_EQ(doc.readInt("S", "Neg", 99), -42);
    EXPECT_EQ(doc.readInt("S", "Mixed", 99), 12);
    EXPECT_EQ(doc.readInt("S", "Missing", -5), -5);
    EXPECT_EQ(doc.readInt("T", "Padded", 123), 123);
}

// --- Updating ------------------------------------------------------------------

TEST(ProfileWrite, UpdatesAKeyWhereItStandsKeepingItsSpelling) {
    EXPECT_EQ(afterWrite("[S]\r\n  MyKey \t=  old  \r\nOther=1\n", "s", "MYKEY", "new"),
              "[S]\r\nMyKey=new\r\nOther=1\n");
    EXPECT_EQ(afterWrite("[S]\nA=1\nB=2\nC=3\n", "S", "B", "x"), "[S]\nA=1\nB=x\r\nC=3\n");
}

TEST(ProfileWrite, WrittenValueIsReadBack) {
    auto doc = ProfileDocument::parse("[S]\r\nA=1\r\n");
    doc.write("S", "A", "2");
    doc.write("S", "B", "  padded value  ");
    doc.write("T", "C", "x = y");
    EXPECT_EQ(doc.value("S", "A"), "2");
    EXPECT_EQ(doc.value("S", "B"), "padded value");
    EXPECT_EQ(doc.value("t", "c"), "x = y");
    EXPECT_TRUE(doc.hasSection("T"));
    EXPECT_EQ(doc.serialize(), "[S]\r\nA=2\r\nB=  padded value  \r\n[T]\r\nC=x = y\r\n");
}

TEST(ProfileWrite, DuplicatesFirstWins) {
    EXPECT_EQ(afterWrite("[S]\r\nK=1\r\n[s]\r\nK=2\r\n", "S", "K", "9"), "[S]\r\nK=9\r\n[s]\r\nK=2\r\n");
    EXPECT_EQ(afterWrite("[S]\r\nK=1\r\nk=2\r\n", "S", "K", "9"), "[S]\r\nK=9\r\nk=2\r\n");
    // A new key goes into the first of the duplicate sections.
    EXPECT_EQ(afterWrite("[S]\r\nK=1\r\n[s]\r\nK=2\r\n", "s", "N", "x"), "[S]\r\nK=1\r\nN=x\r\n[s]\r\nK=2\r\n");
}

TEST(ProfileWrite, NewKeyGoesAfterTheLastEntryOfItsSection) {
    // Not after the blank and comment lines that lead to the next section.
    EXPECT_EQ(afterWrite("[A]\r\nX=1\r\n\r\n; about B\r\n[B]\r\nY=2\r\n", "A", "Z", "3"),
              "[A]\r\nX=1\r\nZ=3\r\n\r\n; about B\r\n[B]\r\nY=2\r\n");
    // A comment between entries does not end the section.
    EXPECT_EQ(afterWrite("[A]\r\nX=1\r\n; middle\r\nY=2\r\n\r\n", "A", "Z", "3"),
              "[A]\r\nX=1\r\n; middle\r\nY=2\r\nZ=3\r\n\r\n");
    // An unknown line counts as an entry.
    EXPECT_EQ(afterWrite("[A]\r\nX=1\r\njunk\r\n# note\r\n", "A", "Z", "3"), "[A]\r\nX=1\r\njunk\r\nZ=3\r\n# note\r\n");
}

TEST(ProfileWrite, NewKeyInASectionWithoutEntriesFollowsTheHeader) {
    EXPECT_EQ(afterWrite("[A]\r\n\r\n; about B\r\n[B]\r\n", "A", "K", "v"), "[A]\r\nK=v\r\n\r\n; about B\r\n[B]\r\n");
    EXPECT_EQ(afterWrite("[A]\r\n[B]\r\n", "A", "K", "v"), "[A]\r\nK=v\r\n[B]\r\n");
}

TEST(ProfileWrite, NewKeysKeepTheirOrder) {
    auto doc = ProfileDocument::parse("[A]\r\nX=1\r\n\r\n[B]\r\n");
    doc.write("A", "K1", "1");
    doc.write("A", "K2", "2");
    doc.write("A", "K1", "one");
    doc.write("A", "K3", "3");
    EXPECT_EQ(doc.serialize(), "[A]\r\nX=1\r\nK1=one\r\nK2=2\r\nK3=3\r\n\r\n[B]\r\n");
}

TEST(ProfileWrite, NewSectionGoesAtTheEnd) {
    EXPECT_EQ(afterWrite("[A]\r\nX=1\r\n", "B", "K", "v"), "[A]\r\nX=1\r\n[B]\r\nK=v\r\n");
    EXPECT_EQ(afterWrite("[A]\r\nX=1\r\n\r\n; end\r\n", "B", "K", "v"), "[A]\r\nX=1\r\n\r\n; end\r\n[B]\r\nK=v\r\n");
    EXPECT_EQ(afterWrite("", "B", "K", "v"), "[B]\r\nK=v\r\n");
    EXPECT_EQ(afterWrite("; only a comment\n", "B", "K", "v"), "; only a comment\n[B]\r\nK=v\r\n");
}

TEST(ProfileWrite, MissingFinalLineEndingIsAddedBeforeAppending) {
    EXPECT_EQ(afterWrite("[A]\r\nX=1", "B", "K", "v"), "[A]\r\nX=1\r\n[B]\r\nK=v\r\n");
    EXPECT_EQ(afterWrite("[A]\r\nX=1", "A", "Y", "2"), "[A]\r\nX=1\r\nY=2\r\n");
    EXPECT_EQ(afterWrite("[A]", "A", "K", "v"), "[A]\r\nK=v\r\n");
    EXPECT_EQ(afterWrite("; comment", "B", "K", "v"), "; comment\r\n[B]\r\nK=v\r\n");
    // A file ending in a lone CR only lacks the LF.
    EXPECT_EQ(afterWrite("[A]\r\nX=1\r", "B", "K", "v"), "[A]\r\nX=1\r\n[B]\r\nK=v\r\n");
    // Not needed when the last line is the one rewritten.
    EXPECT_EQ(afterWrite("[A]\r\nX=1", "A", "X", "2"), "[A]\r\nX=2\r\n");
    // Nor when the new key goes before an unterminated trailing comment.
    EXPECT_EQ(afterWrite("[A]\r\nX=1\r\n; end", "A", "Y", "2"), "[A]\r\nX=1\r\nY=2\r\n; end");
}

TEST(ProfileWrite, LineBreaksAndNulsInNamesAndValuesBecomeBlanks) {
    auto doc = ProfileDocument::parse("[S]\r\nK=old\r\n");
    doc.write("S", "K", "a\r\nb\rc\nd\0e"sv);
    EXPECT_EQ(doc.serialize(), "[S]\r\nK=a  b c d e\r\n");
    EXPECT_EQ(doc.value("S", "K"), "a  b c d e");

    doc.write("Odd\nName", "Ke\ry", "v\n");
    EXPECT_EQ(doc.serialize(), "[S]\r\nK=a  b c d e\r\n[Odd Name]\r\nKe y=v \r\n");
    // Writing the same names again finds the cleaned lines instead of adding more.
    doc.write("Odd\nName", "Ke\ry", "w");
    EXPECT_EQ(doc.serialize(), "[S]\r\nK=a  b c d e\r\n[Odd Name]\r\nKe y=w\r\n");
    EXPECT_EQ(doc.value("odd name", "KE Y"), "w");
}

TEST(ProfileWrite, NewNamesThatWouldReadBackAsSomethingElseAreCleaned) {
    auto doc = ProfileDocument::parse("[S]\r\nA=1\r\n");
    doc.write("a]b", "k", "1");  // would be read as section "a"
    doc.write("S", "x=y", "2");  // would be read as key "x"
    doc.write("S", "[T]", "3");  // would be read as a header
    doc.write("S", "; c", "4");  // would be read as a comment
    doc.write("S", "#[;d", "5");
    EXPECT_EQ(doc.serialize(), "[S]\r\nA=1\r\nx y=2\r\nT]=3\r\nc=4\r\nd=5\r\n[a b]\r\nk=1\r\n");
    // Written again under the same odd names, the same lines are updated.
    doc.write("a]b", "k", "one");
    doc.write("S", "x=y", "two");
    doc.write("S", "[T]", "three");
    EXPECT_EQ(doc.serialize(), "[S]\r\nA=1\r\nx y=two\r\nT]=three\r\nc=4\r\nd=5\r\n[a b]\r\nk=one\r\n");
    EXPECT_EQ(ProfileDocument::parse(doc.serialize()).value("a b", "k"), "one");
}

TEST(ProfileWrite, NamesAreTrimmedLikeLookups) {
    auto doc = ProfileDocument();
    doc.write(" S\t", "\tK ", "v");
    EXPECT_EQ(doc.serialize(), "[S]\r\nK=v\r\n");
    doc.write("S", "K", "w");
    EXPECT_EQ(doc.serialize(), "[S]\r\nK=w\r\n");
}

TEST(ProfileWrite, ByteOrderMarkIsKept) {
    EXPECT_EQ(afterWrite("\xEF\xBB\xBF[S]\r\nA=1\r\n", "S", "A", "2"), "\xEF\xBB\xBF[S]\r\nA=2\r\n");
    EXPECT_EQ(afterWrite("\xEF\xBB\xBF", "S", "A", "2"), "\xEF\xBB\xBF[S]\r\nA=2\r\n");
}

TEST(ProfileWrite, NulBytesInTheFileSurviveAWrite) {
    const std::string input = dataFile("nul_bytes.cal");
    auto doc = ProfileDocument::parse(input);
    doc.write("Cal\0"sv, "A", "7");
    EXPECT_EQ(doc.serialize(), "[Cal\0]\r\nA=7\r\n\0\0\0\r\nB=\0\r\n"s);
}

TEST(ProfileWrite, CopiesAreIndependent) {
    const auto original = ProfileDocument::parse("[S]\r\nA=1\r\n");
    ProfileDocument copy = original;
    copy.write("S", "A", "2");
    copy.write("T", "B", "3");
    EXPECT_EQ(original.serialize(), "[S]\r\nA=1\r\n");
    EXPECT_EQ(original.value("S", "A"), "1");
    EXPECT_FALSE(original.hasSection("T"));
    EXPECT_EQ(copy.value("S", "A"), "2");

    ProfileDocument assigned;
    assigned = copy;
    ProfileDocument moved = std::move(copy);
    EXPECT_EQ(moved.serialize(), "[S]\r\nA=2\r\n[T]\r\nB=3\r\n");
    EXPECT_EQ(assigned.serialize(), moved.serialize());
    EXPECT_EQ(assigned.value("t", "b"), "3");
}

TEST(ProfileWrite, MegabyteLineNextToAnUpdate) {
    const std::string big = "Big=" + std::string(1 << 20, 'y') + "\r\n";
    auto doc = ProfileDocument::parse("[S]\r\n" + big + "A=1\r\n");
    doc.write("S", "A", "2");
    doc.write("S", "Big", "small");
    doc.write("S", "Huge", std::string(1 << 20, 'z'));
    EXPECT_EQ(doc.serialize(), "[S]\r\nBig=small\r\nA=2\r\nHuge=" + std::string(1 << 20, 'z') + "\r\n");
}

// --- Golden files ----------------------------------------------------------------

TEST(ProfileGolden, DatabaseUpdateMatchesTheExpectedFile) {
    auto doc = ProfileDocument::parse(dataFile("update_input.zat"));
    doc.write("COMMS", "port", "5");
    doc.write("comms", "ADDRESS", "  2");
    doc.write("Comms", "Retries", "3");
    doc.write("Analog Input 1", "Type", "521");
    doc.write("Analog Input 1", "Scale", "100");
    doc.write("Unknown Section", "New", "x");
    doc.write("Empty", "First", "1");
    doc.write("Last", "Extra", "e");
    doc.write("New Section", "Key", "multi\r\nline");
    doc.write("new section", "Key2", "v2");
    doc.write("Comms", "Port", "6");
    doc.write("Unknown Section", "foo", "baz=qux");
    EXPECT_EQ(doc.serialize(), dataFile("update_expected.zat"));

    EXPECT_EQ(doc.readInt("Comms", "Address", 0), 2);
    EXPECT_EQ(doc.readString("Analog Input 1", "Comment", "", 256), "Boiler temp");
    EXPECT_EQ(doc.readInt("comms", "port", 0), 6);
    EXPECT_EQ(doc.readString("Last", "Tail", "", 256), "end");
}

TEST(ProfileGolden, RegisterUpdateMatchesTheExpectedFile) {
    auto doc = ProfileDocument::parse(dataFile("registers_input.reg"));
    EXPECT_EQ(doc.value("Names", "R1"), "Setpoint");
    doc.write("registers", "r1", "0x0101");
    doc.write("Registers", "R2", "0x0102");
    doc.write("NAMES", "R2", "Output");
    EXPECT_EQ(doc.serialize(), dataFile("registers_expected.reg"));
    EXPECT_EQ(doc.value("Names", "R1"), "Setpoint");
}

// --- Round trip --------------------------------------------------------------------

TEST(ProfileRoundTrip, EveryCorpusFileComesBackByteForByte) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kProfileData)) {
        if (!entry.is_regular_file()) continue;
        const std::string bytes = test::readFile(entry.path().string());
        EXPECT_EQ(ProfileDocument::parse(bytes).serialize(), bytes) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 12);
}

TEST(ProfileRoundTrip, OddInputsComeBackByteForByte) {
    const std::vector<std::string> inputs = {
        "",
        "\r",
        "\n",
        "\r\n",
        "\n\r",
        "[",
        "]",
        "=",
        "[]",
        "\0"s,
        "\0\r\n\0"s,
        "a\r\rb",
        "\r\r\r\n",
        "\xEF\xBB\xBF",
        "\xEF\xBB",
        "\xEF\xBB\xBF\xEF\xBB\xBF[S]\r\n",
        "[S]\r\n[S]\r\n[s]",
        "[S]\r\nA=1\nA=2\r\n",
        "   \t  ",
        "[S]\r\n\t\r\n",
        "=\r\n==\r\n[=]=\r\n",
        std::string(1 << 20, '\n'),
        "[S]\r\nBig=" + std::string(1 << 20, 'q'),
    };
    for (const auto& input : inputs) {
        EXPECT_EQ(ProfileDocument::parse(input).serialize(), input);
    }
}

// Blank lines and comments used to cost forty bytes of line records each.
TEST(ProfileRoundTrip, LinesWithoutEntriesCostLittleMoreThanTheirBytes) {
    auto heapInUse = [] {
        const struct mallinfo2 info = mallinfo2();
        return info.uordblks + info.hblkhd;  // large blocks are mapped and counted apart
    };
    for (const std::string line : {"\n", "\r\n", "; note\r\n", "junk\n"}) {
        std::string input;
        for (std::size_t i = 0; i < (std::size_t{1} << 20) / line.size(); ++i) input += line;
        const std::size_t before = heapInUse();
        const ProfileDocument doc = ProfileDocument::parseOwned(std::move(input));
        EXPECT_LT(heapInUse() - before, std::size_t{64} << 10) << "lines of " << line.size() << " bytes";
        EXPECT_EQ(doc.serialize().size(), (std::size_t{1} << 20) / line.size() * line.size());
    }
}

TEST(ProfileRoundTrip, RandomBytesComeBackByteForByte) {
    std::mt19937 random(20240611);
    const std::string alphabet = "[]=;# \t\r\n\0aB\xEF\xBB\xBF\xFF"s;
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> length(0, 400);
    for (int round = 0; round < 500; ++round) {
        std::string input(length(random), '\0');
        for (char& c : input) c = alphabet[pick(random)];
        ASSERT_EQ(ProfileDocument::parse(input).serialize(), input) << "round " << round;
    }
}

// Random writes checked against a plain map, in the document and after the
// document has been written out and read back.
TEST(ProfileRoundTrip, RandomWritesReadBackAfterReparsing) {
    std::mt19937 random(7);
    const std::vector<std::string> sections = {"Comms", "COMMS", "Analog Input 1", " analog input 1 ", "Last"};
    const std::vector<std::string> keys = {"Port", "port", "Comment", "Type", "Scale", "A B"};
    const std::vector<std::string> values = {"", "0", "-1", " padded ", "a=b", "x\r\ny", "[s]", "; not a comment"};
    auto fold = [](std::string s) {
        const auto first = s.find_first_not_of(" \t");
        const auto last = s.find_last_not_of(" \t");
        s = first == std::string::npos ? "" : s.substr(first, last - first + 1);
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    const std::string base = dataFile("update_input.zat");
    auto doc = ProfileDocument::parse(base);
    std::map<std::pair<std::string, std::string>, std::string> expected;
    for (int step = 0; step < 400; ++step) {
        const auto& s = sections[random() % sections.size()];
        const auto& k = keys[random() % keys.size()];
        const auto& v = values[random() % values.size()];
        doc.write(s, k, v);
        std::string stored = v;
        std::replace(stored.begin(), stored.end(), '\r', ' ');
        std::replace(stored.begin(), stored.end(), '\n', ' ');
        const auto first = stored.find_first_not_of(" \t");
        stored = first == std::string::npos ? "" : stored.substr(first, stored.find_last_not_of(" \t") - first + 1);
        expected[{fold(s), fold(k)}] = stored;
    }
    const std::string written = doc.serialize();
    const auto reread = ProfileDocument::parse(written);
    EXPECT_EQ(reread.serialize(), written);
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(doc.value(name.first, name.second), value) << name.first << "/" << name.second;
        EXPECT_EQ(reread.value(name.first, name.second), value) << name.first << "/" << name.second;
    }
    // Keys never written keep their values.
    EXPECT_EQ(reread.value("Comms", "BaudRate"), "9600");
    EXPECT_EQ(reread.value("Unknown Section", "Foo"), "bar");
    EXPECT_EQ(reread.value("Last", "Tail"), "end");
}

// A database of the usual size: every key rewritten and one added per section.
TEST(ProfileRoundTrip, TypicalDatabaseSurvivesAFullRewrite) {
    std::string input = "; ZAT database\r\n";
    for (int s = 0; s < 197; ++s) {
        input += "[Section " + std::to_string(s) + "]\r\n";
        for (int k = 0; k < 10; ++k) input += "Key" + std::to_string(k) + "=" + std::to_string(s * 100 + k) + "\r\n";
        input += "\r\n";
    }
    auto doc = ProfileDocument::parse(input);
    ASSERT_EQ(doc.serialize(), input);
    for (int s = 0; s < 197; ++s) {
        const std::string section = "section " + std::to_string(s);
        for (int k = 0; k < 10; ++k) {
            const std::string key = "KEY" + std::to_string(k);
            ASSERT_EQ(doc.readInt(section, key, -1), s * 100 + k);
            doc.write(section, key, std::to_string(-(s * 100 + k)));
        }
        doc.write(section, "Added", "yes");
    }
    const auto reread = ProfileDocument::parse(doc.serialize());
    for (int s = 0; s < 197; ++s) {
        const std::string section = "Section " + std::to_string(s);
        for (int k = 0; k < 10; ++k) EXPECT_EQ(reread.readInt(section, "Key" + std::to_string(k), 1), -(s * 100 + k));
        EXPECT_EQ(reread.readString(section, "Added", "", 8), "yes");
    }
    // Each section grew by one line, in its own place.
    const std::string out = doc.serialize();
    EXPECT_NE(out.find("Key9=-9\r\nAdded=yes\r\n\r\n[Section 1]\r\n"), std::string::npos);
}

}  // namespace
}  // namespace zat
