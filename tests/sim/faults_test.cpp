// Which faults the plan picks, and what each does to a reply.
#include "sim/fault_plan.h"
#include "sim/reply_faults.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace zat::sim {
namespace {

std::vector<Fault> draws(FaultPlan plan, int count) {
    std::vector<Fault> faults;
    for (int n = 1; n <= count; ++n) faults.push_back(plan.decide(static_cast<std::uint64_t>(n)));
    return faults;
}

TEST(FaultPlan, NoRatesNoFaultsExceptScheduledOnes) {
    FaultPlan plan;
    plan.scheduleAt(3, Fault::Truncate);
    const std::vector<Fault> faults = draws(plan, 5);
    EXPECT_EQ(faults, (std::vector<Fault>{Fault::None, Fault::None, Fault::Truncate, Fault::None, Fault::None}));
}

TEST(FaultPlan, ScheduledFaultWinsOverTheDraw) {
    FaultPlan plan(FaultRates{.drop = 100}, 9);
    plan.scheduleAt(2, Fault::Late);
    EXPECT_EQ(draws(plan, 3), (std::vector<Fault>{Fault::Drop, Fault::Late, Fault::Drop}));
}

// Rules by text fail a request every time it comes, whatever its number;
// a fault scheduled at a number still wins, and other requests draw as before.
TEST(FaultPlan, RequestRulesFailEveryTryOfTheirRequests) {
    FaultPlan plan(FaultRates{.late = 100}, 3);
    plan.failRequests({"R01B05", Fault::Drop});
    plan.failRequests({"W01a", Fault::Garble});
    plan.failRequests({"R01B0", Fault::Refuse});  // after the first rule: B05 stays dropped
    plan.scheduleAt(4, Fault::Truncate);
    const struct {
        const char* request;
        Fault fault;
    } rows[] = {
        {"R01B05", Fault::Drop},   {"R01B05", Fault::Drop}, {"W01a050123", Fault::Garble}, {"R01B05", Fault::Truncate},
        {"R01B04", Fault::Refuse}, {"R01B15", Fault::Late}, {"S01I", Fault::Late},
    };
    std::uint64_t number = 0;
    for (const auto& row : rows) EXPECT_EQ(plan.decide(++number, row.request), row.fault) << row.request;
}

TEST(FaultPlan, RatesShareTheDrawsAndTheSeedFixesThem) {
    const FaultRates rates{.garble = 30, .refuse = 20};
    const std::vector<Fault> faults = draws(FaultPlan(rates, 5), 2000);
    std::map<Fault, int> counts;
    for (Fault fault : faults) ++counts[fault];
    EXPECT_NEAR(counts[Fault::Garble], 600, 90);
    EXPECT_NEAR(counts[Fault::Refuse], 400, 80);
    EXPECT_NEAR(counts[Fault::None], 1000, 100);
    EXPECT_EQ(counts.size(), 3u);

    EXPECT_EQ(draws(FaultPlan(rates, 5), 2000), faults);
    EXPECT_NE(draws(FaultPlan(rates, 6), 2000), faults);
}

TEST(ReplyFaults, EachFaultChangesTheReplyItsOwnWay) {
    const std::string reply = "*01a05000A";
    EXPECT_EQ(applyFault(reply, Fault::None)->bytes, "*01a05000A\r");
    EXPECT_FALSE(applyFault(reply, Fault::Drop));
    EXPECT_EQ(applyFault(reply, Fault::Garble)->bytes, "*01#05000A\r");
    EXPECT_EQ(applyFault(reply, Fault::Refuse)->bytes, "!01a05000A\r");
    EXPECT_EQ(applyFault(reply, Fault::Truncate)->bytes, "*01a0");
    EXPECT_EQ(applyFault(reply, Fault::BadValue)->bytes, "*01a05????\r");
    const std::optional<OutgoingReply> late = applyFault(reply, Fault::Late);
    EXPECT_EQ(late->bytes, "*01a05000A\r");
    EXPECT_TRUE(late->late);
    EXPECT_FALSE(applyFault(reply, Fault::None)->late);
}

}  // namespace
}  // namespace zat::sim
