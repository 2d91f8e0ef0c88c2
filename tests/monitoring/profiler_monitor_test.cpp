#include "monitor_rig.h"
#include "monitoring/profiler_monitor.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zat {
namespace {

using namespace test;

// Profiler 2 enabled, measuring A5 (pinned at 100), with no output register.
void setUpProfiler(sim::UnitState& s) {
    ASSERT_TRUE(s.setItem(1, 'g', 2, 0x80));
    ASSERT_TRUE(s.setItem(1, 'i', 2, 0x06));
    ASSERT_TRUE(s.setItem(1, 'j', 2, 0x00));
    ASSERT_TRUE(s.setValue('A', 5, 100));
}

TEST(ProfilerMonitor, OpeningShowsTheFirstEnabledProfilerStopped) {
    UnitOnPty rig;
    rig.unit.withState(setUpProfiler);
    ConfigDatabase database;
    database.profilers[2].comment.assign("Kiln");
    ProfilerMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    EXPECT_EQ(rig.requests(), (Requests{"W01?0042", "W01]0001"} + readsOf('g', 0, 5) + Requests{"W01]0001"} +
                               readsOf('i', 2, 2) + readsOf('j', 2, 2) + readsOf('F', 5, 5) + readsOf('A', 5, 5) +
                               readsOf('M', 2, 2) + readsOf('S', 2, 2) + readsOf('T', 2, 2)));
    const ProfilerMonitorPage& page = monitor.page();
    ASSERT_EQ(page.tabs.size(), 1u);
    EXPECT_EQ(page.tabs[0].title, "Profiler 3");
    EXPECT_EQ(page.windowTitle, "Profiler Monitor - Kiln");
    EXPECT_EQ(page.measuredCode, "(A5)");
    EXPECT_EQ(page.measured, "100");
    EXPECT_EQ(page.setpoint, "");
    EXPECT_FALSE(page.running);
    EXPECT_EQ(page.status, 0);
    EXPECT_EQ(page.arrow, ProfileArrow::None);
    EXPECT_EQ(page.segment, "");
    EXPECT_TRUE(page.startEnabled);
    EXPECT_FALSE(page.holdEnabled);
    EXPECT_FALSE(page.holdChecked);
}

TEST(ProfilerMonitor, NoEnabledProfilerTellsTheUserAndFails) {
    UnitOnPty rig;
    ConfigDatabase database;
    ProfilerMonitor monitor(database);
    EXPECT_EQ(monitor.open(rig.protocol), Outcome::Failed);
    ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
}

TEST(ProfilerMonitor, TheProfileChoiceStaysWithinZeroToFiveAndIsWrittenAtOnce) {
    UnitOnPty rig;
    rig.unit.withState(setUpProfiler);
    ConfigDatabase database;
    ProfilerMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    (void)rig.requests();
    const struct {
        int step;
        const char* written;
    } cases[] = {{-1, "W01S020000"}, {2, "W01S020002"}, {9, "W01S020005"}, {1, "W01S020005"}};
    for (const auto& c : cases) {
        monitor.stepProfile(rig.protocol, c.step);
        EXPECT_EQ(rig.requests(), Requests{c.written});
    }
    EXPECT_EQ(monitor.page().profile, "5");
}

TEST(ProfilerMonitor, StartSelectsTheProfilerThenSendsTheCommand) {
    UnitOnPty rig;
    rig.unit.withState(setUpProfiler);
    ConfigDatabase database;
    ProfilerMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    (void)rig.requests();
    EXPECT_EQ(monitor.start(rig.protocol), std::nullopt);
    const Requests sent = rig.requests();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "W01N0002");
}

TEST(ProfilerMonitor, AnUnreadCodeShowsErrorAndAFailedHoldPutsTheBoxBack) {
    UnitOnPty rig;
    rig.unit.withState(setUpProfiler);
    ConfigDatabase database;
    ProfilerMonitor monitor(database);
    ASSERT_EQ(monitor.open(rig.protocol), Outcome::Ok);
    (void)rig.requests();
    refuseRequest(rig, 2);  // page, then the measured code
    monitor.selectTab(rig.protocol, 0);
    EXPECT_EQ(monitor.page().measuredCode, "(?)");
    EXPECT_EQ(monitor.page().measured, "Error");
    const Requests sent = rig.requests();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "R01F05"), 0);

    for (const bool unitTakesIt : {true, false}) {
        if (!unitTakesIt) refuseRequest(rig, 1);
        const bool wanted = !monitor.page().holdChecked;
        monitor.setHold(rig.protocol, wanted);
        EXPECT_EQ(monitor.page().holdChecked, unitTakesIt ? wanted : !wanted);
    }
}

TEST(ProfilerMonitor, TheStatusWordGivesTheArrow) {
    const struct {
        std::uint16_t status;
        ProfileArrow arrow;
    } cases[] = {
        {0x07, ProfileArrow::RampUp}, {0x0B, ProfileArrow::RampDown}, {0x01, ProfileArrow::Dwell},
        {0x09, ProfileArrow::Dwell},  {0x06, ProfileArrow::None},
    };
    for (const auto& c : cases) EXPECT_EQ(profileArrow(c.status), c.arrow) << c.status;
}

}  // namespace
}  // namespace zat
