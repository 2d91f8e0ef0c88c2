// The unit over simulated time: inputs, profilers, controllers.
#include "unit_asking.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace zat::sim {
namespace {

constexpr std::uint32_t kSecond = 1000;
constexpr std::uint32_t kMinute = 60 * kSecond;
constexpr std::uint16_t kRegisterB05 = 0x46;  // B in bits 6-7, number + 1
constexpr std::int16_t kRunning = 1, kRamping = 2, kRampUp = 4, kHeld = 8;

class UnitProcess : public test::UnitAsking {
protected:
    int value(char letter, int index) { return unit.value(letter, index).value(); }

    // Profile `number`: segment 0 ramps at `rate` per minute to `level` and
    // dwells `dwell` minutes; the rest step to the same level without dwell.
    void makeProfile(int number, int rate, int level, int dwell, int link) {
        ASSERT_TRUE(accepted("W01N000" + std::to_string(number)));
        ASSERT_TRUE(unit.setValue('O', 0, static_cast<std::int16_t>(rate)));
        ASSERT_TRUE(unit.setValue('Q', 0, static_cast<std::int16_t>(dwell)));
        for (int s = 0; s < 8; ++s) ASSERT_TRUE(unit.setValue('P', s, static_cast<std::int16_t>(level)));
        ASSERT_TRUE(unit.setValue('U', 0, static_cast<std::int16_t>(link)));
    }

