#include "calibration/calibration_file.h"
#include "calibration/calibration_transfer.h"
#include "commands/transfer_commands.h"
#include "support/temp_dir.h"
#include "support/unit_on_pty.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zat {
namespace {

using sim::Fault;
using test::faultAt;
using test::UnitOnPty;
using Requests = std::vector<std::string>;

class Calibration : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string path = dir.file("Plant2.cal");
    ConfigDatabase db;
};

TEST_F(Calibration, ValuesReadFromTheUnitAreHeldWithinTheirBounds) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    rig.unit.withState([](sim::UnitState& s) {
        ASSERT_TRUE(s.setItem(0, 'x', 0, 0x0800));
        ASSERT_TRUE(s.setItem(0, 'y', 7, 0xFFFF));
        ASSERT_TRUE(s.setItem(0, 'z', 19, 0x4000));
        ASSERT_TRUE(s.setItem(0, '{', 3, 0x0010));
        ASSERT_TRUE(s.setItem(0, 'x', 2, 0x2345));
        ASSERT_TRUE(s.setItem(0, '|', 0, 2000));
    });

    EXPECT_EQ(readCalibrationFromUnit(db, rig.protocol, rig.user.progress), Outcome::Ok);

    EXPECT_EQ(db.inputCalibration[0].zero, 0x1000);
    EXPECT_EQ(db.inputCalibration[2].zero, 0x2345);
    EXPECT_EQ(db.inputCalibration[7].span, 0x9000);
    EXPECT_EQ(db.analogOutputs[19].calZero, 0x3000);
    EXPECT_EQ(db.analogOutputs[3].calSpan, 0x7F00);
    EXPECT_EQ(db.coldJunctionZero, 1200);
    EXPECT_EQ(rig.user.progress.steps, 56);
    const Requests sent = rig.requests();
    ASSERT_EQ(sent.size(), 2u + 56u + 1u);
    EXPECT_EQ(Requests(sent.begin(), sent.begin() + 5),
              (Requests{"W01?0042", "W01]0000", "R01x00", "R01y00", "R01x01"}));
    EXPECT_EQ(sent.back(), "R01|");

    ASSERT_EQ(writeCalibrationFile(db, path, rig.user.prompts), Outcome::Ok);
    const std::string file = test::readFile(path);
    EXPECT_EQ(file.rfind("[Analog Input]\r\nZero 0=4096\r\nSpan 0=32768\r\nZero 1=8192\r\n", 0), 0u) << file;
    EXPECT_NE(file.find("[Analog Output]\r\nZero 0=6144\r\nSpan 0=34688\r\n"), std::string::npos);
    EXPECT_NE(file.find("Zero 19=12288\r\nSpan 19=34688\r\n[Cold Junction]\r\nZero=1200\r\n"), std::string::npos);
}

TEST_F(Calibration, AFailedReadStopsButTheColdJunctionIsStillRead) {
    // 1 probe, 2 page, 3.. x0 y0 x1 y1 x2 y2 x3 (request 9) refused.
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings(), faultAt(9, Fault::Refuse));
    db.inputCalibration[3].zero = 1;

    EXPECT_EQ(readCalibrationFromUnit(db, rig.protocol, rig.user.progress), Outcome::Failed);

    const Requests sent = rig.requests();
    EXPECT_EQ(Requests(sent.begin() + 8, sent.end()), (Requests{"R01x03", "R01y03", "R01|"}));
    EXPECT_EQ(db.inputCalibration[3].zero, 1);  // the failed read left it
    EXPECT_EQ(db.coldJunctionZero, 1000);
}

TEST_F(Calibration, AFileWithoutSomeKeysGivesTheirDefaults) {
    test::writeFile(path, "[Analog Input]\r\nZero 1=5000\r\nSpan 1=65535\r\n[Analog Output]\r\nSpan 4=1\r\n");
    db.coldJunctionZero = 950;

    test::RecordingPrompts prompts;
    ASSERT_EQ(readCalibrationFile(db, path, prompts), Outcome::Ok);

    EXPECT_EQ(db.inputCalibration[0].zero, 4096);
    EXPECT_EQ(db.inputCalibration[0].span, 0x7000);
    EXPECT_EQ(db.inputCalibration[1].zero, 5000);
    EXPECT_EQ(db.inputCalibration[1].span, 65535);  // only its width is checked
    EXPECT_EQ(db.analogOutputs[4].calZero, 0);
    EXPECT_EQ(db.analogOutputs[4].calSpan, 1);
    EXPECT_EQ(db.analogOutputs[5].calSpan, 0x7F00);
    EXPECT_EQ(db.coldJunctionZero, 800);

    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    EXPECT_EQ(writeCalibrationToUnit(db, rig.protocol, rig.user.progress, false), Outcome::Ok);
    rig.unit.withState([](sim::UnitState& s) {
        EXPECT_EQ(s.item(0, '|', 0), 800);
        EXPECT_EQ(s.item(0, '{', 4), 1);  // out of bounds, sent as it is
    });
}

