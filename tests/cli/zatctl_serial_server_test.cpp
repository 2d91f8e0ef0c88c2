// zatctl with the unit behind a real ser2net, through its rfc2217 and its
// raw tcp accepter. Loopback only.
#include "comms/transfer_map.h"
#include "model/database_file.h"
#include "support/recording_user_io.h"
#include "support/run_program.h"
#include "support/ser2net_rig.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace zat {
namespace {

using namespace std::chrono_literals;

const std::string kDemo = std::string(ZAT_SOURCE_DIR) + "/examples/demo-plant.zat";

ConfigDatabase load(const std::string& path) {
    ConfigDatabase db;
    db.clear();
    test::RecordingUserIo user;
    EXPECT_TRUE(loadDatabase(db, path, user.io()).fileRead) << path;
    return db;
}

// The words that travel to the unit and back that differ between a and b.
template <typename Record, std::size_t N, typename Words>
int differences(std::array<Record, N>& a, std::array<Record, N>& b, Words words) {
    int count = 0;
    for (std::size_t r = 0; r < N; ++r) {
        const auto left = words(a[r]);
        const auto right = words(b[r]);
        for (std::size_t w = 0; w < left.size(); ++w) count += *left[w].word != *right[w].word ? 1 : 0;
    }
    return count;
}

int wireDifferences(ConfigDatabase a, ConfigDatabase b) {
    const auto hotColdList = [](HotColdBlock& block) {
        std::array<WireWord, kHotColdListWords> words{};
        for (int e = 0; e < kHotColdListWords; ++e) words[e] = hotColdListWord(block, e);
        return words;
    };
    const auto profile = [](TProfile& p) {
        std::vector<WireWord> words{profileLinkWord(p)};
        for (int s = 0; s < kProfileSegmentCount; ++s) {
            for (const WireWord& w : profileSegmentWords(p, s)) words.push_back(w);
        }
        return words;
    };
    return differences(a.analogInputs, b.analogInputs, analogInputWords) +
           differences(a.analogOutputs, b.analogOutputs, analogOutputWords) +
           differences(a.hotColdBlocks, b.hotColdBlocks, hotColdBlockWords) +
           differences(a.hotColdBlocks, b.hotColdBlocks, hotColdList) +
           differences(a.ifBlocks, b.ifBlocks, ifBlockImportWords) +
           differences(a.controllers, b.controllers, controllerWords) +
           differences(a.profilers, b.profilers, profilerWords) + differences(a.profiles, b.profiles, profile);
}

class ZatctlSerialServer : public ::testing::Test {
protected:
    test::ProgramResult zatctl(std::vector<std::string> args, const std::string& device) {
        args.insert(args.begin(), "-q");
        for (const std::string& option : {std::string("--device"), device, std::string("--timeout-ms"),
                                          std::string("200"), std::string("--retries"), std::string("1")}) {
            args.push_back(option);
        }
        return test::runProgram(ZATCTL_PATH, args, dir.path());
    }
    test::TempDir dir;
};

TEST_F(ZatctlSerialServer, ThroughEitherAccepterTheUnitAnswersTakesThePlantGivesItBackAndIsWatched) {
    test::Ser2netRig server;
    std::filesystem::copy_file(kDemo, dir.file("demo.zat"));
    for (const std::string& device : {server.rfc2217Device(), server.rawDevice()}) {
        SCOPED_TRACE(device);
        const auto probe = zatctl({"probe"}, device);
        EXPECT_EQ(probe.exitCode, 0) << probe.err;
        EXPECT_EQ(probe.out.rfind("ZAT at address 1 answered on " + device + " (9600 baud).\n", 0), 0u) << probe.out;

        const auto exported = zatctl({"export", "demo.zat"}, device);
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        ASSERT_EQ(test::runProgram(ZATCTL_PATH, {"new", "back.zat"}, dir.path()).exitCode, 0);
        ASSERT_GT(wireDifferences(load(dir.file("demo.zat")), load(dir.file("back.zat"))), 100);
        const auto imported = zatctl({"import", "back.zat"}, device);
        ASSERT_EQ(imported.exitCode, 0) << imported.err;
        EXPECT_EQ(wireDifferences(load(dir.file("demo.zat")), load(dir.file("back.zat"))), 0);
        std::filesystem::remove(dir.file("back.zat"));

        const auto watched = zatctl({"watch", "ai", "--count", "1", "--csv"}, device);
        EXPECT_EQ(watched.exitCode, 0) << watched.err;
        EXPECT_NE(watched.out.find("A00"), std::string::npos) << watched.out;
    }
}

TEST_F(ZatctlSerialServer, AServerGoneInTheMiddleOfAnImportSavesNothing) {
    test::Ser2netRig server;
    ASSERT_EQ(test::runProgram(ZATCTL_PATH, {"new", "plant.zat"}, dir.path()).exitCode, 0);
    const std::string before = test::readFile(dir.file("plant.zat"));
    test::ProgramResult result;
    std::thread import([&] { result = zatctl({"import", "plant.zat"}, server.rawDevice()); });
    // Once the unit has answered a few dozen requests, the server goes.
    std::size_t answered = 0;
    for (int i = 0; i < 500 && answered < 40; ++i) {
        answered += server.rawUnit.takeExchanges().size();
        std::this_thread::sleep_for(5ms);
    }
    server.kill();
    import.join();
    ASSERT_GE(answered, 40u);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("Transfer Failure: An error has ocurred during setup Transfer."), std::string::npos)
        << result.err;
    EXPECT_EQ(test::readFile(dir.file("plant.zat")), before);
}

TEST_F(ZatctlSerialServer, ARefusedServerIsAUnitFailure) {
    const std::string device = "rfc2217://127.0.0.1:" + std::to_string(test::freeLoopbackPort());
    const auto probe = zatctl({"probe"}, device);
    EXPECT_EQ(probe.exitCode, 1);
    EXPECT_EQ(probe.err, "Error: Failed to connect to the serial server " + device + "\nConnection refused\n");
}

}  // namespace
}  // namespace zat
