// Pages and the selections that decide what an item letter reaches.
#include "unit_asking.h"

#include <gtest/gtest.h>
#include <string>

namespace zat::sim {
namespace {

class UnitPages : public test::UnitAsking {};

TEST_F(UnitPages, LowerCaseLettersMeanOtherItemsOnPageOne) {
    ASSERT_TRUE(accepted("W01a000007"));  // input 0's type word
    ASSERT_TRUE(accepted("W01]0001"));
    EXPECT_EQ(unit.page(), 1);
    EXPECT_EQ(ask("R01a00"), "*01a000000");  // controller 0's flags
    ASSERT_TRUE(accepted("W01a000080"));
    EXPECT_EQ(ask("R01a08"), "!01a08");      // only 8 controllers
    EXPECT_EQ(ask("R01s05"), "*01s050000");  // profiler register, page 1 only
    EXPECT_EQ(ask("R01t00"), "(silent)");    // no "t" on page 1
    EXPECT_EQ(ask("R01~00"), "(silent)");
    EXPECT_EQ(ask("W01H000005"), "*01H000005");  // upper case is the same on any page

    ASSERT_TRUE(accepted("W01]0000"));
    EXPECT_EQ(ask("R01a00"), "*01a000007");
    EXPECT_EQ(ask("R01a08"), "*01a080000");
    EXPECT_EQ(ask("R01H00"), "*01H000005");
    EXPECT_EQ(unit.item(1, 'a', 0), 0x80);
    EXPECT_EQ(unit.item(0, 'a', 0), 0x07);
}

TEST_F(UnitPages, HotColdItemsFollowTheSelectedBlock) {
    ASSERT_TRUE(accepted("W01h0002"));
    ASSERT_TRUE(accepted("W01i1234"));
    ASSERT_TRUE(accepted("W01n040081"));
    EXPECT_EQ(unit.selectedHotColdBlock(), 2);

    ASSERT_TRUE(accepted("W01h0000"));
    EXPECT_EQ(ask("R01i"), "*01i0000");
    EXPECT_EQ(ask("R01n04"), "*01n040000");
    ASSERT_TRUE(accepted("W01h0002"));
    EXPECT_EQ(ask("R01i"), "*01i1234");
    EXPECT_EQ(ask("R01n04"), "*01n040081");
}

TEST_F(UnitPages, ProfileItemsFollowTheSelectedProfile) {
    ASSERT_TRUE(accepted("W01N0003"));
    EXPECT_EQ(unit.selectedProfile(), 3);
    ASSERT_TRUE(accepted("W01O070050"));
    ASSERT_TRUE(accepted("W01U0005"));

    ASSERT_TRUE(accepted("W01N0000"));
    EXPECT_EQ(ask("R01O07"), "*01O070000");
    EXPECT_EQ(ask("R01U"), "*01U-0001");
    ASSERT_TRUE(accepted("W01N0003"));
    EXPECT_EQ(ask("R01O07"), "*01O070050");
    EXPECT_EQ(ask("R01U"), "*01U0005");
}

TEST_F(UnitPages, ProtectedOutputRefusesWrites) {
    ASSERT_TRUE(accepted("W01B030100"));
    ASSERT_TRUE(accepted("W01E030008"));
    EXPECT_EQ(ask("W01B030200"), "!01B030200");
    EXPECT_EQ(ask("R01B03"), "*01B030100");
    EXPECT_EQ(ask("W01B040200"), "*01B040200");  // only output 3 is protected
    ASSERT_TRUE(accepted("W01E030000"));
    EXPECT_EQ(ask("W01B030200"), "*01B030200");
}

TEST_F(UnitPages, StatusBitsForceTheReportedOutput) {
    ASSERT_TRUE(accepted("W01B020321"));
    ASSERT_TRUE(accepted("W01d020064"));  // from 100
    ASSERT_TRUE(accepted("W01e0201F4"));  // to 500
    ASSERT_TRUE(accepted("W01E020001"));
    EXPECT_EQ(ask("R01B02"), "*01B020500");
    ASSERT_TRUE(accepted("W01E020002"));
    EXPECT_EQ(ask("R01B02"), "*01B020100");
    ASSERT_TRUE(accepted("W01E020004"));  // invalid: value as written
    EXPECT_EQ(ask("R01B02"), "*01B020321");
}

TEST_F(UnitPages, DigitalOutputsKeepWhatIsWritten) {
    ASSERT_TRUE(accepted("W01H060255"));
    EXPECT_EQ(ask("R01H06"), "*01H060255");
    EXPECT_EQ(unit.value('H', 6), 255);
    EXPECT_FALSE(unit.setValue('H', 6, 256));
    EXPECT_EQ(unit.value('H', 6), 255);
}

}  // namespace
}  // namespace zat::sim
