#include "editing/digital_comments_setup.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

TEST(DigitalCommentsSetup, ModesAndTabs) {
    EXPECT_EQ(digitalCommentLayout(DigitalMode::Inputs).tabCount, 5);
    EXPECT_EQ(digitalCommentLayout(DigitalMode::Outputs).tabCount, 7);
    EXPECT_EQ(digitalCommentTabTitle(4), "Slot 5");
    EXPECT_EQ(digitalCommentTabTitle(5), "40-47");
    EXPECT_EQ(digitalCommentTabTitle(6), "48-55");

    ConfigDatabase db;
    db.digitalOutputComments[55].assign("last");
    const DigitalCommentPage last = loadDigitalCommentPage(db, DigitalMode::Outputs, 6);
    EXPECT_EQ(last[0].label, "D48");
    EXPECT_EQ(last[7], (DigitalCommentRow{"D55", "last"}));
    EXPECT_EQ(loadDigitalCommentPage(db, DigitalMode::Inputs, 4)[7].label, "C39");
}

TEST(DigitalCommentsSetup, StoreWritesTheModesEightComments) {
    ConfigDatabase db;
    DigitalCommentPage page = loadDigitalCommentPage(db, DigitalMode::Inputs, 1);
    page[0].comment = std::string(35, 'x');
    page[7].comment = "Tür offen";
    storeDigitalCommentPage(db, DigitalMode::Inputs, 1, page);
    EXPECT_EQ(db.digitalInputComments[8].view(), std::string(29, 'x'));
    EXPECT_EQ(db.digitalInputComments[15].view(), "T\xFCr offen");
    EXPECT_TRUE(db.digitalInputComments[16].empty());
    EXPECT_EQ(db.digitalOutputComments, ConfigDatabase().digitalOutputComments);
}

}  // namespace
}  // namespace zat
