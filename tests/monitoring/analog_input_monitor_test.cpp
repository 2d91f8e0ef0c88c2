#include "monitor_rig.h"
#include "monitoring/analog_input_monitor.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

using namespace test;
using sim::Fault;

TEST(AnalogInputMonitor, OpeningProbesReadsSlotsAndLoadsSlotOneThenPollsRowOne) {
    UnitOnPty rig;
    AnalogInputMonitor monitor;
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    EXPECT_EQ(rig.requests(),
              (Requests{"W01?0042", "W01]0000"} + readsOf('b', 0, 4) + Requests{"W01]0000"} + readsOf('a', 0, 7)));
    monitor.tick(rig.protocol);
    EXPECT_EQ(rig.requests(), (Requests{"R01A01", "R01F01"}));
    const auto& tabs = monitor.page().tabs;  // slot codes 3, 1, 4, 6, 7
    ASSERT_EQ(tabs.size(), 5u);
    EXPECT_EQ(tabs[0].title, "Slot 1");
    EXPECT_EQ((std::vector<bool>{tabs[0].bright, tabs[1].bright, tabs[2].bright, tabs[3].bright, tabs[4].bright}),
              (std::vector<bool>{true, true, false, false, false}));
    EXPECT_EQ(monitor.page().rows[7].name, "A07");
    EXPECT_EQ(monitor.tickInterval(), std::chrono::milliseconds(250));
}

TEST(AnalogInputMonitor, OpeningAgainstASilentUnitFails) {
    UnitOnPty rig;
    dropNext(rig, 3);
    AnalogInputMonitor monitor;
    EXPECT_EQ(monitor.open(rig.protocol), Outcome::Failed);
    EXPECT_EQ(rig.user.prompts.shown.size(), 1u);
}

TEST(AnalogInputMonitor, RangeTexts) {
    const struct {
        std::optional<std::uint16_t> word;
        const char* text;
    } cases[] = {
        {0x0043, "TC Type K 1/10\u00B0C"},
        {0x002C, "Pt100 \u00B0F"},
        {0x0000, "TC Type S \u00B0C"},
        {0x0069, "Linear 100mV"},
        {0x000D, "Linear 20mA"},
        {0x000F, "?"},
        {std::nullopt, "?"},
    };
    for (const auto& c : cases) EXPECT_EQ(analogInputRangeText(c.word), c.text);
}

TEST(AnalogInputMonitor, ValuesAreScaledByTheTypeWordAndBrokenKeepsTheMarkers) {
    const struct {
        std::uint16_t word;
        bool broken;
        const char* value;
        bool third;
    } cases[] = {
        {0x0043, false, "123.4", false}, {0x0003, false, "1234", false}, {0x0049, false, "123.4", false},
        {0x0003, true, "Broken", false}, {0x004F, true, "Broken", true},
    };
    for (const auto& c : cases) {
        UnitOnPty rig;
        rig.unit.withState([&](sim::UnitState& s) {
            ASSERT_TRUE(s.setItem(0, 'a', 1, c.word));
            ASSERT_TRUE(s.setValue('A', 1, 1234));
            s.setBrokenSensor(1, c.broken);
        });
        AnalogInputMonitor monitor;
        ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
        monitor.tick(rig.protocol);
        ASSERT_EQ(monitor.polledRow(), 1);
        const AnalogInputMonitorRow& row = monitor.page().rows[1];
        EXPECT_EQ(row.value, c.value) << c.word;
        EXPECT_EQ(row.status.value_or(0) & 0x80, c.broken ? 0x80 : 0) << c.word;
        EXPECT_EQ(row.thirdMarker, c.third) << c.word;
    }
}

