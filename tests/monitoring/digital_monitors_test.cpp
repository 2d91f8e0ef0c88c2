#include "monitor_rig.h"
#include "monitoring/digital_monitors.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

using namespace test;
using sim::Fault;

std::vector<std::optional<bool>> lamps(const DigitalMonitorPage& page) {
    std::vector<std::optional<bool>> out;
    for (const auto& row : page.rows) out.push_back(row.lamp);
    return out;
}

std::vector<bool> boxes(const DigitalMonitorPage& page) {
    std::vector<bool> out;
    for (const auto& row : page.rows) out.push_back(row.checked);
    return out;
}

const Requests kOpening = Requests{"W01?0042", "W01]0000"} + readsOf('b', 0, 4);

TEST(DigitalInputMonitor, OpeningReadsNoStateAndTheTickLightsTheSetBits) {
    UnitOnPty rig;
    rig.unit.withState([](sim::UnitState& s) { ASSERT_TRUE(s.setValue('G', 0, 5)); });
    ConfigDatabase database;
    database.digitalInputComments[3].assign("Door");
    DigitalInputMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    EXPECT_EQ(rig.requests(), kOpening);
    const DigitalMonitorPage& page = monitor.page();
    ASSERT_EQ(page.tabs.size(), 5u);  // slot codes 3, 1, 4, 6, 7
    EXPECT_TRUE(page.tabs[3].bright);
    EXPECT_FALSE(page.tabs[4].bright);
    EXPECT_EQ(page.rows[3].name, "C03");
    EXPECT_EQ(page.rows[3].comment, "Door");
    EXPECT_EQ(lamps(page)[0], std::nullopt);
    monitor.tick(rig.protocol);
    EXPECT_EQ(rig.requests(), Requests{"R01G00"});
    EXPECT_EQ(lamps(page), (std::vector<std::optional<bool>>{true, false, true, false, false, false, false, false}));
    EXPECT_EQ(monitor.tickInterval(), std::chrono::milliseconds(1000));
    monitor.loadPage(rig.protocol, 1);  // lamps blank until read again
    EXPECT_EQ(rig.requests(), Requests{});
    EXPECT_EQ(page.rows[0].name, "C08");
    EXPECT_EQ(lamps(page)[0], std::nullopt);
}

TEST(DigitalOutputMonitor, OpeningReadsTheFirstGroupIntoLampsAndBoxes) {
    UnitOnPty rig;
    rig.unit.withState([](sim::UnitState& s) { ASSERT_TRUE(s.setValue('H', 0, 0x81)); });
    ConfigDatabase database;
    DigitalOutputMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    EXPECT_EQ(rig.requests(), kOpening + Requests{"R01H00"});
    const DigitalMonitorPage& page = monitor.page();
    ASSERT_EQ(page.tabs.size(), 7u);
    EXPECT_TRUE(page.tabs[4].bright);
    EXPECT_EQ(page.tabs[5].title, "40-47");
    EXPECT_EQ(page.tabs[6].title, "48-55");
    EXPECT_EQ(boxes(page), (std::vector<bool>{true, false, false, false, false, false, false, true}));
    EXPECT_TRUE(page.boxesEnabled);
    EXPECT_FALSE(page.applyEnabled);
    monitor.loadPage(rig.protocol, 6);
    EXPECT_EQ(rig.requests(), Requests{"R01H06"});
    EXPECT_EQ(page.rows[0].name, "D48");
    EXPECT_EQ(page.rows[7].name, "D55");
}

// The output monitor showing group 1, whose outputs D08 and D09 are on.
struct GroupOneRig {
    UnitOnPty rig;
    ConfigDatabase database;
    DigitalOutputMonitor monitor{database};
    GroupOneRig() {
        rig.unit.withState([](sim::UnitState& s) { ASSERT_TRUE(s.setValue('H', 1, 3)); });
        EXPECT_EQ(monitor.open(rig.protocol), Outcome::Ok);
        monitor.loadPage(rig.protocol, 1);
    }
};

