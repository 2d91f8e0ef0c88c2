#include "sim/pty_unit.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <regex>

namespace zat {
namespace {

std::string read(char letter, int index) {
    char frame[16];
    std::snprintf(frame, sizeof frame, "R01%c%02d", letter, index);
    return frame;
}

class ZatctlWatch : public ::testing::Test {
protected:
    test::ProgramResult watch(std::vector<std::string> args) {
        args.insert(args.begin(), {"-q", "watch"});
        args.insert(args.end(), {"--device", unit.devicePath(), "--timeout-ms", "200"});
        return test::runProgram(ZATCTL_PATH, args, dir.path());
    }
    std::vector<std::string> requests() {
        std::vector<std::string> sent;
        for (const sim::Exchange& e : unit.takeExchanges()) sent.push_back(e.request);
        return sent;
    }
    // The CSV lines without their time, which must be local ISO 8601 with milliseconds.
    static std::vector<std::string> untimed(const std::string& csv) {
        static const std::regex timed(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d,(.*))");
        std::vector<std::string> lines;
        std::size_t start = csv.find('\n') + 1;
        for (std::size_t end; (end = csv.find('\n', start)) != std::string::npos; start = end + 1) {
            std::smatch match;
            const std::string line = csv.substr(start, end - start);
            lines.push_back(std::regex_match(line, match, timed) ? match[1].str() : "untimed: " + line);
        }
        return lines;
    }

    test::TempDir dir;  // no Default.zat in it
    sim::PtyUnit unit{sim::UnitConfig{}, {}};
};

TEST_F(ZatctlWatch, AnalogInputsSweepTheSlotOnceAsTheWindowPollsIt) {
    unit.withState([](sim::UnitState& s) {
        ASSERT_TRUE(s.setItem(0, 'a', 9, 0x0043));  // thermocouple in tenths
        ASSERT_TRUE(s.setValue('A', 9, 1234));
        s.setBrokenSensor(10, true);
    });
    unit.start();
    const auto result = watch({"ai", "--slot", "2", "--count", "1", "--csv"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.substr(0, result.out.find('\n') + 1), "time,channel,value,status\n");
    const auto lines = untimed(result.out);
    ASSERT_EQ(lines.size(), 8u) << result.out;
    EXPECT_TRUE(std::regex_match(lines[0], std::regex("A09,123\\.4,0x00[0-7][0-9A-F]"))) << lines[0];
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("A10,Broken,0x00[89A-F][0-9A-F]"))) << lines[1];
    EXPECT_EQ(lines[7].substr(0, 4), "A08,");

    // The window's opening, the page of slot 2, then rows 1..7 and 0 in turn.
    std::vector<std::string> expected{"W01?0042", "W01]0000", "R01b00", "R01b01", "R01b02", "R01b03", "R01b04"};
    for (int first : {0, 8}) {
        expected.push_back("W01]0000");
        for (int c = first; c < first + 8; ++c) expected.push_back(read('a', c));
    }
    for (int row = 1; row <= 8; ++row)
        expected.insert(expected.end(), {read('A', 8 + row % 8), read('F', 8 + row % 8)});
    EXPECT_EQ(requests(), expected);
}

TEST_F(ZatctlWatch, AControllerChosenByItsTabShowsItsValues) {
    unit.withState([](sim::UnitState& s) {
        ASSERT_TRUE(s.setItem(1, 'a', 1, 0x80));
        ASSERT_TRUE(s.setItem(1, 'a', 4, 0x80));
        ASSERT_TRUE(s.setItem(1, 'b', 4, 0x06));  // measures A5
        ASSERT_TRUE(s.setItem(1, 'c', 4, 0x07));  // follows A6
        ASSERT_TRUE(s.setValue('A', 6, 321));
        s.setBrokenSensor(5, true);
    });
    unit.start();
    const auto result = watch({"pid", "--group", "controller 5", "--count", "1", "--csv"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(untimed(result.out), std::vector<std::string>{"PID5,MV=Broken SP=321 OP=,"});

    const auto table = watch({"pid", "--group", "Controller 5", "--count", "1"});
    EXPECT_EQ(table.out,
              "Controller Monitor - \n"
              "Chan  Value                 Status\n"
              "PID5  MV=Broken SP=321 OP=          MV (A5) SP (A6)\n\n");
}

TEST_F(ZatctlWatch, TheOutputIsLoggedAsTheUnitGaveItNotAsTheBarShowsIt) {
    unit.withState([](sim::UnitState& s) {
        ASSERT_TRUE(s.setItem(1, 'a', 0, 0x80));
        ASSERT_TRUE(s.setItem(1, 'd', 0, 0x43));  // drives B2; without a setpoint the loop stands still
    });
    unit.start();
    for (const std::int16_t output : {1500, -1200, 250}) {
        unit.withState([&](sim::UnitState& s) { ASSERT_TRUE(s.setValue('B', 2, output)); });
        const auto result = watch({"pid", "--count", "1", "--csv"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(untimed(result.out), std::vector<std::string>{"PID1,MV= SP= OP=" + std::to_string(output) + ","});
    }
}

TEST_F(ZatctlWatch, ASilentUnitAtOpeningGivesTheMessageAndExit1) {
    unit.setSilent(true);
    unit.start();
    const auto result = watch({"do", "--count", "1", "--csv", "--retries", "0"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Error: Unable to communicate with ZAT\nCheck baud rate and address and try again\n");
    EXPECT_EQ(requests(), std::vector<std::string>{"W01?0042"});
}

TEST_F(ZatctlWatch, BadArgumentsAreRefusedWithAReason) {
    unit.start();
    const struct {
        std::vector<std::string> args;
        const char* reason;
        bool asksUnit;  // the pages of a monitor are known once it is open
    } cases[] = {
        {{}, "which monitor", false},
        {{"temps"}, "unknown monitor 'temps'", false},
        {{"ai", "do"}, "one monitor at a time", false},
        {{"ai", "--slot", "6"}, "bad value '6' for --slot (1..5)", false},
        {{"ai", "--slot", "1", "--group", "Slot 1"}, "give one", false},
        {{"pid", "--slot", "1"}, "--slot is for ai, ao, di and do", false},
        {{"ao", "--count", "0"}, "bad value '0' for --count", false},
        {{"di", "--count"}, "--count needs a value", false},
        {{"do", "--every", "2"}, "unknown option '--every'", false},
        {{"ao", "--group", "40-47"}, "no page '40-47' (it has: Slot 1, Slot 2, Slot 3, Slot 4, Slot 5, 20-23", true},
    };
    for (const auto& c : cases) {
        const auto result = watch(c.args);
        EXPECT_EQ(result.exitCode, 2) << c.reason;
        EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
        EXPECT_EQ(requests().empty(), !c.asksUnit) << c.reason;
    }
}

}  // namespace
}  // namespace zat
