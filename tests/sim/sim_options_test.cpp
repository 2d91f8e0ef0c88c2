// The program's command line.
#include "sim/sim_options.h"

#include <gtest/gtest.h>
#include <string>
#include <variant>
#include <vector>

namespace zat::sim {
namespace {

std::variant<SimOptions, std::string> parse(const std::vector<std::string>& args) { return parseSimOptions(args); }

TEST(SimOptions, DefaultsWithoutArguments) {
    const SimOptions options = std::get<SimOptions>(parse({}));
    EXPECT_EQ(options.unit.address, 1);
    EXPECT_EQ(options.unit.slotCodes, (std::array<std::uint16_t, 5>{3, 1, 4, 6, 7}));
    EXPECT_EQ(options.timing.baudRate, 0);
    EXPECT_TRUE(options.linkPath.empty());
    EXPECT_TRUE(options.invalidOutputs.empty());
    EXPECT_EQ(options.silentAfterSeconds, -1);
    EXPECT_FALSE(options.help);
}

TEST(SimOptions, EveryOptionReachesItsField) {
    const SimOptions options = std::get<SimOptions>(parse({
        "--address",        "12",  "--slots",        "0,1,2,3,5", "--baud", "9600", "--turnaround-ms",   "15",
        "--late-ms",        "300", "--random-start", "77",        "--drop", "1",    "--garble",          "2.5",
        "--refuse",         "3",   "--truncate",     "4",         "--late", "5",    "--broken",          "3,17",
        "--time-scale",     "60",  "--link",         "/tmp/zat",  "--log",  "-",    "--invalid-outputs", "2,21",
        "--silent-after-s", "5",   "--plant",        "kiln.zat",
    }));
    EXPECT_EQ(options.unit.address, 12);
    EXPECT_EQ(options.unit.slotCodes, (std::array<std::uint16_t, 5>{0, 1, 2, 3, 5}));
    EXPECT_EQ(options.timing.baudRate, 9600);
    EXPECT_EQ(options.timing.turnaroundMs, 15);
    EXPECT_EQ(options.timing.lateMs, 300);
    EXPECT_EQ(options.randomStart, 77u);
    EXPECT_EQ(options.unit.randomStart, 77u);
    EXPECT_EQ(options.faultRates.drop, 1);
    EXPECT_EQ(options.faultRates.garble, 2.5);
    EXPECT_EQ(options.faultRates.refuse, 3);
    EXPECT_EQ(options.faultRates.truncate, 4);
    EXPECT_EQ(options.faultRates.late, 5);
    EXPECT_EQ(options.brokenSensors, (std::vector<int>{3, 17}));
    EXPECT_EQ(options.invalidOutputs, (std::vector<int>{2, 21}));
    EXPECT_EQ(options.silentAfterSeconds, 5);
    EXPECT_EQ(options.plantPath, "kiln.zat");
    EXPECT_EQ(options.unit.timeScale, 60);
    EXPECT_EQ(options.linkPath, "/tmp/zat");
    EXPECT_EQ(options.logPath, "-");
    EXPECT_TRUE(std::get<SimOptions>(parse({"-h"})).help);
}

TEST(SimOptions, RequestFaultsRepeatInTheOrderGivenAndMakeThePlan) {
    const SimOptions options = std::get<SimOptions>(parse(
        {"--no-reply-to", "R01B05", "--garble-reply-to", "R01a00", "--refuse-reply-to", "W01B", "--truncate-reply-to",
         "S01I", "--late-reply-to", "R01E", "--no-reply-to", "R01B06", "--bad-value-reply-to", "R01B07"}));
    EXPECT_EQ(options.requestFaults, (std::vector<RequestFault>{{"R01B05", Fault::Drop},
                                                                {"R01a00", Fault::Garble},
                                                                {"W01B", Fault::Refuse},
                                                                {"S01I", Fault::Truncate},
                                                                {"R01E", Fault::Late},
                                                                {"R01B06", Fault::Drop},
                                                                {"R01B07", Fault::BadValue}}));
    FaultPlan plan = faultPlanOf(options);
    EXPECT_EQ(plan.decide(1, "R01B06"), Fault::Drop);
    EXPECT_EQ(plan.decide(2, "R01B08"), Fault::None);
}

TEST(SimOptions, AListOfAddressesPutsSeveralUnitsOnTheLine) {
    const SimOptions options = std::get<SimOptions>(parse({"--address", "5,2,42"}));
    EXPECT_EQ(options.unit.address, 5);
    EXPECT_EQ(options.moreAddresses, (std::vector<int>{2, 42}));
    EXPECT_TRUE(std::get<SimOptions>(parse({"--address", "7"})).moreAddresses.empty());
}

TEST(SimOptions, BadCommandLinesSayWhatIsWrong) {
    const std::vector<std::vector<std::string>> bad = {
        {"--address", "0"},
        {"--address", "100"},
        {"--address", "1x"},
        {"--address", "1,2,1"},
        {"--address", "1,0"},
        {"--slots", "3,1,4,6"},
        {"--slots", "3,1,4,6,8"},
        {"--slots", "3,1,,6,7"},
        {"--baud", "9601"},
        {"--drop", "101"},
        {"--drop", "-1"},
        {"--drop", "60", "--late", "50"},
        {"--broken", "40"},
        {"--broken", "1,"},
        {"--time-scale", "0"},
        {"--random-start"},
        {"--frobnicate", "1"},
        {"stray"},
        {"--invalid-outputs", "40"},
        {"--silent-after-s", "-1"},
        {"--no-reply-to", ""},
        {"--no-reply-to", "B05"},
        {"--garble-reply-to", "R01 B05"},
        {"--refuse-reply-to"},
    };
    for (const std::vector<std::string>& args : bad) {
        const std::variant<SimOptions, std::string> result = parse(args);
        const auto* message = std::get_if<std::string>(&result);
        ASSERT_NE(message, nullptr) << args[0];
        EXPECT_FALSE(message->empty());
        EXPECT_EQ(message->find('\n'), std::string::npos);
    }
}

}  // namespace
}  // namespace zat::sim
