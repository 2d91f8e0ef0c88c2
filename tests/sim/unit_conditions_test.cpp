// Conditions the live monitors must meet on a unit: silence and recovery,
// outputs the unit reports invalid, digital outputs the unit drives itself.
#include "pty_client.h"
#include "sim/pty_unit.h"
#include "unit_asking.h"

#include <gtest/gtest.h>
#include <string>

namespace zat::sim {
namespace {

class UnitConditions : public test::UnitAsking {};

TEST_F(UnitConditions, SilentUnitNeitherAnswersNorActsUntilItSpeaksAgain) {
    ASSERT_TRUE(accepted("S01I"));
    unit.setSilent(true);
    EXPECT_TRUE(unit.silent());
    for (const char* request : {"S01I", "R01A00", "W01B010100", "S01X"}) EXPECT_EQ(ask(request), "(silent)") << request;
    EXPECT_EQ(unit.initialiseCount(), 1);
    EXPECT_EQ(unit.value('B', 1), 0);
    unit.setSilent(false);
    EXPECT_TRUE(accepted("S01I"));
    EXPECT_EQ(unit.initialiseCount(), 2);
}

TEST_F(UnitConditions, InvalidOutputsShowInTheirStatusWordOnly) {
    ASSERT_TRUE(unit.setValue('E', 4, 0x09));  // forced to span, protected
    struct Case {
        int output;
        bool invalid;
        const char* reply;
    };
    for (const Case& c : {Case{0, true, "*01E000004"}, Case{4, true, "*01E040013"}, Case{39, true, "*01E390004"},
                          Case{4, false, "*01E040009"}, Case{0, false, "*01E000000"}}) {
        unit.setInvalidOutput(c.output, c.invalid);
        const std::string index = (c.output < 10 ? "0" : "") + std::to_string(c.output);
        EXPECT_EQ(ask("R01E" + index), c.reply) << c.output;
    }
    unit.setInvalidOutput(40, true);  // no such output: nothing happens
    unit.setInvalidOutput(-1, true);
    EXPECT_EQ(ask("R01E39"), "*01E390004");
}

// Controller 0 measures A00 against the setpoint in B09, writes B00 and
// drives D03 time-proportioned with a 10 s cycle; proportional only, so its
// output settles half-way when the setpoint is a full span above ambient.
TEST_F(UnitConditions, TimeProportionedOutputSwitchesItsDigitalOutput) {
    constexpr std::uint16_t kA00 = 0x01, kB00 = 0x41, kB09 = 0x4A;
    constexpr std::uint16_t kEnabledTpD03 = 0x80 | 0x40 | 4;
    ASSERT_TRUE(unit.setItem(1, 'a', 0, kEnabledTpD03));
    ASSERT_TRUE(unit.setItem(1, 'b', 0, kA00));
    ASSERT_TRUE(unit.setItem(1, 'c', 0, kB09));
    ASSERT_TRUE(unit.setItem(1, 'd', 0, kB00));
    ASSERT_TRUE(unit.setItem(1, 'e', 0, 10));
    ASSERT_TRUE(unit.setValue('J', 0, 1000));
    ASSERT_TRUE(unit.setValue('B', 9, static_cast<std::int16_t>(*unit.value('A', 0) + 1000)));

    unit.advance(5 * 60 * 1000);  // the process settles
    int onTicks = 0, changes = 0;
    bool last = (*unit.value('H', 0) & 0x08) != 0;
    for (int tick = 0; tick < 600; ++tick) {  // a minute: six cycles
        unit.advance(100);
        const bool on = (*unit.value('H', 0) & 0x08) != 0;
        onTicks += on ? 1 : 0;
        changes += on != last ? 1 : 0;
        last = on;
        EXPECT_EQ(*unit.value('H', 0) & ~0x08, 0) << "only D03 moves";
    }
    EXPECT_GE(changes, 10);
    EXPECT_LE(changes, 13);
    EXPECT_NEAR(onTicks, 300, 60);
    // The line reads the group the same way.
    EXPECT_EQ(ask("R01H00"), std::string("*01H00000") + (last ? "8" : "0"));
}

TEST_F(UnitConditions, AnalogControllerLeavesTheDigitalOutputsAlone) {
    ASSERT_TRUE(unit.setItem(1, 'a', 0, 0x80 | 4));  // a stray number without the TP bit
    ASSERT_TRUE(unit.setItem(1, 'b', 0, 0x01));
    ASSERT_TRUE(unit.setItem(1, 'c', 0, 0x4A));
    ASSERT_TRUE(unit.setItem(1, 'd', 0, 0x41));
    ASSERT_TRUE(unit.setValue('B', 9, 500));
    for (int second = 0; second < 60; ++second) {
        unit.advance(1000);
        EXPECT_EQ(unit.value('H', 0), 0);
    }
}

TEST(PtyUnitSilence, ToggledWhileServing) {
    PtyUnit unit(UnitConfig{}, LineTiming{});
    unit.start();
    test::PtyClient client(unit.devicePath());
    for (const bool silent : {false, true, false, true, false}) {
        unit.setSilent(silent);
        EXPECT_EQ(unit.silent(), silent);
        EXPECT_EQ(client.ask("S01I\r", silent ? 200 : 2000), silent ? "" : "*01I\r") << silent;
    }
    const std::vector<Exchange> exchanges = unit.takeExchanges();
    ASSERT_EQ(exchanges.size(), 5u);
    EXPECT_FALSE(exchanges[1].reply.has_value());
}

}  // namespace
}  // namespace zat::sim