TEST_F(Calibration, WritingTheFileKeepsWhatElseItHolds) {
    test::writeFile(path, "; unit 7\r\n[Analog Input]\r\nZero 0=1\r\nNote=bench\r\n[Site]\r\nName=Kiln\r\n");
    db.inputCalibration[0].zero = 0x1234;
    test::RecordingPrompts prompts;

    ASSERT_EQ(writeCalibrationFile(db, path, prompts), Outcome::Ok);

    const std::string file = test::readFile(path);
    EXPECT_EQ(file.rfind("; unit 7\r\n[Analog Input]\r\nZero 0=4660\r\nNote=bench\r\nSpan 0=0\r\n", 0), 0u) << file;
    EXPECT_NE(file.find("[Site]\r\nName=Kiln\r\n"), std::string::npos);

    const std::string nowhere = dir.file("no/such.cal");
    EXPECT_EQ(writeCalibrationFile(db, nowhere, prompts), Outcome::Failed);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Unable to write file " + nowhere + "\nNo such file or directory");
    EXPECT_EQ(readCalibrationFile(db, nowhere, prompts), Outcome::Failed);
    EXPECT_EQ(prompts.shown.back().text, "Unable to read file " + nowhere + "\nNo such file or directory");
}

TEST_F(Calibration, AFileWithoutConstantsOrWithOneTooWideChangesNothing) {
    const std::pair<const char*, std::string> cases[] = {
        {"[General]\r\nAddress=1\r\n[Cold Junction]\r\nSpan=1\r\n", path + " holds no calibration constants"},
        {"[Cold Junction]\r\nZero=900\r\n[Analog Input]\r\nSpan 7=65536\r\n",
         "Invalid calibration constant Span 7=65536 in section Analog Input of " + path + ": valid range 0 to 65535"},
        {"[Analog Output]\r\nZero 19= -5\r\n",
         "Invalid calibration constant Zero 19=-5 in section Analog Output of " + path + ": valid range 0 to 65535"},
    };
    for (const auto& [content, message] : cases) {
        db.coldJunctionZero = 950;
        test::writeFile(path, content);
        test::RecordingPrompts prompts;
        EXPECT_EQ(readCalibrationFile(db, path, prompts), Outcome::Failed) << content;
        ASSERT_EQ(prompts.shown.size(), 1u) << content;
        EXPECT_EQ(prompts.shown[0].text, message);
        EXPECT_EQ(db.coldJunctionZero, 950) << content;
    }
}

TEST_F(Calibration, IgnoreWritesEveryConstantAndAsksNoMore) {
    // The first run stops at request 5 (y01 refused); Ignore runs again.
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings(), faultAt(6, Fault::Refuse));
    rig.user.prompts.script = {Answer::Ignore};
    db.coldJunctionZero = 900;

    EXPECT_EQ(writeCalibrationCommand(db, rig.protocol, rig.user.io()), TransferOutcome::DoneIgnoringErrors);

    ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.user.prompts.shown[0].text, "An error has ocurred during calibration data transfer.");
    EXPECT_EQ(rig.user.prompts.shown[0].caption, "Transfer Failure");
    const Requests sent = rig.requests();
    // First run: probe, page, x0 y0 x1 y1 (refused), "|"; second run: probe, page, 56, "|".
    ASSERT_EQ(sent.size(), 7u + 59u);
    EXPECT_EQ(sent[6], "W01|0384");
    EXPECT_EQ(sent.back(), "W01|0384");
    EXPECT_EQ(rig.user.status.texts, (std::vector<std::string>{"Writing Calibration data....", ""}));
}

TEST_F(Calibration, IgnoringErrorsStillWritesEverythingPastAFailure) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings(), faultAt(3, Fault::Refuse));

    EXPECT_EQ(writeCalibrationToUnit(db, rig.protocol, rig.user.progress, true), Outcome::Ok);

    EXPECT_EQ(rig.requests().size(), 2u + 56u + 1u);
    EXPECT_EQ(rig.user.progress.steps, 56);
}

TEST_F(Calibration, ASilentUnitFailsEvenWhenIgnoringErrors) {
    CommsSettings comms = UnitOnPty::quickSettings();
    comms.address = 3;
    comms.timeOut = 20;
    UnitOnPty rig({}, {}, comms);
    rig.user.prompts.script = {Answer::Retry, Answer::Abort};

    EXPECT_EQ(writeCalibrationToUnit(db, rig.protocol, rig.user.progress, true), Outcome::Failed);
    EXPECT_EQ(readCalibrationCommand(db, rig.protocol, rig.user.io()), TransferOutcome::GaveUp);

    EXPECT_EQ(rig.user.prompts.shown.size(), 2u);
    EXPECT_EQ(rig.traffic.requests.size(), 3u);  // only probes
    EXPECT_EQ(rig.user.status.texts, (std::vector<std::string>{"Reading Calibration data....", ""}));
}

}  // namespace
}  // namespace zat
