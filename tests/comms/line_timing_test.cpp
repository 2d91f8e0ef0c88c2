#include "comms/device_name.h"
#include "comms/line_timing.h"

#include <gtest/gtest.h>
#include <map>

namespace zat {
namespace {

using namespace std::chrono;

TEST(LineTiming, HoldAfterDrainIsOneCharacterInWholeMilliseconds) {
    EXPECT_EQ(holdAfterDrain(1200), 8ms);
    EXPECT_EQ(holdAfterDrain(2400), 4ms);
    EXPECT_EQ(holdAfterDrain(4800), 2ms);
    EXPECT_EQ(holdAfterDrain(9600), 1ms);
    EXPECT_EQ(holdAfterDrain(19200), 0ms);
}

TEST(LineTiming, CharacterTimeIsTenBits) {
    EXPECT_EQ(characterTime(9600), nanoseconds(1'041'666));
    EXPECT_EQ(characterTime(1200), nanoseconds(8'333'333));
    // A rate of 0 read from a broken file must not divide by zero; the slowest rate is assumed.
    EXPECT_EQ(characterTime(0), characterTime(1200));
}

TEST(LineTiming, ReleaseWaitsForTheFrameAndOneCharacterEvenIfTheDrainReturnsAtOnce) {
    const LineClock::time_point began{};
    // A pseudo-terminal or USB adapter: the drain returns immediately.
    EXPECT_EQ(transmitterReleaseTime(began, began, 11, 9600) - began, characterTime(9600) * 12);
    // At 19200 baud the one-character hold is not lost either.
    EXPECT_EQ(transmitterReleaseTime(began, began, 11, 19200) - began, characterTime(19200) * 12);
}

TEST(LineTiming, ReleaseAfterALateDrainStillHoldsOneCharacter) {
    const LineClock::time_point began{};
    const auto drained = began + 150ms;  // a real UART draining slowly
    EXPECT_EQ(transmitterReleaseTime(began, drained, 11, 1200), drained + 8ms);
    EXPECT_EQ(transmitterReleaseTime(began, drained, 11, 19200), drained);
}

TEST(LineTiming, SleepUntilDoesNotReturnEarly) {
    const auto target = LineClock::now() + 3ms;
    sleepUntil(target);
    EXPECT_GE(LineClock::now(), target);
    sleepUntil(LineClock::now() - 1s);  // a past time returns at once
}

TEST(DeviceName, PortNumberNamesTtyS) {
    const auto none = [](const std::string&) -> std::optional<std::string> { return std::nullopt; };
    EXPECT_EQ(comPortDevicePath(1, none), "/dev/ttyS0");
    EXPECT_EQ(comPortDevicePath(3, none), "/dev/ttyS2");
    EXPECT_EQ(comPortDevicePath(8, none), "/dev/ttyS7");
}

TEST(DeviceName, EnvironmentNamesAnotherDevice) {
    const std::map<std::string, std::string> environment{{"ZAT_COM4", "/dev/ttyUSB0"}, {"ZAT_COM5", ""}};
    const auto lookup = [&](const std::string& name) -> std::optional<std::string> {
        const auto found = environment.find(name);
        if (found == environment.end()) return std::nullopt;
        return found->second;
    };
    EXPECT_EQ(comPortDevicePath(4, lookup), "/dev/ttyUSB0");
    EXPECT_EQ(comPortDevicePath(5, lookup), "/dev/ttyS4");  // an empty variable names nothing
    EXPECT_EQ(comPortDevicePath(3, lookup), "/dev/ttyS2");
    EXPECT_EQ(comPortVariable(4), "ZAT_COM4");
}

}  // namespace
}  // namespace zat