TEST(AnalogInputMonitor, APageChangeBlanksValuesAndMarkers) {
    UnitOnPty rig;
    rig.unit.withState([](sim::UnitState& s) { ASSERT_TRUE(s.setItem(0, 'a', 1, 0x000F)); });
    AnalogInputMonitor monitor;
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    monitor.tick(rig.protocol);
    ASSERT_FALSE(monitor.page().rows[1].value.empty());
    ASSERT_TRUE(monitor.page().rows[1].thirdMarker);
    monitor.loadPage(rig.protocol, 1);
    EXPECT_EQ(rig.requests().back(), "R01a15");
    EXPECT_EQ(monitor.page().rows[1].name, "A09");
    EXPECT_EQ(monitor.page().rows[1].value, "");
    EXPECT_FALSE(monitor.page().rows[1].thirdMarker);
    monitor.tick(rig.protocol);  // the row is not reset by the page change
    EXPECT_EQ(rig.requests(), (Requests{"R01A10", "R01F10"}));
}

TEST(AnalogInputMonitor, AFailedTypeWordReadShowsAnUnknownRange) {
    // Requests 1-8 open up to the page's select; 9 is "a00", 10 is "a01".
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings(0), faultAt(10, Fault::Refuse));
    rig.unit.withState([](sim::UnitState& s) { ASSERT_TRUE(s.setItem(0, 'a', 1, 0x0043)); });
    AnalogInputMonitor monitor;
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    EXPECT_EQ(monitor.page().rows[1].range, "?");
    EXPECT_EQ(monitor.page().rows[2].range, "TC Type S \u00B0C");
}

TEST(AnalogInputMonitor, ASilentUnitDropsTheTickAndBacksOffUntilItAnswers) {
    UnitOnPty rig({}, {}, patientSettings());  // two retries
    AnalogInputMonitor monitor;
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    (void)rig.requests();
    dropNext(rig, 3);
    monitor.tick(rig.protocol);
    EXPECT_EQ(rig.requests(), (Requests{"R01A01", "R01A01", "R01A01"}));  // no status read
    EXPECT_FALSE(monitor.page().rows[1].status);
    EXPECT_EQ(monitor.page().linkStatus, "No reply from unit");
    EXPECT_EQ(monitor.tickInterval(), std::chrono::milliseconds(5000));
    dropNext(rig, 1);
    monitor.tick(rig.protocol);
    EXPECT_EQ(rig.requests(), (Requests{"R01A02"}));  // once, without retries
    EXPECT_EQ(monitor.tickInterval(), std::chrono::milliseconds(5000));
    monitor.tick(rig.protocol);
    EXPECT_EQ(rig.requests(), (Requests{"R01A03", "R01F03"}));  // no new opening
    EXPECT_EQ(monitor.page().linkStatus, "");
    EXPECT_EQ(monitor.tickInterval(), std::chrono::milliseconds(250));
    EXPECT_FALSE(monitor.page().rows[3].value.empty());
}

// A01 in tenths holds 358 (35.8): while its type is unknown the value is
// "?", and every poll of the row asks for the type again.
TEST(AnalogInputMonitor, AnUnknownTypeShowsAnUnknownValueAndIsAskedAgainAtTheNextPoll) {
    const struct {
        sim::FaultPlan faults;
        const char* value;
        const char* range;
    } cases[] = {
        {[] {
             sim::FaultPlan always;
             always.failRequests({"R01a01", Fault::Garble});
             return always;
         }(),
         "?", "?"},
        {faultAt(10, Fault::Garble), "35.8", "TC Type K 1/10\u00B0C"},  // 9 is "a00": only the opening's "a01" fails
    };
    for (const auto& c : cases) {
        UnitOnPty rig({}, {}, UnitOnPty::quickSettings(0), c.faults);
        rig.unit.withState([](sim::UnitState& s) {
            ASSERT_TRUE(s.setItem(0, 'a', 1, 0x0043));
            ASSERT_TRUE(s.setValue('A', 1, 358));
        });
        AnalogInputMonitor monitor;
        ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
        ASSERT_EQ(monitor.page().rows[1].range, "?");
        (void)rig.requests();
        monitor.tick(rig.protocol);
        EXPECT_EQ(rig.requests(), (Requests{"W01]0000", "R01a01", "R01A01", "R01F01"}));
        const AnalogInputMonitorRow& row = monitor.page().rows[1];
        EXPECT_EQ(row.value, c.value);
        EXPECT_EQ(row.valueKnown, std::string(c.value) != "?");
        EXPECT_EQ(row.range, c.range);
    }
}

}  // namespace
}  // namespace zat
