#include "monitor_rig.h"
#include "monitoring/analog_output_monitor.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

using namespace test;
using sim::Fault;

Requests rowLoad(int channel) {
    Requests out;
    for (char letter : {'d', 'e', 'f', 'g'}) out = out + readsOf(letter, channel, channel);
    return out + readsOf('E', channel, channel);
}

TEST(AnalogOutputMonitor, OpeningProbesReadsSlotsAndLoadsTheFirstFourOutputs) {
    UnitOnPty rig;
    ConfigDatabase database;
    database.analogOutputs[2].comment.assign("Valve");
    AnalogOutputMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    EXPECT_EQ(rig.requests(), (Requests{"W01?0042", "W01]0000"} + readsOf('b', 0, 4) + Requests{"W01]0000"} +
                               rowLoad(0) + rowLoad(1) + rowLoad(2) + rowLoad(3)));
    monitor.tick(rig.protocol);
    EXPECT_EQ(rig.requests(), (Requests{"R01B01", "R01E01"}));
    const auto& page = monitor.page();
    ASSERT_EQ(page.tabs.size(), 10u);  // slot codes 3, 1, 4, 6, 7
    EXPECT_TRUE(page.tabs[2].bright);
    EXPECT_FALSE(page.tabs[0].bright);
    EXPECT_EQ(page.tabs[5].title, "20-23");
    EXPECT_EQ(page.tabs[9].title, "36-39");
    EXPECT_EQ(page.rows[2].name, "B02");
    EXPECT_EQ(page.rows[2].comment, "Valve");
    EXPECT_FALSE(page.applyEnabled);
}

TEST(AnalogOutputMonitor, RangeTexts) {
    const struct {
        std::uint16_t word;
        std::int16_t from, to, bias;
        const char* text;
    } cases[] = {
        {0x0033, 0, 0, 0, "TC Type K, 1/10ths \u00B0C"},
        {0x0053, 0, 0, 0, "TC Type K, \u00B0F"},
        {0x0000, 0, 100, 5, "Linear 0 to 100, bias 5%"},
        {0x0020, -50, 50, -2, "Linear -50 to 50, bias -2%"},
        {0x001F, 0, 0, 0, "?"},
    };
    for (const auto& c : cases) EXPECT_EQ(analogOutputRangeText(c.word, c.from, c.to, c.bias), c.text);
}

TEST(AnalogOutputMonitor, EntriesAreFiniteSixteenBitNumbersRoundedHalfAwayFromZero) {
    const struct {
        const char* text;
        bool tenths;
        std::optional<std::int16_t> value;
    } cases[] = {
        {"12.34", true, 123}, {"12.34", false, 12},    {"-1.26", true, -13},      {"0.05", true, 1},
        {"-0.05", true, -1},  {"1.15", true, 12},      {"2.5", false, 3},         {"-2.5", false, -3},
        {" +7 ", false, 7},   {"32767", false, 32767}, {"-3276.8", true, -32768}, {"32768", false, {}},
        {"3276.8", true, {}}, {"abc", false, {}},      {"12abc", false, {}},      {"", false, {}},
        {"inf", false, {}},   {"nan", true, {}},       {"1e9", false, {}},
    };
    for (const auto& c : cases) {
        const FieldCheck<std::int16_t> check = convertOutputEntry(c.text, c.tenths);
        ASSERT_EQ(check.ok(), c.value.has_value()) << c.text;
        if (check)
            EXPECT_EQ(*check, *c.value) << c.text;
        else
            EXPECT_EQ(check.message().text,
                      c.tenths ? "Enter a number from -3276.8 to 3276.7" : "Enter a number from -32768 to 32767");
    }
}

TEST(AnalogOutputMonitor, CurrentValuesFollowTheTypeAndStatus) {
    const struct {
        std::uint16_t word;
        bool invalid;
        Fault fault;
        const char* current;
    } cases[] = {
        {0x0033, false, Fault::None, "123.4"},   {0x0013, false, Fault::None, "1234"},
        {0x0020, false, Fault::None, "1234"},    {0x0033, true, Fault::None, "Invalid"},
        {0x0033, false, Fault::Refuse, "Error"},
    };
    for (const auto& c : cases) {
        UnitOnPty rig;
        rig.unit.withState([&](sim::UnitState& s) {
            ASSERT_TRUE(s.setItem(0, 'g', 1, c.word));
            ASSERT_TRUE(s.setValue('B', 1, 1234));
            s.setInvalidOutput(1, c.invalid);
        });
        ConfigDatabase database;
        AnalogOutputMonitor monitor(database);
        ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
        rig.unit.injectNext(c.fault);
        monitor.tick(rig.protocol);
        ASSERT_EQ(monitor.polledRow(), 1);
        EXPECT_EQ(monitor.page().rows[1].current, c.current) << c.word;
        EXPECT_EQ(monitor.page().rows[1].status.has_value(), c.fault == Fault::None) << c.word;
        EXPECT_EQ(monitor.page().rows[1].status.value_or(0) & 0x04, c.invalid ? 0x04 : 0) << c.word;
    }
}

