#include "model/config_database.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

// Fills every record with values other than its New value.
void scribble(ConfigDatabase& db) {
    for (auto& c : db.digitalInputComments) c.assign("input");
    for (auto& c : db.digitalOutputComments) c.assign("output");
    for (auto& a : db.analogInputs) a = {Comment("ai"), 0x0209, 500, -5};
    for (auto& b : db.analogOutputs) b = {Comment("ao"), 1, 2, 3, 0x12, 777, 888};
    for (auto& h : db.hotColdBlocks) h = {Comment("hc"), 0x80, 0x81, 0x82, 0x83, 0x84, {1, 2, 3, 4, 5}};
    for (auto& f : db.ifBlocks) f = {Comment("if"), 0x80, 1, 2, 3, 4, 5, 6, 7, 8};
    for (auto& c : db.controllers) c = {Comment("pid"), 0x80, 1, 2, 3, 50, 60, 70, 20};
    for (auto& p : db.profilers) p = {Comment("pg"), 0x80, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    for (auto& p : db.profiles) {
        p.comment.assign("prof");
        p.segRate.fill(5);
        p.segLevel.fill(6);
        p.segDwell.fill(7);
        p.link = 2;
    }
    db.inputCalibration[3] = {11, 22};
    db.coldJunctionZero = 33;
    db.ifBlockCount = 90;
    db.modified = true;
}

TEST(ConfigDatabase, StartsWithTheProgramDefaults) {
    ConfigDatabase db;
    EXPECT_EQ(db.comms.port, 4);
    EXPECT_EQ(db.comms.address, 1);
    EXPECT_EQ(db.comms.baudRate, 9600);
    EXPECT_EQ(db.comms.timeOut, 250u);
    EXPECT_EQ(db.comms.retries, 5);
    EXPECT_EQ(db.comms.protocol, 0);
    EXPECT_EQ(db.fileName, "Default.zat");
    EXPECT_EQ(db.directory, "./");
    EXPECT_EQ(db.currentPath(), "./Default.zat");
    EXPECT_FALSE(db.modified);
    EXPECT_FALSE(db.busy);
}

TEST(ConfigDatabase, ClearGivesTheNewValuesAndKeepsCommsCalibrationAndFile) {
    ConfigDatabase db;
    db.comms = {7, 12, 2400, 1000, 3, 1};
    db.setCurrentFile("/plant/line2.zat");
    scribble(db);
    db.clear();

    EXPECT_EQ(db.analogInputs[0].type, 0);
    EXPECT_EQ(db.analogInputs[0].hiScalar, 1000);
    EXPECT_EQ(db.analogInputs[0].loScalar, 0);
    EXPECT_TRUE(db.analogInputs[39].comment.empty());
    EXPECT_EQ(db.analogOutputs[0].from, -9999);
    EXPECT_EQ(db.analogOutputs[0].to, 9999);
    for (int k = 20; k < kAnalogOutputCount; ++k) {
        EXPECT_EQ(db.analogOutputs[k].bias, 0);
        EXPECT_EQ(db.analogOutputs[k].flags, 0);
    }
    for (const auto& c : db.controllers) {
        EXPECT_EQ(c.propBand, 1);
        EXPECT_EQ(c.tpCycle, 10);
        EXPECT_EQ(c.flags, 0);
    }
    for (const auto& p : db.profiles) {
        EXPECT_EQ(p.link, -1);
        EXPECT_EQ(p.segRate[7], 0);
    }
    for (const auto& p : db.profilers) EXPECT_EQ(p, TProfiler{});
    for (const auto& h : db.hotColdBlocks) EXPECT_EQ(h, HotColdBlock{});
    for (const auto& f : db.ifBlocks) EXPECT_EQ(f, TIfconf{});
    for (const auto& c : db.digitalOutputComments) EXPECT_TRUE(c.empty());
    for (const auto& c : db.digitalInputComments) EXPECT_TRUE(c.empty());
    EXPECT_EQ(db.ifBlockCount, 0);
    EXPECT_FALSE(db.modified);

    // Left as they were.
    EXPECT_EQ(db.comms, (CommsSettings{7, 12, 2400, 1000, 3, 1}));
    EXPECT_EQ(db.fileName, "line2.zat");
    EXPECT_EQ(db.directory, "/plant/");
    EXPECT_EQ(db.analogOutputs[5].calZero, 777);
    EXPECT_EQ(db.analogOutputs[5].calSpan, 888);
    EXPECT_EQ(db.inputCalibration[3], (InputCalibration{11, 22}));
    EXPECT_EQ(db.coldJunctionZero, 33);
}

TEST(ConfigDatabase, ClearLeavesIfBlockCountConsistentWithTheRecords) {
    ConfigDatabase db;
    scribble(db);
    db.clear();
    const int count = db.ifBlockCount;
    db.recountIfBlocks();
    EXPECT_EQ(db.ifBlockCount, count);
}

TEST(ConfigDatabase, RecountCountsOnlyTheFirstOperand) {
    ConfigDatabase db;
    db.ifBlocks[3].ifOperand1 = 0x01;
    db.ifBlocks[7].ifOperand1 = 0xF8;
    db.ifBlocks[8].flags = 0x80;  // enabled but free: not counted
    db.ifBlocks[9].thenOperand1 = 0x41;
    db.recountIfBlocks();
    EXPECT_EQ(db.ifBlockCount, 2);
}

TEST(ConfigDatabase, MarkModified) {
    ConfigDatabase db;
    db.markModified();
    EXPECT_TRUE(db.modified);
}

TEST(ConfigDatabase, SetCurrentFileSplitsAtTheLastSlash) {
    ConfigDatabase db;
    db.setCurrentFile("/home/eng/plants/kiln.v2.zat");
    EXPECT_EQ(db.directory, "/home/eng/plants/");
    EXPECT_EQ(db.fileName, "kiln.v2.zat");
    EXPECT_EQ(db.currentPath(), "/home/eng/plants/kiln.v2.zat");

    db.setCurrentFile("./Default.zat");
    EXPECT_EQ(db.directory, "./");
    EXPECT_EQ(db.fileName, "Default.zat");

    db.setCurrentFile("bare.zat");
    EXPECT_EQ(db.directory, "");
    EXPECT_EQ(db.currentPath(), "bare.zat");

    db.setCurrentFile("/");
    EXPECT_EQ(db.directory, "/");
    EXPECT_EQ(db.fileName, "");
}

TEST(Comment, HoldsAtMost29BytesAndStopsAtNul) {
    Comment exact(std::string(29, 'x'));
    EXPECT_EQ(exact.view().size(), 29u);
    Comment longer(std::string(40, 'y'));
    EXPECT_EQ(longer.view(), std::string(29, 'y'));
    Comment withNul(std::string_view("ab\0cd", 5));
    EXPECT_EQ(withNul.view(), "ab");
    Comment shorter("zz");
    shorter.assign("q");
    EXPECT_EQ(shorter.view(), "q");
}

TEST(Comment, KeepsWindows1252BytesUntouched) {
    Comment c(
        "\xB0"
        "C \xE9t\xE9");  // "°C été" in Windows-1252
    EXPECT_EQ(c.view(),
              "\xB0"
              "C \xE9t\xE9");
}

}  // namespace
}  // namespace zat
