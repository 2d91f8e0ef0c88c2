#include "monitor_rig.h"
#include "monitoring/controller_monitor.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zat {
namespace {

using namespace test;

// Controllers 1 and 4 enabled; controller 1 measures A5, follows setpoint A6
// and drives A7 (pinned, so the simulated loop does not move it).
void setUpControllers(sim::UnitState& s) {
    ASSERT_TRUE(s.setItem(1, 'a', 1, 0x80));
    ASSERT_TRUE(s.setItem(1, 'a', 4, 0x80));
    ASSERT_TRUE(s.setItem(1, 'b', 1, 0x06));
    ASSERT_TRUE(s.setItem(1, 'c', 1, 0x07));
    ASSERT_TRUE(s.setItem(1, 'd', 1, 0x08));
    ASSERT_TRUE(s.setValue('A', 6, 321));
    ASSERT_TRUE(s.setValue('A', 7, 250));
    ASSERT_TRUE(s.setValue('J', 1, 20));
    s.setBrokenSensor(5, true);
}

TEST(ControllerMonitor, RegisterCodeLabels) {
    const struct {
        std::uint16_t code;
        const char* label;
    } cases[] = {
        {0x00, ""}, {0x06, "(A5)"}, {0x44, "(B3)"}, {0x81, "(C0)"}, {0xC1, "(D0)"},
    };
    for (const auto& c : cases) EXPECT_EQ(registerCodeLabel(c.code), c.label);
    EXPECT_EQ(registerCodeLabel(std::nullopt), "(?)");
}

TEST(ControllerMonitor, OpeningMakesTabsOfEnabledControllersAndShowsTheFirst) {
    UnitOnPty rig;
    rig.unit.withState(setUpControllers);
    ConfigDatabase database;
    database.controllers[1].comment.assign("Oven");
    ControllerMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    EXPECT_EQ(rig.requests(),
              (Requests{"W01?0042", "W01]0001"} + readsOf('a', 0, 7) + Requests{"W01]0001"} + readsOf('b', 1, 1) +
               readsOf('c', 1, 1) + readsOf('d', 1, 1) + readsOf('J', 1, 1) + readsOf('K', 1, 1) + readsOf('L', 1, 1) +
               readsOf('F', 5, 5) + readsOf('F', 6, 6) + readsOf('A', 6, 6) + readsOf('F', 7, 7) + readsOf('A', 7, 7)));
    const ControllerMonitorPage& page = monitor.page();
    ASSERT_EQ(page.tabs.size(), 2u);
    EXPECT_EQ(page.tabs[0].title, "Controller 2");
    EXPECT_EQ(page.tabs[1].title, "Controller 5");
    EXPECT_EQ(page.windowTitle, "Controller Monitor - Oven");
    EXPECT_EQ(page.measuredCode, "(A5)");
    EXPECT_EQ(page.measured, "Broken");
    EXPECT_EQ(page.setpoint, "321");
    EXPECT_EQ(page.outputBar, 1250);
    EXPECT_EQ(page.terms[0], "20");
    EXPECT_EQ(monitor.tickInterval(), std::chrono::milliseconds(2000));
}

TEST(ControllerMonitor, NoEnabledControllerTellsTheUserAndFails) {
    UnitOnPty rig;
    ConfigDatabase database;
    ControllerMonitor monitor(database);
    EXPECT_EQ(monitor.open(rig.protocol), Outcome::Failed);
    ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
}

TEST(ControllerMonitor, AnOutOfRangeTermIsReplacedByTheUnitsValueAndTheOthersWritten) {
    UnitOnPty rig;
    rig.unit.withState(setUpControllers);
    ConfigDatabase database;
    ControllerMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    (void)rig.requests();
    monitor.setTerm(0, "0");
    monitor.setTerm(1, "100");
    monitor.setTerm(2, "50x");
    ASSERT_TRUE(monitor.page().applyEnabled);
    const std::vector<TermRefusal> refusals = monitor.apply(rig.protocol);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0].term, 0);
    EXPECT_EQ(refusals[0].message.text, "Proportional band\nValid range 1 to 9999");
    EXPECT_EQ(rig.requests(), (Requests{"R01J01", "W01J010020", "W01K010100", "W01L010050"}));
    EXPECT_EQ(monitor.page().terms[0], "20");
    EXPECT_EQ(database.controllers[1].propBand, 20);
    EXPECT_EQ(database.controllers[1].intTime, 100);
    EXPECT_EQ(database.controllers[1].derTime, 50);
    EXPECT_TRUE(database.modified);
    EXPECT_FALSE(monitor.page().applyEnabled);
}