TEST(AnalogOutputMonitor, APageChangeBlanksValuesAndDropsUnappliedEntries) {
    UnitOnPty rig;
    ConfigDatabase database;
    AnalogOutputMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    monitor.tick(rig.protocol);
    monitor.setEntry(1, "5");
    ASSERT_TRUE(monitor.page().applyEnabled);
    monitor.loadPage(rig.protocol, 5);
    (void)rig.requests();
    const auto& row = monitor.page().rows[1];
    EXPECT_EQ(row.name, "B21");
    EXPECT_EQ(row.current, "");
    EXPECT_EQ(row.entry, "");
    EXPECT_EQ(row.range, "");
    EXPECT_FALSE(monitor.page().applyEnabled);
    EXPECT_TRUE(monitor.apply(rig.protocol).empty());
    EXPECT_EQ(rig.requests(), Requests{});
}

TEST(AnalogOutputMonitor, ApplyWritesEnabledRowsInTheirScaleAndSkipsDisabledOnes) {
    UnitOnPty rig;
    rig.unit.withState([](sim::UnitState& s) {
        ASSERT_TRUE(s.setItem(0, 'g', 0, 0x0033));
        ASSERT_TRUE(s.setValue('E', 2, 0x08));
    });
    ConfigDatabase database;
    AnalogOutputMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    (void)rig.requests();
    EXPECT_FALSE(monitor.page().rows[2].entryEnabled);
    monitor.setEntry(0, "-1.26");
    monitor.setEntry(1, "12.34");
    monitor.setEntry(2, "9");
    EXPECT_TRUE(monitor.apply(rig.protocol).empty());
    EXPECT_EQ(rig.requests(), (Requests{"W01B00-0013", "W01B010012"}));
    EXPECT_EQ(monitor.page().rows[0].entry, "");
    EXPECT_FALSE(monitor.page().applyEnabled);
}

TEST(AnalogOutputMonitor, ARefusedEntrySkipsOnlyItsRow) {
    UnitOnPty rig;
    ConfigDatabase database;
    AnalogOutputMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    (void)rig.requests();
    monitor.setEntry(0, "1");
    monitor.setEntry(1, "letters");
    monitor.setEntry(2, "-2");
    monitor.setEntry(3, "99999");
    const auto refusals = monitor.apply(rig.protocol);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0].row, 1);  // the first refused row is told and takes the focus
    EXPECT_EQ(rig.requests(), (Requests{"W01B000001", "W01B02-0002"}));
    const auto& rows = monitor.page().rows;
    EXPECT_EQ((std::vector<std::string>{rows[0].entry, rows[1].entry, rows[2].entry, rows[3].entry}),
              (std::vector<std::string>{"", "letters", "", "99999"}));
    EXPECT_TRUE(monitor.page().applyEnabled);  // the refused entries wait for the next Apply
}

TEST(AnalogOutputMonitor, AFailedTypeWordReadShowsAnUnknownRangeAndRefusesEntries) {
    // 1-8 open up to the page's select; row 0 is 9-13, so "g01" is 17.
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings(0), faultAt(17, Fault::Refuse));
    ConfigDatabase database;
    AnalogOutputMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    EXPECT_EQ(monitor.page().rows[1].range, "?");
    EXPECT_FALSE(monitor.page().rows[1].entryEnabled);
    EXPECT_TRUE(monitor.page().rows[0].entryEnabled);
}

TEST(AnalogOutputMonitor, ASilentUnitShowsErrorAndBacksOff) {
    UnitOnPty rig({}, {}, patientSettings());
    ConfigDatabase database;
    AnalogOutputMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    (void)rig.requests();
    dropNext(rig, 3);
    monitor.tick(rig.protocol);
    EXPECT_EQ(rig.requests(), (Requests{"R01B01", "R01B01", "R01B01"}));
    EXPECT_EQ(monitor.page().rows[1].current, "Error");
    EXPECT_EQ(monitor.page().linkStatus, "No reply from unit");
    EXPECT_EQ(monitor.tickInterval(), std::chrono::milliseconds(5000));
    monitor.tick(rig.protocol);
    EXPECT_EQ(rig.requests(), (Requests{"R01B02", "R01E02"}));
    EXPECT_EQ(monitor.tickInterval(), std::chrono::milliseconds(250));
}

}  // namespace
}  // namespace zat
