// Request forms, replies, and the line between silence and refusal.
#include "unit_asking.h"

#include <gtest/gtest.h>
#include <string>

namespace zat::sim {
namespace {

constexpr char kDel = 0x7F;

class UnitFrames : public test::UnitAsking {};

TEST_F(UnitFrames, HexIndexedWriteIsEchoedAndReadBack) {
    EXPECT_EQ(ask("W01a05000A"), "*01a05000A");
    EXPECT_EQ(ask("R01a05"), "*01a05000A");
    EXPECT_EQ(unit.item(0, 'a', 5), 0x000A);
    EXPECT_EQ(ask("W01o89FFFF"), "*01o89FFFF");
    EXPECT_EQ(ask(std::string("W01") + kDel + "39ABCD"), std::string("*01") + kDel + "39ABCD");
    EXPECT_EQ(ask(std::string("R01") + kDel + "39"), std::string("*01") + kDel + "39ABCD");
}

TEST_F(UnitFrames, ReadRepliesCarryTheValueInTheItemsForm) {
    UnitState seven(UnitConfig{.address = 7});
    ASSERT_TRUE(seven.setItem(0, 'a', 3, 0x1F));
    EXPECT_EQ(seven.handle("R07a03"), "*07a03001F");

    ASSERT_TRUE(unit.setValue('A', 7, 123));
    EXPECT_EQ(ask("R01A07"), "*01A070123");
    ASSERT_TRUE(unit.setValue('A', 7, -123));
    EXPECT_EQ(ask("R01A07"), "*01A07-0123");
}

TEST_F(UnitFrames, DecimalValuesNegativeAndFiveDigits) {
    EXPECT_EQ(ask("W01B04-0005"), "*01B04-0005");
    EXPECT_EQ(ask("R01B04"), "*01B04-0005");
    EXPECT_EQ(unit.value('B', 4), -5);
    EXPECT_EQ(ask("W01B0312345"), "*01B0312345");
    EXPECT_EQ(ask("R01B03"), "*01B0312345");
    EXPECT_EQ(ask("W01B03-12345"), "*01B03-12345");
    EXPECT_EQ(ask("R01B03"), "*01B03-12345");
    EXPECT_EQ(ask("W01J020150"), "*01J020150");
    EXPECT_EQ(unit.value('J', 2), 150);
}

TEST_F(UnitFrames, ItemsWithoutIndex) {
    EXPECT_EQ(ask("R01|"), "*01|03E8");
    EXPECT_EQ(ask("W01|0320"), "*01|0320");
    EXPECT_EQ(ask("R01|"), "*01|0320");
    EXPECT_EQ(ask("R01U"), "*01U-0001");
    EXPECT_EQ(ask("W01U0004"), "*01U0004");
    EXPECT_EQ(ask("R01U"), "*01U0004");
}

TEST_F(UnitFrames, CalibrationStartsMidRange) {
    EXPECT_EQ(ask("R01x00"), "*01x002000");
    EXPECT_EQ(ask("R01y07"), "*01y078000");
    EXPECT_EQ(ask("R01z19"), "*01z191800");
    EXPECT_EQ(ask("R01{19"), "*01{198780");
    EXPECT_EQ(ask("R01|"), "*01|03E8");
    EXPECT_EQ(ask("W01y031234"), "*01y031234");
    EXPECT_EQ(unit.item(0, 'y', 3), 0x1234);
}

TEST_F(UnitFrames, CommandsProbeAndInitialiseCount) {
    EXPECT_EQ(ask("S01I"), "*01I");
    EXPECT_EQ(ask("S01I"), "*01I");
    EXPECT_EQ(unit.initialiseCount(), 2);
    EXPECT_EQ(ask("W01?0042"), "*01?0042");
    EXPECT_EQ(ask("W01?0041"), "!01?0041");
    EXPECT_EQ(ask("S01Z"), "!01Z");
}

// A real bus: a frame the unit cannot make sense of, or one for another
// address, gets no answer at all.
TEST_F(UnitFrames, MalformedOrForeignRequestsAreSilent) {
    const std::string silent[] = {
        "",           "S01",       "X01I",        "S1I",         "S0AI",     "S01II",  "S01#",
        "W01a05000a", "W01a5000A", "W01a05000AB", "R01a05X",     "R01a",     "R01a5",  "R01|00",
        "W01N003",    "W01N+003",  "W01N000003",  "W01N--003",   "R01C00",   "R01V00", "R02I",
        "S02I",       "W02N0001",  "W01B04-005",  "W01B04 0005", "w01N0003",
    };
    for (const std::string& request : silent) EXPECT_EQ(ask(request), "(silent)") << request;
    EXPECT_EQ(unit.initialiseCount(), 0);
    EXPECT_EQ(unit.selectedProfile(), 0);
}

TEST_F(UnitFrames, WellFormedRequestsItCannotCarryOutAreRefused) {
    const std::string refused[] = {
        "R01a40",     "R01b05",     "W01A070005",  "W01F000000", "W01b000001",  "R01N",
        "R01]",       "R01h",       "R01?",        "W01]0002",   "W01h0004",    "W01N0006",
        "W01H070001", "W01H000256", "W01H00-0001", "W01S000006", "W01B0040000", "W01B00-40000",
        "R01c01",     "R01M06",     "R01G05",      "W01n050001", "R01O08",
    };
    for (const std::string& request : refused) {
        EXPECT_EQ(ask(request), "!" + request.substr(1)) << request;
    }
    EXPECT_EQ(unit.page(), 0);
    EXPECT_EQ(unit.selectedHotColdBlock(), 0);
}

TEST_F(UnitFrames, ConfigurationIsStoredAsSentWhateverItsValue) {
    // A database may hold any word; the unit keeps it, so a transfer out and
    // back gives the same configuration.
    for (const char* request : {"W01J000000", "W01K002001", "W01L00-0001", "W01U-0002", "W01Q00-0001"})
        EXPECT_EQ(ask(request), std::string("*") + (request + 1)) << request;
    EXPECT_EQ(ask("R01J00"), "*01J000000");
    EXPECT_EQ(ask("R01U"), "*01U-0002");
}

TEST_F(UnitFrames, ColdJunctionOnlyForThermocoupleSlots) {
    const std::string reply = ask("R01c00");  // slot 0 holds card 3 by default
    ASSERT_EQ(reply.substr(0, 6), "*01c00");
    const int tenths = std::stoi(reply.substr(6), nullptr, 16);
    EXPECT_GE(tenths, 200);
    EXPECT_LE(tenths, 250);
    EXPECT_EQ(ask("R01b00"), "*01b000003");
    EXPECT_EQ(ask("R01b04"), "*01b040007");

    UnitState noThermocouple(UnitConfig{.slotCodes = {1, 2, 4, 6, 7}});
    EXPECT_EQ(noThermocouple.handle("R01c00"), "!01c00");
}

}  // namespace
}  // namespace zat::sim
