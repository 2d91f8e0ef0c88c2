#include "commands/file_names.h"
#include "support/recording_user_io.h"

#include <gtest/gtest.h>

using namespace zat;

TEST(FileNames, ExtensionsAreComparedWithoutRegardToCase) {
    EXPECT_TRUE(hasExtension("/data/plant1.zat", ".zat"));
    EXPECT_TRUE(hasExtension("PLANT1.ZAT", ".zat"));
    EXPECT_FALSE(hasExtension("/data/settings.txt", ".zat"));
    EXPECT_FALSE(hasExtension("/data/.zat", ".zat"));       // only the extension
    EXPECT_FALSE(hasExtension("/data.zat/plant", ".zat"));  // the folder does not count
    EXPECT_FALSE(hasExtension("plant.zat.bak", ".zat"));
}

TEST(FileNames, AWrongExtensionBeepsThenSaysWhichKindIsWanted) {
    test::RecordingUserIo user;
    EXPECT_FALSE(checkExtension("kiln.txt", ".reg", user.prompts, user.beep));
    ASSERT_EQ(user.prompts.shown.size(), 1u);
    EXPECT_EQ(user.prompts.shown[0].text, "Must be a .REG file");
    EXPECT_EQ(user.prompts.shown[0].caption, "Error");
    EXPECT_EQ(user.prompts.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(user.prompts.shown[0].beepsBefore, 1u);
    EXPECT_EQ(user.beep.beeps, std::vector<std::string>{"exclamation"});
    EXPECT_TRUE(checkExtension("kiln.REG", ".reg", user.prompts, user.beep));
    EXPECT_EQ(user.prompts.shown.size(), 1u);
}

TEST(FileNames, TheCalibrationFileIsNamedAfterTheDatabase) {
    EXPECT_EQ(withExtension("Default.zat", ".cal"), "Default.cal");
    EXPECT_EQ(withExtension("plant.v2.zat", ".cal"), "plant.v2.cal");
    EXPECT_EQ(withExtension("plant", ".cal"), "plant.cal");
    EXPECT_EQ(withExtension(".hidden", ".cal"), ".hidden.cal");
    EXPECT_EQ(fileNameOnly("/data/plant1.zat"), "plant1.zat");
    EXPECT_EQ(fileNameOnly("plant1.zat"), "plant1.zat");
}
