#include "comms/comms_entries.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

TEST(DilSwitch, PatternFollowsAddressBaudRateAndProtocol) {
    EXPECT_EQ(dilSwitchPattern(5, 9600, 0), 0x305);
    EXPECT_EQ(dilSwitchPattern(99, 1200, 0), 99);
    EXPECT_EQ(dilSwitchPattern(0, 2400, 1), 0x500);
    EXPECT_EQ(dilSwitchPattern(1, 4800, 0), 0x201);
    EXPECT_EQ(dilSwitchPattern(1, 19200, 0), 0x001);  // the switch has no code for 19200
    // Changing one setting leaves the others' switches, bit 11 included.
    EXPECT_EQ(withDilAddress(0x0F05, 7), 0x0F07);
    EXPECT_EQ(withDilBaudRate(0x0F05, 2400), 0x0D05);
    EXPECT_EQ(withDilModbus(0x0F05, false), 0x0B05);
}

TEST(DilSwitch, AnAddressOutOfRangeLeavesThePattern) {
    EXPECT_EQ(dilAddressEntry("99"), 99);
    EXPECT_EQ(dilAddressEntry("100"), std::nullopt);
    EXPECT_EQ(dilAddressEntry("-1"), std::nullopt);
    EXPECT_EQ(dilAddressEntry("x"), 0);  // not a number reads 0
}

TEST(CommsEntries, TimeoutIsHeldInSinglePrecision) {
    EXPECT_EQ(timeoutEntryMilliseconds("0.01"), std::nullopt);
    EXPECT_EQ(timeoutEntryMilliseconds(".011"), 10u);
    EXPECT_EQ(timeoutEntryMilliseconds("0.02"), 19u);
    EXPECT_EQ(timeoutEntryMilliseconds("0.1"), 100u);
    EXPECT_EQ(timeoutEntryMilliseconds("0.25"), 250u);
    EXPECT_EQ(timeoutEntryMilliseconds("0.7"), 699u);
    EXPECT_EQ(timeoutEntryMilliseconds("1"), 1000u);
    EXPECT_EQ(timeoutEntryMilliseconds("1.01"), std::nullopt);
    EXPECT_EQ(timeoutEntryMilliseconds(" .5s"), 500u);  // the leading number counts
    EXPECT_EQ(timeoutEntryMilliseconds("abc"), std::nullopt);
    EXPECT_EQ(timeoutEntryMilliseconds("nan"), std::nullopt);
    EXPECT_EQ(timeoutEntryMilliseconds("-0.5"), std::nullopt);
}

TEST(CommsEntries, ChecksRunInOrderAndReportTheFirstRefusal) {
    CommsEntriesCheck check = checkCommsEntries({"99", "0", "1"});
    EXPECT_TRUE(check.ok());
    EXPECT_EQ(check.address, 99);
    EXPECT_EQ(check.retries, 0);
    EXPECT_EQ(check.timeOut, 1000u);

    EXPECT_EQ(checkCommsEntries({"100", "100", "5"}).error, "Illegal Comms address value");
    EXPECT_EQ(checkCommsEntries({"1000", "1", "0.1"}).error, "Illegal Comms address value");  // reads "100"
    EXPECT_EQ(checkCommsEntries({"1", "-1", "5"}).error, "Illegal Comms retry count");
    EXPECT_EQ(checkCommsEntries({"1", "99", "0.01"}).error, "Illegal Comms timeout");
    // Text that is not a number reads 0: valid for address and retries.
    check = checkCommsEntries({"ab", "", "0.5"});
    EXPECT_TRUE(check.ok());
    EXPECT_EQ(check.address, 0);
    EXPECT_EQ(check.timeOut, 500u);
}

TEST(CommsSettingsFromAFile, TheFirstBadKeyIsNamedAsTheFileHasIt) {
    EXPECT_TRUE(checkCommsSettings({99, 99, 19200, 60'000, 0, 0}, "a.zat").ok());
    EXPECT_TRUE(checkCommsSettings({1, 0, 1200, 1, 99, 0}, "a.zat").ok());
    const std::pair<CommsSettings, const char*> cases[] = {
        {{0, -1, 9600, 100, 2, 0}, "Port=0 in a.zat: valid range 1 to 99"},  // the first of two
        {{1, -1, 9600, 100, 2, 0}, "Address=-1 in a.zat: valid range 0 to 99"},
        {{1, 1, 300, 100, 2, 0}, "Baud Rate=300 in a.zat: valid rates 1200, 2400, 4800, 9600 and 19200"},
        {{1, 1, 9600, 0, 2, 0}, "Time Out=0 in a.zat: valid range 0.001 to 60 seconds"},
        {{1, 1, 9600, 60'001, 2, 0}, "Time Out=60.001 in a.zat: valid range 0.001 to 60 seconds"},
        {{1, 1, 9600, 100, 100, 0}, "Retries=100 in a.zat: valid range 0 to 99"},
    };
    for (const auto& [settings, error] : cases)
        EXPECT_EQ(checkCommsSettings(settings, "a.zat").error, "Invalid communication setting " + std::string(error));
    // What the run sets instead is not the file's to answer for.
    const CommsSettings bad{0, 100, 300, 0, 100, 0};
    EXPECT_EQ(checkCommsSettings(bad, "a.zat", {true, true, true, true, false}).error,
              "Invalid communication setting Retries=100 in a.zat: valid range 0 to 99");
    EXPECT_TRUE(checkCommsSettings(bad, "a.zat", {true, true, true, true, true}).ok());
}

}  // namespace
}  // namespace zat
