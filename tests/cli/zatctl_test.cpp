#include "model/config_database.h"
#include "model/file_io.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

using test::readFile;
using test::writeFile;

test::ProgramResult zatctl(const std::vector<std::string>& args) { return test::runProgram(ZATCTL_PATH, args); }

std::string golden(const std::string& name) {
    return readFile(std::string(ZAT_SOURCE_DIR) + "/tests/model/data/database/" + name);
}

class Zatctl : public ::testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(Zatctl, NewWritesTheClearedDatabase) {
    const std::string out = dir.file("blank.zat");
    const auto result = zatctl({"new", out});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readFile(out), golden("cleared.zat"));
}

TEST_F(Zatctl, ProgressIsOneLinePerTenPercentWhenNotATerminal) {
    const auto result = zatctl({"new", dir.file("p.zat")});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err,
              "Writing ZAT data file: 0% complete\nWriting ZAT data file: 10% complete\n"
              "Writing ZAT data file: 20% complete\nWriting ZAT data file: 30% complete\n"
              "Writing ZAT data file: 40% complete\nWriting ZAT data file: 50% complete\n"
              "Writing ZAT data file: 60% complete\nWriting ZAT data file: 70% complete\n"
              "Writing ZAT data file: 80% complete\nWriting ZAT data file: 90% complete\n"
              "Writing ZAT data file: 100% complete\n");
    const auto quiet = zatctl({"--quiet", "new", dir.file("q.zat")});
    EXPECT_EQ(quiet.err, "");
}

TEST_F(Zatctl, ResaveKeepsTheConfigurationAndUnknownLines) {
    const std::string in = dir.file("in.zat");
    writeFile(in, golden("full.zat") + "[Site]\r\nName=Kiln 2\r\n");
    const std::string out = dir.file("out.zat");
    const auto result = zatctl({"-q", "resave", in, out});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readFile(out), golden("full.zat")) << "a new file gets only what the program writes";

    // In place: the same file in and out keeps the hand-added section.
    const auto same = zatctl({"-q", "resave", in, in});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(readFile(in), golden("full.zat") + "[Site]\r\nName=Kiln 2\r\n");
}

TEST_F(Zatctl, ResaveOfAMissingFileFailsAndLeavesTheTargetAlone) {
    const std::string out = dir.file("precious.zat");
    writeFile(out, "[General]\r\nPort=3\r\n");
    const auto result = zatctl({"resave", dir.file("absent.zat"), out});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("cannot read " + dir.file("absent.zat") + ": No such file or directory"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(readFile(out), "[General]\r\nPort=3\r\n");
}

TEST_F(Zatctl, UnwritableTargetPrintsTheMessageBoxAndExits2) {
    writeFile(dir.file("f"), "");
    const std::string out = dir.file("f") + "/x.zat";
    const auto result = zatctl({"-q", "new", out});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "Error: Unable to write file " + out + "\nNot a directory\n");
}

// A target near the read limit (a hand-added line) that the configuration
// saved into it would take past the limit stays as it was.
TEST_F(Zatctl, ASaveThatWouldPassTheReadLimitIsRefused) {
    const std::string out = dir.file("near-limit.zat");
    std::string target = golden("cleared.zat") + "[Notes]\r\nText=";
    target += std::string(kMaxFileSize - 5 - 2 - target.size(), 'x') + "\r\n";
    writeFile(out, target);
    writeFile(dir.file("in.zat"), golden("full.zat"));
    const auto result = zatctl({"-q", "resave", dir.file("in.zat"), out});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "Error: Unable to write file " + out +
                              "\nFile too large: it would pass 16 MiB, more than this program can open again\n");
    EXPECT_TRUE(readFile(out) == target);
}

TEST_F(Zatctl, UsageErrorsExit2WithAMessage) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"frobnicate"},
                                                 {"new"},
                                                 {"new", "a", "b"},
                                                 {"resave", "a"},
                                                 {"--bogus", "new", "x"},
                                                 {"help", "frobnicate"}}) {
        const auto result = zatctl(args);
        EXPECT_EQ(result.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_FALSE(result.err.empty()) << ::testing::PrintToString(args);
    }
}

TEST_F(Zatctl, HelpListsEveryCommandAndExplainsEach) {
    const auto help = zatctl({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("new OUT.zat"), std::string::npos);
    EXPECT_NE(help.out.find("resave IN.zat OUT.zat"), std::string::npos);
    for (const char* command : {"new", "resave"}) {
        const auto one = zatctl({"help", command});
        EXPECT_EQ(one.exitCode, 0);
        EXPECT_NE(one.out.find("Example:"), std::string::npos) << command;
    }
}

}  // namespace
}  // namespace zat

namespace zat {
namespace {

TEST(ZatctlShow, SummarizesWhatIsConfiguredInUtf8) {
    test::TempDir dir;
    const std::string path = dir.file("small.zat");
    test::writeFile(path,
                    "[General]\r\nPort=2\r\nAddress=7\r\nBaud Rate=4800\r\nTime Out=0.5\r\nRetries=1\r\n"
                    "[Analog Input 0]\r\nType=1024\r\n"  // not scanned: left out
                    "[Analog Input 1]\r\nType=162\r\nComment=Ofen \xFC"
                    "ber\r\n"
                    "[Analog Input 2]\r\nType=521\r\nHi Scalar=500\r\nLo Scalar=-20\r\nComment=Flow\r\n"
                    "[Digital Outputs]\r\nOutput 55=Horn\r\n"
                    "[Controller 3]\r\nFlags=128\r\nMV Register=1\r\nSP Register=66\r\nOP Register=65\r\n"
                    "PROP BAND=50\r\nComment=Zone 4\r\n");
    for (int k = 3; k < kAnalogInputCount; ++k)
        test::writeFile(path, test::readFile(path) + "[Analog Input " + std::to_string(k) + "]\r\nType=1024\r\n");
    const auto result = test::runProgram(ZATCTL_PATH, {"-q", "show", path});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "Communications: COM2, address 7, 4800 baud, time-out 0.5 s, 1 retries\n"
              "Analog inputs scanned:\n"
              "  A01  TC Type J    \u00B0F CJ                   Ofen \u00FCber\n"
              "  A02  Linear 100mV scaled -20..500         Flow\n"
              "Digital outputs:\n"
              "  D55  Horn\n"
              "Hot/cold blocks enabled: 0 of 4\n"
              "IF blocks in use: 0 of 90\n"
              "Controller 4: MV A0 SP B1 OP B0, PB 50 I 0 s D 0 s  Zone 4\n");
}

TEST(ZatctlShow, MissingFileIsAFileError) {
    const auto result = test::runProgram(ZATCTL_PATH, {"show", "/nonexistent/plant.zat"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("cannot read /nonexistent/plant.zat"), std::string::npos);
}

}  // namespace
}  // namespace zat
