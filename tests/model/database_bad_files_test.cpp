// Broken and odd database files load without harm, each field taking what
// the file gives or its loader default.
#include "model/database_file.h"
#include "support/recording_user_io.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

const CommsSettings kLoaderDefaultComms{1, 0, 9600, 100, 2, 0};

class BadDatabaseFile : public ::testing::Test {
protected:
    ConfigDatabase load(const std::string& name) {
        ConfigDatabase db;
        fillWithJunk(db);
        const DatabaseLoad result =
            loadDatabase(db, std::string(ZAT_TEST_DATA_DIR) + "/database/bad/" + name, recorder.io());
        EXPECT_TRUE(result.fileRead);
        EXPECT_TRUE(recorder.prompts.shown.empty());
        EXPECT_EQ(recorder.progress.steps, kDatabaseFileSteps);
        EXPECT_FALSE(db.modified);
        return db;
    }

    // Whatever the file leaves out must not keep these.
    static void fillWithJunk(ConfigDatabase& db) {
        db.comms = {99, 99, 99, 99, 99, 99};
        for (auto& a : db.analogInputs) a = {Comment("junk"), 0x1F, 1, 2};
        for (auto& c : db.controllers) c.propBand = 4321;
        for (auto& p : db.profiles) p.link = 3;
        db.ifBlocks[0].ifOperand1 = 9;
        db.markModified();
    }

    test::RecordingUserIo recorder;
};

TEST_F(BadDatabaseFile, BinaryGarbageGivesTheLoaderDefaults) {
    const ConfigDatabase db = load("garbage.zat");
    EXPECT_EQ(db.comms, kLoaderDefaultComms);
    EXPECT_EQ(db.analogInputs[0], (AnalogInputChannel{Comment(), 0, 1000, 0}));
    EXPECT_EQ(db.controllers[7].propBand, 1);
    EXPECT_EQ(db.profiles[5].link, -1);
    EXPECT_EQ(db.ifBlockCount, 0);
}

TEST_F(BadDatabaseFile, EmptyFileGivesTheLoaderDefaults) {
    const ConfigDatabase db = load("empty.zat");
    EXPECT_EQ(db.comms, kLoaderDefaultComms);
    EXPECT_EQ(db.analogInputs[39].hiScalar, 1000);
}

TEST_F(BadDatabaseFile, NulBytesEndNumbersAndTextsButNothingElse) {
    const ConfigDatabase db = load("nul-bytes.zat");
    EXPECT_EQ(db.comms.port, 3);
    EXPECT_EQ(db.analogInputs[0].comment.view(), "ab");
    EXPECT_EQ(db.analogInputs[0].hiScalar, 0) << "a value that is not a number reads as 0";
    EXPECT_EQ(db.profiles[1].link, -1) << "a section name with a NUL in it is another section";
}

TEST_F(BadDatabaseFile, FirstOfDuplicateSectionsAndKeysWins) {
    const ConfigDatabase db = load("duplicates.zat");
    EXPECT_EQ(db.comms.port, 3);
    EXPECT_EQ(db.comms.address, 0) << "keys of a later duplicate section are not seen";
    EXPECT_EQ(db.controllers[0].propBand, 20);
    EXPECT_EQ(db.controllers[0].tpCycle, 10);
}

TEST_F(BadDatabaseFile, ByteOrderMarkIsSkipped) {
    const ConfigDatabase db = load("bom.zat");
    EXPECT_EQ(db.comms.port, 6);
    EXPECT_EQ(db.digitalInputComments[0].view(), "pump");
}

TEST_F(BadDatabaseFile, LineFeedOnlyLinesReadAsWell) {
    const ConfigDatabase db = load("lf-only.zat");
    EXPECT_EQ(db.comms.port, 7);
    EXPECT_EQ(db.comms.timeOut, 500u);
    EXPECT_EQ(db.digitalOutputComments[55].view(), "last");
    EXPECT_EQ(db.profiles[2].segRate[7], -1);
    EXPECT_EQ(db.profiles[2].link, 3);
}

