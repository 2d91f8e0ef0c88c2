#include "editing/hot_cold_setup.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

TEST(HotColdSetup, InputBoxesAreListBits) {
    HotColdInputs inputs{};
    inputs[0] = inputs[7] = inputs[8] = inputs[39] = true;
    const std::array<uint16_t, kHotColdListWords> list = hotColdList(inputs);
    EXPECT_EQ(list, (std::array<uint16_t, kHotColdListWords>{0x0081, 0x0001, 0, 0, 0x0080}));
    EXPECT_EQ(hotColdInputs(list), inputs);
    EXPECT_EQ(hotColdInputs({0xFF00, 0, 0, 0, 0}), HotColdInputs{});  // upper bytes have no box
}

TEST(HotColdSetup, DestinationsAreStoredInOrderUpToTheFirstBadOne) {
    const struct {
        std::array<const char*, 4> texts;  // hottest, coldest, mean, spread
        std::array<uint16_t, 4> stored;    // 9: left as it was
        std::optional<HotColdField> refused;
        const char* message;
    } cases[] = {
        {{"B39", "A0", "", "b7"}, {0x67, 0x80, 0, 0x47}, {}, ""},
        {{"A1", "C1", "A2", "A3"}, {0x81, 9, 9, 9}, HotColdField::Coldest, "\nFirst character must be A or B"},
        {{"A1", "B2", "A40", ""},
         {0x81, 0x42, 9, 9},
         HotColdField::Mean,
         "\nIllegal analogue destination channel number"},
        {{"", "", "", "B"}, {0, 0, 0, 9}, HotColdField::Spread, "\n\nNon numeric digit found"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ConfigDatabase db;
        db.hotColdBlocks[2] = {Comment("old"), 0x0001, 9, 9, 9, 9, {1, 2, 3, 4, 5}};
        HotColdPage page{.comment = "new",
                         .enabled = true,
                         .hottest = c.texts[0],
                         .coldest = c.texts[1],
                         .mean = c.texts[2],
                         .spread = c.texts[3]};
        page.inputs[3] = true;

        const StoreResult<HotColdField> stored = storeHotColdBlock(db, 2, page);
        const HotColdBlock& block = db.hotColdBlocks[2];
        EXPECT_EQ(block.comment.view(), "new");
        EXPECT_EQ(block.flags, 0x0081);
        EXPECT_EQ((std::array<uint16_t, 4>{block.hottest, block.coldest, block.mean, block.spread}), c.stored);
        EXPECT_EQ(block.list[0], c.refused ? 1 : 0x0008);
        EXPECT_TRUE(db.modified);  // marked first, whether the store is refused or not
        ASSERT_EQ(stored.ok(), !c.refused);
        if (stored) continue;
        EXPECT_EQ(stored.refusal().field, *c.refused);
        EXPECT_EQ(stored.refusal().message.text, c.message);
        EXPECT_EQ(stored.refusal().message.caption, "Analogue Destination Error");
    }
}

TEST(HotColdSetup, EnabledBoxSetsBitSevenAlone) {
    ConfigDatabase db;
    db.hotColdBlocks[0].flags = 0x0081;
    HotColdPage page = loadHotColdBlock(db, 0);
    EXPECT_TRUE(page.enabled);
    page.enabled = false;
    ASSERT_TRUE(storeHotColdBlock(db, 0, page).ok());
    EXPECT_EQ(db.hotColdBlocks[0].flags, 0x0001);
}

TEST(HotColdSetup, EveryStoreMarksTheDatabaseEvenUnchanged) {
    ConfigDatabase db;
    ASSERT_TRUE(storeHotColdBlock(db, 3, loadHotColdBlock(db, 3)).ok());
    EXPECT_EQ(db.hotColdBlocks, ConfigDatabase().hotColdBlocks);
    EXPECT_TRUE(db.modified);
}

}  // namespace
}  // namespace zat