TEST(ControllerMonitor, AFailedFlagsReadIsAskedAgainAtEveryPollAndNoneReadMeansNoAnswer) {
    {
        // a01 refused at opening (4th request) and at the opening's poll (19th):
        // probe, page, a00..a07, then page, b, c, d, J, K, L, page, a01.
        sim::FaultPlan faults;
        faults.scheduleAt(4, sim::Fault::Refuse);
        faults.scheduleAt(19, sim::Fault::Refuse);
        UnitOnPty rig({}, {}, UnitOnPty::fastSettings(), std::move(faults));
        rig.unit.withState(setUpControllers);
        ConfigDatabase database;
        ControllerMonitor monitor(database);
        ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
        ASSERT_EQ(monitor.page().tabs.size(), 1u);
        EXPECT_EQ(monitor.page().tabs[0].title, "Controller 5");
        (void)rig.requests();
        monitor.tick(rig.protocol);
        EXPECT_EQ(rig.requests(), (Requests{"W01]0001", "R01a01"}));
        ASSERT_EQ(monitor.page().tabs.size(), 2u);
        EXPECT_EQ(monitor.page().tabs[0].title, "Controller 2");  // in its place
        EXPECT_EQ(monitor.page().controller, 4);                  // still showing the one chosen
        monitor.tick(rig.protocol);
        EXPECT_TRUE(rig.requests().empty());  // found: not asked again (controller 5 has no registers)
    }
    UnitOnPty rig;
    rig.unit.withState(setUpControllers);
    for (int i = 0; i < 2; ++i) rig.unit.injectNext(sim::Fault::None);
    for (int i = 0; i < kControllerCount; ++i) rig.unit.injectNext(sim::Fault::Refuse);
    ConfigDatabase database;
    ControllerMonitor monitor(database);
    EXPECT_EQ(monitor.open(rig.protocol), Outcome::Failed);
    ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.user.prompts.shown[0].text,
              "Unable to communicate with ZAT\nCheck baud rate and address and try again");
}

TEST(ControllerMonitor, FailedCodeAndTermReadsLeaveNothingOfTheLastControllerToReadOrWrite) {
    UnitOnPty rig;
    rig.unit.withState(setUpControllers);
    ConfigDatabase database;
    ControllerMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    (void)rig.requests();
    // Controller 2's tab again: its measured code read (2nd) and P read (5th) refused.
    for (int i = 0; i < 5; ++i) rig.unit.injectNext(i == 1 || i == 4 ? sim::Fault::Refuse : sim::Fault::None);
    monitor.selectTab(rig.protocol, 0);
    EXPECT_EQ(monitor.page().measuredCode, "(?)");
    EXPECT_EQ(monitor.page().measured, "Error");
    EXPECT_EQ(monitor.page().terms[0], "");
    const Requests sent = rig.requests();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "R01F05"), 0);  // the old code is not read

    monitor.setTerm(1, "100");
    (void)monitor.apply(rig.protocol);
    EXPECT_EQ(rig.requests(), (Requests{"W01K010100", "W01L010000"}));  // no P
}

TEST(ControllerMonitor, TermsAreCheckedWholeAndStoredOnlyWhenTheUnitTakesThem) {
    UnitOnPty rig;
    rig.unit.withState(setUpControllers);
    ConfigDatabase database;
    ControllerMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    (void)rig.requests();
    monitor.setTerm(0, "70000");
    monitor.setTerm(1, "abc");
    monitor.setTerm(2, "50");
    refuseRequest(rig, 5);  // P read back, P written, I read back, I written, D refused
    const std::vector<TermRefusal> refusals = monitor.apply(rig.protocol);
    ASSERT_EQ(refusals.size(), 2u);
    EXPECT_EQ(refusals[1].message.text, "Integral Time\nValid range 0 to 2000");
    // The refused D is read back: this unit stored it all the same.
    EXPECT_EQ(rig.requests(), (Requests{"R01J01", "W01J010020", "R01K01", "W01K010000", "W01L010050", "R01L01"}));
    EXPECT_EQ(database.controllers[1].propBand, 20);
    EXPECT_EQ(database.controllers[1].derTime, 50);
}

TEST(ControllerMonitor, AppliedTermsKeepTheUnitsImageTrueOrDropIt) {
    UnitOnPty rig;
    rig.unit.withState(setUpControllers);
    ConfigDatabase database;
    UnitImage image;
    const UnitPlace place = UnitPlace::of(database.comms);
    image.transferred(place, kAllTransferGroups, database);
    ControllerMonitor monitor(database, &image);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    monitor.setTerm(0, "30");
    monitor.setTerm(2, "7");
    EXPECT_TRUE(monitor.apply(rig.protocol).empty());
    ASSERT_NE(image.at(place), nullptr);
    EXPECT_EQ(image.at(place)->controllers[1].propBand, 30);
    EXPECT_EQ(image.at(place)->controllers[1].derTime, 7);
    EXPECT_FALSE(image.differsFrom(database));

    // Neither the write nor the read back answered: the unit may hold either.
    monitor.setTerm(0, "31");
    rig.unit.setSilent(true);
    EXPECT_FALSE(monitor.apply(rig.protocol).empty());
    EXPECT_EQ(image.at(place), nullptr);
}

}  // namespace
}  // namespace zat
