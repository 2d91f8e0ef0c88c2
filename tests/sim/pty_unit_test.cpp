// The unit over a real pseudo-terminal: replies, faults, silence, pacing,
// and starting and stopping.
#include "pty_client.h"
#include "sim/pty_unit.h"

#include <chrono>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sstream>

namespace zat::sim {
namespace {

using test::PtyClient;
using Clock = std::chrono::steady_clock;

constexpr int kShortWaitMs = 150;

int openFileCount() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir) != nullptr) ++count;
        closedir(dir);
    }
    return count;
}

class PtyUnitTest : public ::testing::Test {
protected:
    explicit PtyUnitTest(LineTiming timing = {.lateMs = 200}) : unit(UnitConfig{}, timing) { unit.start(); }

    PtyUnit unit;
    PtyClient client{unit.devicePath()};
};

TEST_F(PtyUnitTest, AnswersOverTheDevice) {
    ASSERT_TRUE(client.isOpen()) << unit.devicePath();
    EXPECT_EQ(client.ask("S01I\r"), "*01I\r");
    EXPECT_EQ(client.ask("W01a05000A\r"), "*01a05000A\r");
    EXPECT_EQ(client.ask("R01a05\r"), "*01a05000A\r");
    int initialised = 0;
    unit.withState([&](UnitState& state) { initialised = state.initialiseCount(); });
    EXPECT_EQ(initialised, 1);
}

TEST_F(PtyUnitTest, ForeignAddressAndNoiseGetNothing) {
    client.send("S02I\r");
    client.send("\x01\x02R01A\r");              // malformed: index missing
    EXPECT_EQ(client.ask("S01I\r"), "*01I\r");  // the first thing to come back
    const std::vector<Exchange> exchanges = unit.takeExchanges();
    ASSERT_EQ(exchanges.size(), 3u);
    EXPECT_EQ(exchanges[0].request, "S02I");
    EXPECT_FALSE(exchanges[0].reply);
    EXPECT_EQ(exchanges[1].request, "R01A");
    EXPECT_FALSE(exchanges[1].reply);
    EXPECT_EQ(exchanges[2].reply, "*01I");
    EXPECT_TRUE(unit.takeExchanges().empty());
}

TEST_F(PtyUnitTest, InjectedFaultsInTheirOrder) {
    unit.injectNext(Fault::Drop);
    unit.injectNext(Fault::Garble);
    unit.injectNext(Fault::Refuse);
    unit.injectNext(Fault::Truncate);
    unit.injectNext(Fault::Late);
    EXPECT_EQ(client.ask("S01I\r", kShortWaitMs), "");
    EXPECT_EQ(client.ask("S01I\r"), "*01#\r");
    EXPECT_EQ(client.ask("S01I\r"), "!01I\r");
    EXPECT_EQ(client.ask("R01x00\r", kShortWaitMs), "*01x0");

    const Clock::time_point sent = Clock::now();
    EXPECT_EQ(client.ask("S01I\r"), "*01I\r");
    EXPECT_GE(Clock::now() - sent, std::chrono::milliseconds(200));
    EXPECT_EQ(client.ask("S01I\r"), "*01I\r");  // the queue is used up

    std::vector<Fault> faults;
    for (const Exchange& exchange : unit.takeExchanges()) faults.push_back(exchange.fault);
    EXPECT_EQ(faults, (std::vector<Fault>{Fault::Drop, Fault::Garble, Fault::Refuse, Fault::Truncate, Fault::Late,
                                          Fault::None}));
}

TEST(PtyUnitFaultPlan, ScheduledFaultCountsOnlyRequestsTheUnitAnswers) {
    FaultPlan plan;
    plan.scheduleAt(2, Fault::Refuse);
    PtyUnit unit(UnitConfig{}, LineTiming{}, plan);
    unit.start();
    PtyClient client(unit.devicePath());
    EXPECT_EQ(client.ask("S01I\r"), "*01I\r");
    client.send("S02I\r");  // not ours: not counted
    EXPECT_EQ(client.ask("R01x00\r"), "!01x002000\r");
    EXPECT_EQ(client.ask("S01I\r"), "*01I\r");
}

TEST_F(PtyUnitTest, LogShowsEachExchange) {
    std::ostringstream log;
    unit.setLog(&log);
    client.ask("S01I\r");
    client.send("S02I\r");
    client.ask("S01I\r");
    unit.setLog(nullptr);
    EXPECT_EQ(log.str(), "> S01I\n< *01I\n> S02I\n< (none)\n> S01I\n< *01I\n");
}

TEST_F(PtyUnitTest, ClientMayCloseAndOpenAgain) {
    {
        PtyClient first(unit.devicePath());
        EXPECT_EQ(first.ask("S01I\r"), "*01I\r");
    }
    PtyClient second(unit.devicePath());
    EXPECT_EQ(second.ask("S01I\r"), "*01I\r");
}

TEST(PtyUnitPacing, ReplyTakesItsCharacterTimesAtTheLineSpeed) {
    PtyUnit unit(UnitConfig{}, LineTiming{.baudRate = 1200, .turnaroundMs = 20});
    unit.start();
    PtyClient client(unit.devicePath());
    const Clock::time_point sent = Clock::now();
    ASSERT_EQ(client.ask("R01x00\r"), "*01x002000\r");
    // 7 request characters, one of RTS hold, 20 ms, then 10 of reply
    // written at 0..9 character times: (7 + 1 + 9) x 8.33 ms + 20 ms.
    EXPECT_GE(Clock::now() - sent, std::chrono::microseconds(17 * 8333 + 20000));
}

TEST(PtyUnitLifetime, StartsAndStopsRepeatedlyWithoutLeakingFiles) {
    const int before = openFileCount();
    for (int round = 0; round < 5; ++round) {
        PtyUnit unit(UnitConfig{.address = 3}, LineTiming{});
        for (int run = 0; run < 3; ++run) {
            unit.start();
            PtyClient client(unit.devicePath());
            EXPECT_EQ(client.ask("S03I\r"), "*03I\r");
            unit.stop();
        }
        int initialised = 0;
        unit.withState([&](UnitState& state) { initialised = state.initialiseCount(); });
        EXPECT_EQ(initialised, 3);
    }
    EXPECT_EQ(openFileCount(), before);
}

}  // namespace
}  // namespace zat::sim
