#include "model/database_file.h"
#include "sim/pty_unit.h"
#include "support/recording_user_io.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <regex>

namespace zat {
namespace {

test::ProgramResult zatctl(const std::vector<std::string>& args, const std::string& cwd = "") {
    return test::runProgram(ZATCTL_PATH, args, cwd);
}

sim::UnitConfig unitAt(int address) {
    sim::UnitConfig config;
    config.address = address;
    config.slotCodes = {3, 1, 4, 0, 7};
    return config;
}

class ZatctlProbe : public ::testing::Test {
protected:
    test::TempDir dir;  // the working folder: no Default.zat in it
};

TEST_F(ZatctlProbe, NamesTheCardsOfAUnitThatAnswers) {
    sim::PtyUnit unit(unitAt(1), {});
    unit.start();
    const auto result = zatctl({"-q", "probe", "--device", unit.devicePath()}, dir.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "ZAT at address 1 answered on " + unit.devicePath() +
                              " (9600 baud).\n"
                              "Slot 1: thermocouple input card (code 3)\n"
                              "Slot 2: analog input card (code 1)\n"
                              "Slot 3: analog output card (code 4)\n"
                              "Slot 4: empty (code 0)\n"
                              "Slot 5: digital output card (code 7)\n");
}

TEST_F(ZatctlProbe, VerboseShowsTheTraffic) {
    sim::PtyUnit unit(unitAt(1), {});
    unit.start();
    const auto result = zatctl({"-v", "probe", "--device", unit.devicePath()}, dir.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    // Each line with its time: "2026-12-08T10:01:02.345 > W01?0042", the reply with its milliseconds.
    const std::regex frames(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3} > W01\?0042\n)"
                            R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3} < \*01\?0042 \d+ ms\n)"
                            R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3} > W01\]0000\n)");
    EXPECT_TRUE(std::regex_search(result.err, frames)) << result.err;
}

TEST_F(ZatctlProbe, UsesTheDatabasesSettingsWithTheOptionsOnTop) {
    sim::PtyUnit unit(unitAt(5), {});
    unit.start();
    ConfigDatabase db;
    db.clear();
    db.comms.address = 5;
    db.comms.retries = 0;
    test::RecordingUserIo user;
    ASSERT_EQ(saveDatabase(db, dir.file("plant.zat"), user.io()), Outcome::Ok);

    const auto found = zatctl({"-q", "probe", "--db", dir.file("plant.zat"), "--device", unit.devicePath()});
    EXPECT_EQ(found.exitCode, 0) << found.err;
    EXPECT_NE(found.out.find("address 5"), std::string::npos);

    // The override wins for this run, and the database is not touched.
    const auto before = test::readFile(dir.file("plant.zat"));
    const auto missed = zatctl({"-q", "probe", "--db", dir.file("plant.zat"), "--device", unit.devicePath(),
                                "--address", "6", "--timeout-ms", "20"});
    EXPECT_EQ(missed.exitCode, 1);
    EXPECT_EQ(test::readFile(dir.file("plant.zat")), before);
}

TEST_F(ZatctlProbe, ASilentUnitGivesTheMessageAndExit1) {
    sim::PtyUnit unit(unitAt(2), {});
    unit.start();
    const auto result =
        zatctl({"-q", "probe", "--device", unit.devicePath(), "--timeout-ms", "20", "--retries", "1"}, dir.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Error: Unable to communicate with ZAT\nCheck baud rate and address and try again\n");
    EXPECT_EQ(unit.takeExchanges().size(), 2u);
}

TEST_F(ZatctlProbe, APortThatCannotBeOpenedGivesTheMessageAndExit1) {
    const auto result = zatctl({"-q", "probe", "--device", dir.file("no-such-tty")}, dir.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Error: Failed to open the comms port.\n" + dir.file("no-such-tty") + " does not exist\n");
}

// A bad setting from the database is named by its key and nothing goes on
// the line, unless an option replaces it for the run.
TEST_F(ZatctlProbe, BadSettingsFromTheDatabaseAreRefusedUnlessAnOptionReplacesThem) {
    sim::PtyUnit unit(unitAt(1), {});
    unit.start();
    const std::string path = dir.file("plant.zat");
    const std::vector<std::string> device{"--device", unit.devicePath()};
    const struct {
        const char* line;  // ahead of the good value of its key, so it wins
        const char* valid;
        std::vector<std::string> refused, replaced;  // the options of each run
    } cases[] = {
        {"Retries=2000000000", "valid range 0 to 99", device, {"--retries", "0"}},
        {"Time Out=100000", "valid range 0.001 to 60 seconds", device, {"--timeout-ms", "50"}},
        {"Address=123456", "valid range 0 to 99", device, {"--address", "1"}},
        {"Baud Rate=1234", "valid rates 1200, 2400, 4800, 9600 and 19200", device, {"--baud", "9600"}},
        {"Port=0", "valid range 1 to 99", {}, device},
    };
    for (const auto& c : cases) {
        test::writeFile(path, "[General]\r\n" + std::string(c.line) +
                                  "\r\nPort=1\r\nAddress=1\r\nBaud Rate=9600\r\nTime Out=0.05\r\nRetries=0\r\n");
        std::vector<std::string> args{"-q", "probe", "--db", path};
        args.insert(args.end(), c.refused.begin(), c.refused.end());
        const auto refused = zatctl(args, dir.path());
        EXPECT_EQ(refused.exitCode, 2) << c.line;
        EXPECT_EQ(refused.err, "zatctl: Invalid communication setting " + std::string(c.line) + " in " + path + ": " +
                                   c.valid + "\n");
        EXPECT_TRUE(unit.takeExchanges().empty()) << c.line;
        args.insert(args.end(), c.replaced.begin(), c.replaced.end());
        EXPECT_EQ(zatctl(args, dir.path()).exitCode, 0) << c.line;
        unit.takeExchanges();
    }
}

TEST_F(ZatctlProbe, BadOptionsAreUsageErrors) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"probe", "--address", "100"},
                                                 {"probe", "--address", "x"},
                                                 {"probe", "--baud", "300"},
                                                 {"probe", "--retries", "-1"},
                                                 {"probe", "--timeout-ms", "0"},
                                                 {"probe", "--port"},
                                                 {"probe", "extra"},
                                                 {"probe", "--db", "missing.zat"},
                                                 {"show", "--device", "x"}}) {
        const auto result = zatctl(args, dir.path());
        EXPECT_EQ(result.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_FALSE(result.err.empty()) << ::testing::PrintToString(args);
    }
}

TEST_F(ZatctlProbe, HelpDescribesTheUnitOptions) {
    const auto result = zatctl({"help", "probe"});
    EXPECT_EQ(result.exitCode, 0);
    for (const char* option :
         {"--device", "--port", "--address", "--baud", "--timeout-ms", "--retries", "--db", "ZAT_COM", "Example:"})
        EXPECT_NE(result.out.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace zat
