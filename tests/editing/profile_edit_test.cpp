#include "editing/entry_text.h"
#include "editing/profile_edit.h"
#include "editing/record_snapshot.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace zat {
namespace {

const char* const kRateMessage = "Illegal entry on segment 4 Rate\n Valid entries are end, step or 0 to 9999";
const char* const kDwellMessage = "Illegal entry on segment 4 Dwell\n Valid entries are 0 to 99.9";
const char* const kLevelMessage = "Illegal entry on segment 4 Level\n Valid entries are -9999 to +9999";

struct Conversion {
    const char* text;
    std::optional<int16_t> stored;  // none: refused
};

// Each text read by `read` for segment 4: stored, or refused with `message`.
template <typename Read, std::size_t N>
void expectConversions(Read read, const Conversion (&cases)[N], const char* message) {
    for (const Conversion& c : cases) {
        SCOPED_TRACE(c.text);
        const FieldCheck<int16_t> result = read(c.text, 4);
        ASSERT_EQ(result.ok(), c.stored.has_value());
        if (result)
            EXPECT_EQ(*result, *c.stored);
        else
            EXPECT_EQ(result.message().text, message);
    }
}

TEST(ProfileEdit, RateTexts) {
    const Conversion cases[] = {
        {"END", -1},
        {"End", -1},
        {"end", -1},
        {"STEP", 0},
        {"step", 0},
        {"-1", -1},
        {"-0.5", 0},
        {"0.9", 0},
        {"12.7", 12},
        {"", 0},
        {"9999", 9999},
        {" 42 ", 42},
        {"+7", 7},
        {"-2", {}},
        {"10000", {}},
        {"nan", {}},
        {"inf", {}},
        {"-inf", {}},
        {"0x1F", {}},
        {"1e3", {}},
        {"ends", {}},
        {"1.2.3", {}},
        {"-", {}},
        // Only five characters are read: "99990" would be 99990.
        {"9999.9", 9999},
        {"999999", {}},
    };
    expectConversions(readRate, cases, kRateMessage);
    const FieldMessage refused = readRate("-2", 4).message();
    EXPECT_EQ(refused.caption, "Error");
    EXPECT_EQ(refused.icon, MessageIcon::Exclamation);
    EXPECT_EQ(refused.sound, FieldMessage::Sound::None);

    EXPECT_EQ(rateText(-1), "End");
    EXPECT_EQ(rateText(0), "Step");
    EXPECT_EQ(rateText(12), "12");
    EXPECT_EQ(rateText(9999), "9999");
}

TEST(ProfileEdit, LevelAndDwellTexts) {
    const Conversion levels[] = {{"-9999", -9999},  {"9999", 9999}, {"-1000", -1000}, {"", 0},
                                 {"-10000", -1000}, {"10000", {}},  {"12x", 12}};
    expectConversions(readLevel, levels, kLevelMessage);
    const Conversion dwells[] = {{"99.9", 999}, {"1.5", 15},  {"0.3", 3},  {"", 0},     {"0", 0},
                                 {"100", {}},   {"-0.1", {}}, {"nan", {}}, {"inf", {}}, {"0x1F", {}}};
    expectConversions(readDwell, dwells, kDwellMessage);
    EXPECT_EQ(dwellText(15), "1.5");
    EXPECT_EQ(dwellText(999), "99.9");
    EXPECT_EQ(dwellText(0), "0");
}

TEST(ProfileEdit, EveryDwellSurvivesBeingShownAndStored) {
    for (int dwell = 0; dwell <= kMaxProfileDwell; ++dwell) {
        const std::string shown = dwellText(static_cast<int16_t>(dwell));
        const FieldCheck<int16_t> stored = readDwell(shown, 0);
        ASSERT_TRUE(stored.ok()) << shown;
        EXPECT_EQ(*stored, dwell) << shown;
    }
}

TEST(ProfileEdit, LinkTexts) {
    EXPECT_EQ(*readLink(false, "6"), kNoProfileLink);
    EXPECT_EQ(*readLink(true, "0"), 0);
    EXPECT_EQ(*readLink(true, "5"), 5);
    EXPECT_EQ(readLink(true, "6").message().text, "Illegal entry on profile Link\n Valid entries are 0 to 5");
    EXPECT_EQ(profileTabTitle(3), "Profile 3");
}

TEST(ProfileEdit, LoadAndStoreRoundTrip) {
    ConfigDatabase db;
    TProfile& record = db.profiles[2];
    record.segRate = {-1, 0, 12, 9999, 1, 2, 3, 4};
    record.segLevel = {-9999, 9999, 0, 5, 6, 7, 8, 9};
    record.segDwell = {0, 15, 999, 3, 1, 2, 4, 5};
    record.link = 2;  // itself
    const TProfile held = record;
    const ProfilePage page = loadProfile(db, 2);
    EXPECT_EQ(page.segments[0], (ProfileSegmentPage{"End", "-9999", "0"}));
    EXPECT_EQ(page.segments[1], (ProfileSegmentPage{"Step", "9999", "1.5"}));
    EXPECT_EQ(page.link, "2");
    ASSERT_TRUE(storeProfile(db, 2, page).ok());
    EXPECT_EQ(db.profiles[2], held);
    EXPECT_TRUE(db.modified);

    // No link: empty and unticked; unticked stores -1 whatever the number.
    EXPECT_FALSE(loadProfile(db, 0).linked);
    EXPECT_EQ(loadProfile(db, 0).link, "");
    ProfilePage unlinked = page;
    unlinked.linked = false;
    ASSERT_TRUE(storeProfile(db, 2, unlinked).ok());
    EXPECT_EQ(db.profiles[2].link, kNoProfileLink);
}

TEST(ProfileEdit, ARefusedStoreKeepsWhatPassedAndMarksItModified) {
    ConfigDatabase db;
    db.profiles[1].link = 4;
    db.profiles[1].comment = commentFromText("old");
    ProfilePage page = loadProfile(db, 1);
    for (auto& segment : page.segments) segment = {"10", "20", "0.5"};
    page.segments[3].level = "99999";
    page.linked = false;
    page.comment = "new";
    const StoreResult<ProfileField> stored = storeProfile(db, 1, page);
    ASSERT_FALSE(stored.ok());
    EXPECT_EQ(stored.refusal().row, 3);
    EXPECT_EQ(stored.refusal().field, ProfileField::Level);
    EXPECT_EQ(stored.refusal().message.text, "Illegal entry on segment 3 Level\n Valid entries are -9999 to +9999");
    const TProfile& record = db.profiles[1];
    EXPECT_EQ(record.segRate[2], 10);
    EXPECT_EQ(record.segDwell[2], 5);
    EXPECT_EQ(record.segRate[3], 10);
    EXPECT_EQ(record.segLevel[3], 0);
    EXPECT_EQ(record.segRate[4], 0);
    EXPECT_EQ(record.link, 4);
    EXPECT_EQ(commentText(record.comment), "old");
    EXPECT_TRUE(db.modified);

    // A refusal at the first field changes nothing and marks nothing.
    ConfigDatabase untouched;
    ProfilePage bad = loadProfile(untouched, 0);
    bad.segments[0].rate = "nan";
    EXPECT_FALSE(storeProfile(untouched, 0, bad).ok());
    EXPECT_FALSE(untouched.modified);
    EXPECT_FALSE(ProfileSnapshot(ConfigDatabase{}).changed(untouched));
}

}  // namespace
}  // namespace zat