    // Profiler 0 runs `profile` and puts its level on B05.
    void startProfiler0(int profile) {
        ASSERT_TRUE(unit.setValue('S', 0, static_cast<std::int16_t>(profile)));
        ASSERT_TRUE(unit.setItem(1, 'j', 0, kRegisterB05));
        ASSERT_TRUE(accepted("W01N0000"));
        ASSERT_TRUE(accepted("S01S"));
    }
};

TEST_F(UnitProcess, ProfilerRampsDwellsAndEndsWithoutLink) {
    makeProfile(0, 60, 100, 2, -1);  // 1 unit per second, 2 minutes' dwell
    startProfiler0(0);
    EXPECT_EQ(value('M', 0), kRunning | kRamping | kRampUp);

    unit.advance(30 * kSecond);
    EXPECT_NEAR(value('B', 5), 30, 1);
    EXPECT_EQ(value('R', 0), 0);

    unit.advance(70 * kSecond + kMinute + 100);
    EXPECT_EQ(value('B', 5), 100);
    EXPECT_EQ(value('M', 0), kRunning);  // dwelling
    EXPECT_EQ(value('T', 0), 1);
    EXPECT_EQ(value('R', 0), 0);

    unit.advance(kMinute);
    EXPECT_EQ(value('M', 0), 0);  // segments 1-7 take no time; no link: stopped
    EXPECT_EQ(value('B', 5), 100);
}

TEST_F(UnitProcess, ProfilerSegmentsInTurnThenFollowsTheLink) {
    makeProfile(1, 600, 200, 0, -1);
    makeProfile(0, 0, 50, 0, 1);            // steps to 50 at once
    ASSERT_TRUE(unit.setValue('Q', 3, 2));  // profile 0 (selected last): dwell in segment 3
    startProfiler0(0);

    unit.advance(kMinute + 100);
    EXPECT_EQ(value('R', 0), 3);
    EXPECT_EQ(value('T', 0), 1);
    EXPECT_EQ(value('B', 5), 50);

    unit.advance(kMinute - 100 + 5 * kSecond);  // dwell over, 5 s of profile 1: 10 per second
    EXPECT_EQ(value('R', 0), 0);
    EXPECT_EQ(value('M', 0), kRunning | kRamping | kRampUp);
    EXPECT_NEAR(value('B', 5), 100, 2);
}

TEST_F(UnitProcess, HoldStopsTimeReleaseResumesResetStops) {
    makeProfile(0, 60, 500, 0, -1);
    startProfiler0(0);
    unit.advance(10 * kSecond);
    ASSERT_TRUE(accepted("S01H"));
    EXPECT_EQ(value('M', 0), kRunning | kRamping | kRampUp | kHeld);
    const int heldAt = value('B', 5);
    unit.advance(kMinute);
    EXPECT_EQ(value('B', 5), heldAt);

    ASSERT_TRUE(accepted("S01F"));
    unit.advance(10 * kSecond);
    EXPECT_NEAR(value('B', 5), heldAt + 10, 1);
    EXPECT_EQ(value('M', 0), kRunning | kRamping | kRampUp);

    ASSERT_TRUE(accepted("S01R"));
    EXPECT_EQ(value('M', 0), 0);
    EXPECT_EQ(value('R', 0), 0);
    EXPECT_EQ(value('T', 0), 0);
    const int stoppedAt = value('B', 5);
    unit.advance(kMinute);
    EXPECT_EQ(value('B', 5), stoppedAt);
}

TEST_F(UnitProcess, ControllerDrivesItsInputTowardTheSetpoint) {
    ASSERT_TRUE(unit.setItem(0, 'a', 0, 3));     // input 0: thermocouple, degrees C
    ASSERT_TRUE(unit.setItem(1, 'b', 0, 0x01));  // measures A00
    ASSERT_TRUE(unit.setItem(1, 'c', 0, 0x4B));  // setpoint in B10
    ASSERT_TRUE(unit.setItem(1, 'd', 0, 0x4C));  // output to B11
    ASSERT_TRUE(unit.setValue('J', 0, 50));
    ASSERT_TRUE(unit.setValue('K', 0, 60));
    ASSERT_TRUE(unit.setValue('B', 10, 400));
    const int before = value('A', 0);
    ASSERT_LT(before, 330);

    unit.advance(kMinute);
    EXPECT_EQ(value('B', 11), 0);  // not enabled yet: nothing happens
    ASSERT_TRUE(unit.setItem(1, 'a', 0, 0x80));
    unit.advance(10 * kMinute);
    EXPECT_GT(value('B', 11), 0);
    EXPECT_NEAR(value('A', 0), 400, 10);

    ASSERT_TRUE(unit.setValue('B', 10, 350));
    unit.advance(10 * kMinute);
    EXPECT_NEAR(value('A', 0), 350, 10);

    ASSERT_TRUE(unit.setItem(1, 'a', 0, 0));  // disabled: the input reads its own signal again
    unit.advance(kSecond);
    EXPECT_LT(value('A', 0), 330);
}

TEST_F(UnitProcess, ThermocoupleReadingFollowsUnitsAndTenths) {
    ASSERT_TRUE(unit.setItem(0, 'a', 1, 0x03));
    const int celsius = value('A', 1);
    EXPECT_GE(celsius, 5);
    EXPECT_LE(celsius, 315);
    ASSERT_TRUE(unit.setItem(0, 'a', 1, 0x23));
    EXPECT_NEAR(value('A', 1), celsius * 9.0 / 5.0 + 32, 2);
    ASSERT_TRUE(unit.setItem(0, 'a', 1, 0x43));
    EXPECT_NEAR(value('A', 1), celsius * 10, 5);

    int lowest = value('A', 1), highest = lowest;
    for (int i = 0; i < 60; ++i) {
        unit.advance(10 * kSecond);
        lowest = std::min(lowest, value('A', 1));
        highest = std::max(highest, value('A', 1));
    }
    EXPECT_LT(lowest, highest);        // it wanders ...
    EXPECT_LT(highest - lowest, 300);  // ... slowly (tenths)
}

TEST_F(UnitProcess, LinearInputStaysBetweenItsScalars) {
    ASSERT_TRUE(unit.setItem(0, 'a', 2, 11));
    ASSERT_TRUE(unit.setItem(0, 0x7F, 2, 100));
    ASSERT_TRUE(unit.setItem(0, '~', 2, 200));
    for (int i = 0; i < 120; ++i) {
        unit.advance(30 * kSecond);
        ASSERT_GE(value('A', 2), 100);
        ASSERT_LE(value('A', 2), 200);
        ASSERT_EQ(value('F', 2), 0);
    }
    ASSERT_TRUE(unit.setValue('A', 2, 250));
    EXPECT_EQ(value('F', 2), 0x40);
    ASSERT_TRUE(unit.setValue('A', 2, 50));
    EXPECT_EQ(value('F', 2), 0x20);
}

TEST_F(UnitProcess, BrokenSensorFreezesAndFlagsTheInput) {
    ASSERT_TRUE(unit.setItem(0, 'a', 4, 0x43));
    unit.setBrokenSensor(4, true);
    const int frozen = value('A', 4);
    EXPECT_EQ(value('F', 4) & 0x80, 0x80);
    unit.advance(5 * kMinute);
    EXPECT_EQ(value('A', 4), frozen);
    EXPECT_EQ(unit.handle("R01F04"), "*01F040128");

    unit.setBrokenSensor(4, false);
    EXPECT_EQ(value('F', 4), 0);
    unit.advance(5 * kMinute);
    EXPECT_NE(value('A', 4), frozen);
}

TEST_F(UnitProcess, SameSeedSameSignalsOtherSeedOthers) {
    UnitState again, other(UnitConfig{.randomStart = 2});
    for (int step = 0; step < 10; ++step) {
        for (UnitState* u : {&unit, &again, &other}) u->advance(7 * kSecond + 13);
        for (int input = 0; input < 40; input += 7) {
            EXPECT_EQ(unit.value('A', input), again.value('A', input));
        }
    }
    int differing = 0;
    for (int input = 0; input < 40; ++input) differing += unit.value('A', input) != other.value('A', input);
    EXPECT_GT(differing, 30);
}

TEST_F(UnitProcess, DigitalInputsMoveOverTime) {
    const int first = value('G', 0);
    EXPECT_NE(first, 0);
    unit.advance(2 * kSecond);
    EXPECT_NE(value('G', 0), first);
    ASSERT_TRUE(unit.setValue('G', 0, 0xA5));
    unit.advance(10 * kSecond);
    EXPECT_EQ(unit.handle("R01G00"), "*01G000165");
}

}  // namespace
}  // namespace zat::sim