TEST(DigitalOutputMonitor, ApplyWritesTouchedBoxesAndUntouchedOnesAsTheirLamps) {
    const struct {
        std::int16_t later;
        std::int16_t written;
    } cases[] = {
        {3, 131},  // boxes 0 and 1 stay checked, box 7 added
        {4, 132},  // the unit changed: untouched boxes follow the lamps
    };
    for (const auto& c : cases) {
        GroupOneRig g;
        UnitOnPty& rig = g.rig;
        DigitalOutputMonitor& monitor = g.monitor;
        monitor.setBox(7, true);
        EXPECT_TRUE(monitor.page().applyEnabled);
        rig.unit.withState([&](sim::UnitState& s) { ASSERT_TRUE(s.setValue('H', 1, c.later)); });
        monitor.tick(rig.protocol);
        EXPECT_TRUE(monitor.page().rows[7].checked);
        (void)rig.requests();
        (void)monitor.apply(rig.protocol);
        char write[16];
        std::snprintf(write, sizeof write, "W01H01%04d", c.written);
        EXPECT_EQ(rig.requests(), (Requests{write, "R01H01"}));
        EXPECT_FALSE(monitor.page().applyEnabled);
        EXPECT_EQ(monitor.page().rows[7].lamp, true);
    }
}

TEST(DigitalOutputMonitor, AFailedWriteKeepsTheUsersBoxesAndApply) {
    GroupOneRig g;
    UnitOnPty& rig = g.rig;
    DigitalOutputMonitor& monitor = g.monitor;
    monitor.setBox(0, false);
    monitor.setBox(7, true);
    rig.unit.setSilent(true);
    (void)monitor.apply(rig.protocol);
    EXPECT_EQ(boxes(monitor.page()), (std::vector<bool>{false, true, false, false, false, false, false, true}));
    EXPECT_TRUE(monitor.page().applyEnabled);
    rig.unit.setSilent(false);
    monitor.tick(rig.protocol);  // the lamps follow the unit, the boxes stay as chosen
    EXPECT_EQ(monitor.page().rows[0].lamp, true);
    EXPECT_FALSE(monitor.page().rows[0].checked);
    (void)rig.requests();
    (void)monitor.apply(rig.protocol);
    EXPECT_EQ(rig.requests(), (Requests{"W01H010130", "R01H01"}));
    EXPECT_FALSE(monitor.page().applyEnabled);
}

TEST(DigitalOutputMonitor, AfterAFailedReadTheBoxesStayDisabledUntilAReadSucceeds) {
    UnitOnPty rig;
    ConfigDatabase database;
    DigitalOutputMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    rig.unit.injectNext(Fault::Refuse);
    monitor.tick(rig.protocol);
    EXPECT_FALSE(monitor.page().boxesEnabled);
    monitor.setBox(0, true);
    EXPECT_FALSE(monitor.page().rows[0].checked);
    (void)rig.requests();
    (void)monitor.apply(rig.protocol);
    EXPECT_EQ(rig.requests(), Requests{});
    monitor.tick(rig.protocol);
    EXPECT_TRUE(monitor.page().boxesEnabled);
}

TEST(DigitalOutputMonitor, ASilentUnitBacksOffAndRecovers) {
    UnitOnPty rig({}, {}, patientSettings());
    ConfigDatabase database;
    DigitalOutputMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    (void)rig.requests();
    dropNext(rig, 3);
    monitor.tick(rig.protocol);
    EXPECT_EQ(rig.requests(), (Requests{"R01H00", "R01H00", "R01H00"}));
    EXPECT_EQ(monitor.page().linkStatus, "No reply from unit");
    EXPECT_EQ(monitor.tickInterval(), std::chrono::milliseconds(5000));
    EXPECT_FALSE(monitor.page().boxesEnabled);
    monitor.tick(rig.protocol);
    EXPECT_EQ(rig.requests(), Requests{"R01H00"});
    EXPECT_EQ(monitor.page().linkStatus, "");
    EXPECT_EQ(monitor.tickInterval(), std::chrono::milliseconds(1000));
    EXPECT_TRUE(monitor.page().boxesEnabled);
}

}  // namespace
}  // namespace zat
