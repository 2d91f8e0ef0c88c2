// The calibration constants bend what the unit reports, as a real unit's do.
#include "unit_asking.h"

#include <gtest/gtest.h>

namespace zat::sim {
namespace {

class CalibrationEffect : public test::UnitAsking {};

TEST_F(CalibrationEffect, AZeroShiftsAndASpanScalesTheReadingsOfItsRangeOnly) {
    // A10 Linear 10V (range 0) over 0..1000, A11 Linear 1V (range 1) likewise.
    for (int input : {10, 11}) {
        ASSERT_TRUE(unit.setItem(0, 'a', input, input == 10 ? 11 : 10));
        ASSERT_TRUE(unit.setItem(0, '~', input, 1000));
    }
    const double a10 = *unit.value('A', 10), a11 = *unit.value('A', 11);
    ASSERT_TRUE(unit.setItem(0, 'x', 0, 0x2000 - 25));
    EXPECT_EQ(*unit.value('A', 10), a10 + 25);
    EXPECT_EQ(*unit.value('A', 11), a11);
    ASSERT_TRUE(unit.setItem(0, 'x', 0, 0x2000));
    ASSERT_TRUE(unit.setItem(0, 'y', 0, 0x9000));  // 9/8 of the middle
    EXPECT_NEAR(*unit.value('A', 10), a10 * 9 / 8, 1.0);
}

TEST_F(CalibrationEffect, ForcedOutputsReadBackAtTheirCalibratedZeroOrSpan) {
    ASSERT_TRUE(unit.setItem(0, 'd', 2, 100));  // scaled 100..500
    ASSERT_TRUE(unit.setItem(0, 'e', 2, 500));
    ASSERT_TRUE(unit.setValue('B', 2, 300));
    const struct {
        std::int16_t status;
        std::uint16_t zero, span;
        std::int16_t reading;
    } cases[] = {
        {0x00, 0x1800 - 7, 0x8780, 300},
        {0x02, 0x1800, 0x8780, 100},
        {0x02, 0x1800 - 7, 0x8780, 107},
        {0x01, 0x1800, 0x8780 * 11 / 10, 550},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(unit.setValue('E', 2, c.status));
        ASSERT_TRUE(unit.setItem(0, 'z', 2, c.zero));
        ASSERT_TRUE(unit.setItem(0, '{', 2, c.span));
        EXPECT_EQ(*unit.value('B', 2), c.reading) << c.status << " " << c.zero << " " << c.span;
    }
}

TEST_F(CalibrationEffect, TheColdJunctionZeroShiftsTheTerminalTemperatures) {
    const auto tenths = [&] { return std::stoi(ask("R01c00").substr(6), nullptr, 16); };
    const int before = tenths();
    ASSERT_TRUE(unit.setItem(0, '|', 0, 1000 + 12));
    EXPECT_EQ(tenths(), before + 12);
}

}  // namespace
}  // namespace zat::sim
