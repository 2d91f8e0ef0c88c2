// zatctl's timed log (-v on stderr, --log FILE) and its link statistics (--stats).
#include "sim/pty_unit.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace zat {
namespace {

test::ProgramResult zatctl(const std::vector<std::string>& args, const std::string& cwd) {
    return test::runProgram(ZATCTL_PATH, args, cwd);
}

std::vector<std::string> linesOf(const std::string& text, const std::regex& wanted) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (std::regex_search(line, wanted)) lines.push_back(line);
    }
    return lines;
}

const std::regex kLogLine(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3} [<>!] )");

class ZatctlTraffic : public ::testing::Test {
protected:
    test::TempDir dir;  // the working folder: no Default.zat in it
};

TEST_F(ZatctlTraffic, LogsAndCountsEveryFaultOfTheUnit) {
    // The probe's first request fails three ways before its fourth try is
    // answered late; the page selection after it is refused, and the probe
    // reads the five slots all the same.
    sim::FaultPlan plan;
    plan.scheduleAt(1, sim::Fault::Drop);
    plan.scheduleAt(2, sim::Fault::Garble);
    plan.scheduleAt(3, sim::Fault::Truncate);
    plan.scheduleAt(4, sim::Fault::Late);
    plan.scheduleAt(5, sim::Fault::Refuse);
    sim::PtyUnit unit({}, sim::LineTiming{0, 0, 40}, std::move(plan));
    unit.start();
    const std::string log = dir.file("line.log");
    const auto result = zatctl({"-v", "--stats", "--log", log, "-q", "probe", "--device", unit.devicePath(),
                                "--retries", "3", "--timeout-ms", "100"},
                               dir.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;

    const std::regex stats(R"(\nlink: sent 10, answered 6, timed out 2, bad echo 1, refused 1, retries 3; )"
                           R"(reply ms min \d+ mean \d+ p95 \d+ max (\d+)\n$)");
    std::smatch figures;
    ASSERT_TRUE(std::regex_search(result.err, figures, stats)) << result.err;
    EXPECT_GE(std::stoi(figures[1]), 40);  // the late reply

    // The file holds the very lines -v printed.
    const std::vector<std::string> logged = linesOf(test::readFile(log), kLogLine);
    EXPECT_EQ(logged, linesOf(result.err, kLogLine));
    const std::regex failure(R"( ! (W01\?0042 timed out|W01\?0042 bad echo|W01\?0042 reply cut short|)"
                             R"(W01\]0000 refused) after \d+ ms \(try (\d) of 4\)$)");
    const std::vector<std::string> failures = linesOf(test::readFile(log), failure);
    ASSERT_EQ(failures.size(), 4u) << test::readFile(log);
    EXPECT_NE(failures[0].find("timed out"), std::string::npos);
    EXPECT_NE(failures[3].find("refused after"), std::string::npos);
    EXPECT_EQ(linesOf(test::readFile(log), std::regex(" > ")).size(), 10u);
    EXPECT_EQ(linesOf(test::readFile(log), std::regex(" < ")).size(), 9u);  // every try but the silent one

    // A second run appends.
    EXPECT_EQ(zatctl({"-q", "--log", log, "probe", "--device", unit.devicePath()}, dir.path()).exitCode, 0);
    EXPECT_GT(linesOf(test::readFile(log), std::regex(" > ")).size(), 10u);
}

TEST_F(ZatctlTraffic, StatisticsLeaveOutReplyTimesWhenNothingWasAnswered) {
    sim::PtyUnit unit({}, {});
    unit.start();
    const auto result = zatctl({"-q", "--stats", "probe", "--device", unit.devicePath(), "--address", "9", "--retries",
                                "1", "--timeout-ms", "20"},
                               dir.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.ends_with("\nlink: sent 2, answered 0, timed out 2, bad echo 0, refused 0, retries 1\n"))
        << result.err;
}

TEST_F(ZatctlTraffic, AnUnwritableLogIsRefusedAtStart) {
    sim::PtyUnit unit({}, {});
    unit.start();
    const auto result =
        zatctl({"--log", dir.file("no-such-folder/line.log"), "probe", "--device", unit.devicePath()}, dir.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("zatctl: cannot write " + dir.file("no-such-folder/line.log")), std::string::npos)
        << result.err;
    EXPECT_TRUE(unit.takeExchanges().empty());  // nothing was sent
}

}  // namespace
}  // namespace zat
