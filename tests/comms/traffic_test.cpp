// The exchange records the protocol's loop gives, and what reads them: the
// ring, the statistics and the log's lines.
#include "comms/link_statistics.h"
#include "comms/traffic_log.h"
#include "comms/traffic_ring.h"
#include "support/unit_on_pty.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <malloc.h>

namespace zat {
namespace {

using sim::Fault;
using test::UnitOnPty;

// Local time is UTC here, so the times written are the ones expected.
struct UtcClock : ::testing::Test {
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

// 2026-12-08T10:01:02.345 UTC
constexpr std::int64_t kSentAt = 1796724062345;

ExchangeRecord recordOf(ExchangeResult result, std::string reply, int ms, int attempt = 1, int attempts = 4) {
    return ExchangeRecord{.sentAtMs = kSentAt,
                          .request = "W01?0042",
                          .reply = std::move(reply),
                          .replyMs = ms,
                          .result = result,
                          .attempt = attempt,
                          .attempts = attempts,
                          .address = 1};
}

using LogLines = std::vector<std::string>;

TEST_F(UtcClock, EachOutcomeHasItsLogLines) {
    const struct {
        ExchangeRecord record;
        LogLines lines;
    } cases[] = {
        {recordOf(ExchangeResult::Answered, "*01?0042", 26),
         {"2026-12-08T10:01:02.345 > W01?0042", "2026-12-08T10:01:02.371 < *01?0042 26 ms"}},
        {recordOf(ExchangeResult::TimedOut, "", 250),
         {"2026-12-08T10:01:02.345 > W01?0042",
          "2026-12-08T10:01:02.595 ! W01?0042 timed out after 250 ms (try 1 of 4)"}},
        {recordOf(ExchangeResult::BadEcho, "*0\x7F?0042", 30, 2),
         {"2026-12-08T10:01:02.345 > W01?0042", "2026-12-08T10:01:02.375 < *0\\x7F?0042 30 ms",
          "2026-12-08T10:01:02.375 ! W01?0042 bad echo after 30 ms (try 2 of 4)"}},
        {recordOf(ExchangeResult::Refused, "!01?0042", 12, 1, 1),
         {"2026-12-08T10:01:02.345 > W01?0042", "2026-12-08T10:01:02.357 < !01?0042 12 ms",
          "2026-12-08T10:01:02.357 ! W01?0042 refused after 12 ms (try 1 of 1)"}},
        {recordOf(ExchangeResult::CutShort, "*01?0", 251, 4),
         {"2026-12-08T10:01:02.345 > W01?0042", "2026-12-08T10:01:02.596 < *01?0 251 ms",
          "2026-12-08T10:01:02.596 ! W01?0042 reply cut short after 251 ms (try 4 of 4)"}},
    };
    for (const auto& c : cases) EXPECT_EQ(logLines(c.record), c.lines);
}

TEST_F(UtcClock, CsvRowsQuoteOnlyWhatNeedsIt) {
    EXPECT_EQ(csvRow(recordOf(ExchangeResult::Answered, "*01?0042", 26)),
              "2026-12-08T10:01:02.345,1,W01?0042,*01?0042,26,answered");
    EXPECT_EQ(csvRow(recordOf(ExchangeResult::BadEcho, "*0,\"1", 9)),
              "2026-12-08T10:01:02.345,1,W01?0042,\"*0,\"\"1\",9,bad echo");
    EXPECT_EQ(trafficFileFormatFor("run.CSV"), TrafficFileFormat::Csv);
    EXPECT_EQ(trafficFileFormatFor("run.log"), TrafficFileFormat::Log);
}

TEST(LinkStatistics, CountsTriesAndReplyTimes) {
    LinkStatistics statistics;
    // Twenty answered tries of 1..20 ms at unit 1, and one of each failure.
    for (int ms = 20; ms >= 1; --ms) statistics.exchanged(recordOf(ExchangeResult::Answered, "*", ms));
    statistics.exchanged(recordOf(ExchangeResult::TimedOut, "", 250, 2));
    statistics.exchanged(recordOf(ExchangeResult::CutShort, "*0", 250, 3));
    statistics.exchanged(recordOf(ExchangeResult::BadEcho, "x", 5, 4));
    ExchangeRecord refusedElsewhere = recordOf(ExchangeResult::Refused, "!", 7);
    refusedElsewhere.address = 2;
    statistics.exchanged(refusedElsewhere);

    const UnitStatistics& one = statistics.byAddress().at(1);
    EXPECT_EQ(statisticsText(one),
              "sent 23, answered 20, timed out 2, bad echo 1, refused 0, retries 3; "
              "reply ms min 1 mean 11 p95 19 max 20");
    EXPECT_EQ(statisticsText(statistics.byAddress().at(2)),
              "sent 1, answered 0, timed out 0, bad echo 0, refused 1, retries 0");
    EXPECT_EQ(statisticsText(statistics.total()),
              "sent 24, answered 20, timed out 2, bad echo 1, refused 1, "
              "retries 3; reply ms min 1 mean 11 p95 19 max 20");
    statistics.reset();
    EXPECT_TRUE(statistics.byAddress().empty());
}

TEST(TrafficRing, KeepsTheNewestInBoundedMemory) {
    TrafficRing ring;
    auto numbered = [](int n) { return recordOf(ExchangeResult::Answered, "*01?0042", n); };
    for (int n = 0; n < 100'000; ++n) ring.exchanged(numbered(n));
    const std::size_t heldFull = mallinfo2().uordblks;
    for (int n = 100'000; n < 200'000; ++n) ring.exchanged(numbered(n));
    EXPECT_EQ(ring.size(), TrafficRing::kCapacity);
    EXPECT_EQ(ring.at(0).replyMs, 100'000);
    EXPECT_EQ(ring.at(ring.size() - 1).replyMs, 199'999);
    EXPECT_EQ(ring.firstNumber(), 100'000u);
    EXPECT_EQ(ring.nextNumber(), 200'000u);
    // The second 100,000 took no memory the first did not.
    EXPECT_LE(mallinfo2().uordblks, heldFull + 64 * 1024);

    ring.clear();
    EXPECT_EQ(ring.size(), 0u);
    ring.exchanged(numbered(7));
    EXPECT_EQ(ring.at(0).replyMs, 7);
    EXPECT_EQ(ring.firstNumber(), 200'000u);
}

// The protocol's loop against the simulated unit: one record per try, each
// fault named as what became of the try, and the statistics and log agreeing.
TEST(ExchangeRecords, EveryFaultOfTheUnitIsRecordedAsWhatBecameOfTheTry) {
    sim::FaultPlan plan;
    plan.scheduleAt(1, Fault::Drop);
    plan.scheduleAt(2, Fault::Garble);
    plan.scheduleAt(3, Fault::Truncate);
    plan.scheduleAt(4, Fault::Late);
    plan.scheduleAt(5, Fault::Refuse);
    CommsSettings comms = UnitOnPty::fastSettings();
    comms.timeOut = 100;
    comms.retries = 3;
    UnitOnPty rig({}, sim::LineTiming{0, 0, 40}, comms, std::move(plan));
    LinkStatistics statistics;
    TrafficFanOut both;
    both.add(&rig.traffic);
    both.add(&statistics);
    rig.link.setTraffic(&both);

    EXPECT_EQ(rig.protocol.checkUnit(false), Outcome::Ok);   // tries 1-4
    EXPECT_EQ(rig.protocol.selectPage(0), Outcome::Failed);  // refused at once
    EXPECT_EQ(rig.protocol.selectPage(0), Outcome::Ok);

    const struct {
        ExchangeResult result;
        std::int64_t attempt;
        const char* request;
    } expected[] = {
        {ExchangeResult::TimedOut, 1, "W01?0042"}, {ExchangeResult::BadEcho, 2, "W01?0042"},
        {ExchangeResult::CutShort, 3, "W01?0042"}, {ExchangeResult::Answered, 4, "W01?0042"},
        {ExchangeResult::Refused, 1, "W01]0000"},  {ExchangeResult::Answered, 1, "W01]0000"},
    };
    ASSERT_EQ(rig.traffic.records.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const ExchangeRecord& r = rig.traffic.records[i];
        EXPECT_EQ(r.result, expected[i].result) << i;
        EXPECT_EQ(r.attempt, expected[i].attempt) << i;
        EXPECT_EQ(r.attempts, 4) << i;
        EXPECT_EQ(r.request, expected[i].request) << i;
        EXPECT_EQ(r.address, 1) << i;
    }
    EXPECT_GE(rig.traffic.records[0].replyMs, 100);  // waited the whole timeout
    EXPECT_EQ(rig.traffic.records[0].reply, "");
    EXPECT_GE(rig.traffic.records[3].replyMs, 40);  // the late reply
    EXPECT_LT(rig.traffic.records[3].replyMs, 100);
    EXPECT_EQ(rig.traffic.records[3].reply, "*01?0042");

    const UnitStatistics s = statistics.total();
    EXPECT_EQ(s.sent, 6u);
    EXPECT_EQ(s.answered, 2u);
    EXPECT_EQ(s.timedOut, 2u);
    EXPECT_EQ(s.badEcho, 1u);
    EXPECT_EQ(s.refused, 1u);
    EXPECT_EQ(s.retries, 3u);
    ASSERT_TRUE(s.replyTimes());
    EXPECT_EQ(s.replyTimes()->max, rig.traffic.records[3].replyMs);

    std::vector<std::string> failures;
    for (const ExchangeRecord& r : rig.traffic.records) {
        for (const std::string& line : logLines(r)) {
            if (line.find(" ! ") != std::string::npos) failures.push_back(line.substr(line.find(" ! ") + 3));
        }
    }
    ASSERT_EQ(failures.size(), 4u);
    EXPECT_TRUE(failures[0].starts_with("W01?0042 timed out after ")) << failures[0];
    EXPECT_TRUE(failures[0].ends_with(" ms (try 1 of 4)")) << failures[0];
    EXPECT_TRUE(failures[1].starts_with("W01?0042 bad echo after ")) << failures[1];
    EXPECT_TRUE(failures[2].starts_with("W01?0042 reply cut short after ")) << failures[2];
    EXPECT_TRUE(failures[3].starts_with("W01]0000 refused after ")) << failures[3];
}

}  // namespace
}  // namespace zat