TEST_F(BadDatabaseFile, NamesMatchWithoutRegardToCase) {
    const ConfigDatabase db = load("odd-case.zat");
    EXPECT_EQ(db.comms.port, 8);
    EXPECT_EQ(db.comms.baudRate, 1200);
    EXPECT_EQ(db.analogInputs[39].comment.view(), "Case");
    EXPECT_EQ(db.analogInputs[39].hiScalar, 77);
    EXPECT_EQ(db.profilers[5].dwellRegister, 200);
}

TEST_F(BadDatabaseFile, BlanksAroundNamesAndValuesAreIgnored) {
    const ConfigDatabase db = load("blanks-and-equals.zat");
    EXPECT_EQ(db.comms.port, 9);
    EXPECT_EQ(db.comms.address, 12);
    EXPECT_EQ(db.analogInputs[2].comment.view(), "a = b");
    EXPECT_EQ(db.analogInputs[2].loScalar, -12);
    EXPECT_EQ(db.analogOutputs[3].from, 0) << "\"=5\" is not a number";
    EXPECT_EQ(db.analogOutputs[3].to, 1000) << "an empty value takes the loader default";
}

TEST_F(BadDatabaseFile, MissingSectionsTakeTheirDefaults) {
    const ConfigDatabase db = load("missing-sections.zat");
    EXPECT_EQ(db.comms, kLoaderDefaultComms);
    EXPECT_EQ(db.ifBlocks[89].ifOperand1, 1);
    EXPECT_EQ(db.ifBlocks[89].comment.view(), "last block");
    EXPECT_EQ(db.ifBlocks[0].ifOperand1, 0);
    EXPECT_EQ(db.ifBlockCount, 1);
}

TEST_F(BadDatabaseFile, LastLineWithoutLineEnd) {
    const ConfigDatabase db = load("no-final-newline.zat");
    EXPECT_EQ(db.comms.port, 2);
    EXPECT_EQ(db.comms.retries, 7);
}

TEST_F(BadDatabaseFile, TextWhereNumbersBelong) {
    const ConfigDatabase db = load("numbers-not-numbers.zat");
    EXPECT_EQ(db.comms.port, 0);
    EXPECT_EQ(db.comms.baudRate, 9600);
    EXPECT_EQ(db.comms.timeOut, 0u);
    EXPECT_EQ(db.controllers[3].propBand, 0);
    EXPECT_EQ(db.controllers[3].intTime, 65535) << "a huge number keeps its low 16 bits";
}

TEST(BadDatabaseFileGenerated, MegabyteLine) {
    test::TempDir dir;
    const std::string path = dir.file("long-line.zat");
    test::writeFile(path, "[General]\r\nPort=5\r\n[Analog Input 0]\r\nComment=" + std::string(1 << 20, 'x') +
                              "\r\nHi Scalar=" + std::string(1 << 20, '7') +
                              "\r\n[General]\r\n[Analog Input 1]\r\n"
                              "Lo Scalar=-3\r\n");
    test::RecordingUserIo recorder;
    ConfigDatabase db;
    loadDatabase(db, path, recorder.io());
    EXPECT_EQ(db.comms.port, 5);
    EXPECT_EQ(db.analogInputs[0].comment.view(), std::string(29, 'x'));
    EXPECT_EQ(db.analogInputs[1].loScalar, -3);

    // Saving it again keeps the long line's section intact apart from the updated keys.
    db.analogInputs[1].loScalar = 4;
    ASSERT_EQ(saveDatabase(db, path, recorder.io()), Outcome::Ok);
    ConfigDatabase again;
    loadDatabase(again, path, recorder.io());
    EXPECT_EQ(again.analogInputs[1].loScalar, 4);
    EXPECT_EQ(again.analogInputs[0].comment.view(), std::string(29, 'x'));
}

}  // namespace
}  // namespace zat
