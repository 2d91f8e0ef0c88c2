#include "editing/analog_output_setup.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

TEST(AnalogOutputSetup, TabsPositionsAndFlags) {
    EXPECT_EQ(analogOutputTabTitle(2), "Slot 3");
    EXPECT_EQ(analogOutputTabTitle(6), "24-27");
    EXPECT_EQ(analogOutputChannel(1, 2), 6);
    EXPECT_EQ(composeOutputFlags({.characteristic = 3, .characterised = true, .tenths = true, .fahrenheit = true}),
              0x0073);
    EXPECT_EQ(composeOutputFlags({.characteristic = 14}), 0x000E);
    EXPECT_EQ(composeOutputFlags({.characteristic = 15, .characterised = true}), 0x0010);

    // A loaded 15 is no entry of the list: nothing selected, 0 stored.
    ConfigDatabase db;
    db.analogOutputs[4].flags = 0x005F;
    const AnalogOutputPage page = loadAnalogOutput(db, 4);
    EXPECT_FALSE(page.characteristic);
    ASSERT_TRUE(storeAnalogOutput(db, 4, page).ok());
    EXPECT_EQ(db.analogOutputs[4].flags, 0x0050);
}

TEST(AnalogOutputSetup, BiasFromToAreCheckedBeforeAnythingIsStored) {
    const char* engineering = "Value is outside the valid range -9999 to 9999";
    const char* bias = "Value is outside the valid range -10 to 100";
    const struct {
        const char* bias;
        const char* from;
        const char* to;
        std::optional<AnalogOutputField> refused;
        const char* message;
    } cases[] = {
        {"-10", "5000", "0", {}, ""},
        {"100", "-9999", "9999", {}, ""},
        {"150", "0", "0", AnalogOutputField::Bias, bias},
        {"", "0", "0", AnalogOutputField::Bias, bias},
        {"0", "-10000", "0", AnalogOutputField::From, engineering},
        {"0", "", "0", AnalogOutputField::From, engineering},
        {"0", "0", "00009999", {}, ""},  // the whole text counts, not its first digits
        {"0", "0", "-32768", AnalogOutputField::To, engineering},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.bias) + " " + c.from + " " + c.to);
        ConfigDatabase db;
        db.analogOutputs[11].calSpan = 7;
        const AnalogOutputChannel before = db.analogOutputs[11];
        const AnalogOutputPage page{
            .comment = "pump", .from = c.from, .to = c.to, .bias = c.bias, .characteristic = 2, .characterised = true};
        const StoreResult<AnalogOutputField> stored = storeAnalogOutput(db, 11, page);
        ASSERT_EQ(stored.ok(), !c.refused);
        if (!stored) {
            EXPECT_EQ(stored.refusal().field, *c.refused);
            EXPECT_EQ(stored.refusal().message.text, c.message);
            EXPECT_EQ(stored.refusal().message.caption, "Error");
            EXPECT_EQ(stored.refusal().message.sound, FieldMessage::Sound::Simple);
            EXPECT_EQ(db.analogOutputs[11], before);
            continue;
        }
        EXPECT_EQ(db.analogOutputs[11].comment.view(), "pump");
        EXPECT_EQ(db.analogOutputs[11].flags, 0x0012);
        EXPECT_EQ(db.analogOutputs[11].calSpan, 7);
    }
}

TEST(AnalogOutputSetup, OutputsFromTwentyHaveOnlyCommentAndSpan) {
    ConfigDatabase db;
    db.analogOutputs[25].bias = 3;
    db.analogOutputs[25].flags = 0x0015;
    EXPECT_EQ(loadAnalogOutput(db, 25), (AnalogOutputPage{.label = "B25", .from = "-9999", .to = "9999"}));
    const AnalogOutputPage page{.from = "-5", .to = "5", .bias = "999", .characterised = true};
    ASSERT_TRUE(storeAnalogOutput(db, 25, page).ok());
    EXPECT_EQ(db.analogOutputs[25], (AnalogOutputChannel{Comment(), -5, 5, 3, 0x0015}));
}

}  // namespace
}  // namespace zat
