// zat-unit-sim as a user runs it.
#include "pty_client.h"
#include "sim_process.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zat::sim {
namespace {

using test::PtyClient;
using test::SimProcess;

bool isSymlink(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

TEST(SimProgram, PrintsTheDeviceAndAnswersOnItUntilTerminated) {
    SimProcess sim({"--address", "5", "--broken", "3"});
    const std::string device = sim.readLine();
    ASSERT_EQ(device.rfind("/dev/", 0), 0u) << device;
    PtyClient client(device);
    ASSERT_TRUE(client.isOpen());
    EXPECT_EQ(client.ask("S05I\r"), "*05I\r");
    EXPECT_EQ(client.ask("R05F03\r"), "*05F030128\r");
    EXPECT_EQ(sim.terminate(), 0);
}

TEST(SimProgram, EachUserSignalTogglesSilence) {
    SimProcess sim({});
    PtyClient client(sim.readLine());
    ASSERT_EQ(client.ask("S01I\r"), "*01I\r");
    for (const char* expected : {"", "*01I\r", "", "*01I\r"}) {
        sim.signal(SIGUSR1);
        usleep(300'000);  // the loop looks at least every 100 ms
        EXPECT_EQ(client.ask("S01I\r", *expected == '\0' ? 300 : 2000), expected);
    }
    EXPECT_EQ(sim.terminate(), 0);
}

TEST(SimProgram, SilentAfterTheGivenTimeAndInvalidOutputsFromTheStart) {
    SimProcess sim({"--silent-after-s", "1", "--invalid-outputs", "2,21"});
    PtyClient client(sim.readLine());
    EXPECT_EQ(client.ask("R01E02\r"), "*01E020004\r");
    EXPECT_EQ(client.ask("R01E03\r"), "*01E030000\r");
    usleep(1'300'000);
    EXPECT_EQ(client.ask("R01E21\r", 300), "");
    sim.signal(SIGUSR1);
    usleep(300'000);
    EXPECT_EQ(client.ask("R01E21\r"), "*01E210004\r");
    EXPECT_EQ(sim.terminate(), 0);
}

TEST(SimProgram, ChosenRequestsFailEveryTime) {
    SimProcess sim({"--no-reply-to", "R01B05", "--garble-reply-to", "R01a00"});
    PtyClient client(sim.readLine());
    for (int tries = 0; tries < 2; ++tries) {
        EXPECT_EQ(client.ask("R01B05\r", 300), "");
        EXPECT_EQ(client.ask("R01a00\r"), "*01#000000\r");
    }
    EXPECT_EQ(client.ask("R01B04\r"), "*01B040000\r");
    EXPECT_EQ(sim.terminate(), 0);
}

TEST(SimProgram, PlantFileSetsUpAndStartsTheUnit) {
    SimProcess sim({"--plant", ZAT_SOURCE_DIR "/examples/demo-plant.zat"});
    PtyClient client(sim.readLine());
    EXPECT_EQ(client.ask("R01M00\r").substr(0, 7), "*01M000") << "profiler 0 runs";
    EXPECT_NE(client.ask("R01M00\r"), "*01M000000\r");
    ASSERT_EQ(client.ask("W01]0001\r"), "*01]0001\r");
    EXPECT_EQ(client.ask("R01a00\r"), "*01a000080\r");
    EXPECT_EQ(sim.terminate(), 0);
    const zat::test::ProgramResult missing = zat::test::runProgram(ZAT_UNIT_SIM_PATH, {"--plant", "/nonexistent.zat"});
    EXPECT_EQ(missing.exitCode, 2);
}

TEST(SimProgram, LogToStandardOutputFollowsThePath) {
    SimProcess sim({"--log", "-"});
    const std::string device = sim.readLine();
    PtyClient client(device);
    ASSERT_EQ(client.ask("S01I\r"), "*01I\r");
    client.send("S09I\r");
    EXPECT_EQ(sim.readLine(), "> S01I");
    EXPECT_EQ(sim.readLine(), "< *01I");
    EXPECT_EQ(sim.readLine(), "> S09I");
    EXPECT_EQ(sim.readLine(), "< (none)");
    EXPECT_EQ(sim.terminate(), 0);
}

TEST(SimProgram, LinkPointsAtTheDeviceWhileItRuns) {
    zat::test::TempDir dir;
    const std::string link = dir.file("zat-port");
    ASSERT_EQ(symlink("/nonexistent", link.c_str()), 0);  // an old link is replaced
    SimProcess sim({"--link", link});
    const std::string device = sim.readLine();
    ASSERT_TRUE(isSymlink(link));
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), device);
    PtyClient client(link);
    EXPECT_EQ(client.ask("S01I\r"), "*01I\r");
    EXPECT_EQ(sim.terminate(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(SimProgram, LinkDoesNotReplaceAnOrdinaryFile) {
    zat::test::TempDir dir;
    const std::string path = dir.file("port");
    zat::test::writeFile(path, "keep");
    const zat::test::ProgramResult result = zat::test::runProgram(ZAT_UNIT_SIM_PATH, {"--link", path});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("not a symbolic link"), std::string::npos) << result.err;
    EXPECT_EQ(zat::test::readFile(path), "keep");
}

TEST(SimProgram, BadOptionIsOneLineAndStatusTwo) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--address", "0"}, std::vector<std::string>{"--bogus"}}) {
        const zat::test::ProgramResult result = zat::test::runProgram(ZAT_UNIT_SIM_PATH, args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.out.empty());
        ASSERT_FALSE(result.err.empty());
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    }
}

TEST(SimProgram, HelpListsTheOptions) {
    const zat::test::ProgramResult result = zat::test::runProgram(ZAT_UNIT_SIM_PATH, {"--help"});
    EXPECT_EQ(result.exitCode, 0);
    for (const char* option : {"--address", "--slots", "--baud", "--link", "--log", "--time-scale", "--invalid-outputs",
                               "--silent-after-s", "--plant", "SIGUSR1"}) {
        EXPECT_NE(result.out.find(option), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace zat::sim
