// A database's controllers, profilers and profiles loaded into the unit,
// and the built-in demonstration kiln running on it.
#include "sim/plant_setup.h"
#include "unit_asking.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zat::sim {
namespace {

class PlantSetup : public test::UnitAsking {};

TEST_F(PlantSetup, DemoKilnLandsInTheItemsAnExportWouldWrite) {
    EXPECT_GT(loadPlantSetup(demoPlantText(), unit), 8 * 8 + 6 * 12);
    struct Case {
        int page;
        char letter;
        int index;
        int expected;
    };
    for (const Case& c :
         {Case{1, 'a', 0, 128}, Case{1, 'b', 0, 1},    Case{1, 'c', 0, 74},  Case{1, 'd', 0, 65}, Case{1, 'e', 0, 10},
          Case{1, 'J', 0, 80},  Case{1, 'K', 0, 240},  Case{1, 'L', 0, 40},  Case{1, 'b', 1, 2},  Case{1, 'd', 1, 66},
          Case{1, 'a', 2, 0},   Case{1, 'g', 0, 128},  Case{1, 'i', 0, 9},   Case{1, 'j', 0, 74}, Case{1, 'k', 0, 136},
          Case{1, 'n', 0, 76},  Case{1, 'o', 0, 198},  Case{1, 'r', 0, 201}, Case{1, 's', 0, 75}, Case{1, 'g', 1, 0},
          Case{0, 'a', 0, 131}, Case{0, 'e', 1, 1300}, Case{0, 'g', 0, 0}}) {
        EXPECT_EQ(unit.item(c.page, c.letter, c.index), c.expected) << c.letter << c.index;
    }
    EXPECT_EQ(unit.selectedProfile(), 0);
    EXPECT_EQ(unit.value('O', 0), 100);
    EXPECT_EQ(unit.value('P', 1), 600);
    EXPECT_EQ(unit.value('Q', 3), 20);
    EXPECT_EQ(unit.value('O', 7), -1);
    EXPECT_EQ(unit.value('U', 0), -1);
}

TEST_F(PlantSetup, OddLinesArePassedOver) {
    const char* text =
        "[General]\r\nAddress=7\r\n[Controller 9]\r\nFlags=1\r\n[Controller 0]\r\nFlags=x\r\n"
        "PROP BAND = 12 \r\nno equals\r\n[Profile 2]\r\nSeg03 Level=-5\r\nSeg09 Level=4\r\n";
    EXPECT_EQ(loadPlantSetup(text, unit), 2);
    EXPECT_EQ(unit.item(1, 'a', 0), 0);
    EXPECT_EQ(unit.value('J', 0), 12);
    EXPECT_EQ(unit.config().address, 1);
    EXPECT_EQ(unit.selectedProfile(), 0);
    ASSERT_TRUE(accepted("W01N0002"));
    EXPECT_EQ(unit.value('P', 3), -5);
}

TEST_F(PlantSetup, DemoKilnRunsItsProfilerControllersAndEvents) {
    loadPlantSetup(demoPlantText(), unit);
    startEnabledProfilers(unit);
    EXPECT_NE(*unit.value('M', 0) & 1, 0);  // profiler 0 runs
    EXPECT_EQ(unit.value('M', 1), 0);
    EXPECT_EQ(unit.selectedProfile(), 0);

    const std::int16_t startSetpoint = *unit.value('B', 9);
    std::int16_t mostHeat = 0;
    for (int second = 0; second < 20; ++second) {
        unit.advance(1000);
        mostHeat = std::max(mostHeat, *unit.value('B', 0));
    }
    EXPECT_GT(*unit.value('B', 9), startSetpoint);  // ramping up toward 200
    EXPECT_GT(mostHeat, 0);                         // zone 1 controller heats
    // D05 running and D06 ramping up are on, D07 ramping down and D08 dwelling off.
    EXPECT_EQ(*unit.value('H', 0) & 0xE0, 0x60);
    EXPECT_EQ(*unit.value('H', 1) & 0x01, 0);

    unit.advance(60 * 1000);  // at 200, dwelling 5 minutes
    EXPECT_EQ(*unit.value('B', 9), 200);
    EXPECT_EQ(*unit.value('H', 0) & 0xE0, 0x20);
    EXPECT_EQ(*unit.value('H', 1) & 0x01, 1);
}

}  // namespace
}  // namespace zat::sim
