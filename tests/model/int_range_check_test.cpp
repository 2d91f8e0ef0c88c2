#include "model/int_range_check.h"
#include "support/recording_user_io.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zat {
namespace {

TEST(IntRangeCheck, LimitsAreInclusive) {
    const IntRangeCheck bias(-10, 100);
    EXPECT_TRUE(bias.check("-10").ok());
    EXPECT_TRUE(bias.check("100").ok());
    EXPECT_TRUE(bias.check("0").ok());
    EXPECT_FALSE(bias.check("-11").ok());
    EXPECT_FALSE(bias.check("101").ok());

    const IntRangeCheck engineering(-9999, 9999);
    EXPECT_TRUE(engineering.check("-9999").ok());
    EXPECT_TRUE(engineering.check("9999").ok());
    EXPECT_FALSE(engineering.check("-10000").ok());
    EXPECT_FALSE(engineering.check("10000").ok());
}

TEST(IntRangeCheck, TextForms) {
    const IntRangeCheck check(-100, 100);
    for (std::string_view good : {"5", "+5", "-5", "-0", "007", " 42", "42 ", "\t-3\t"}) {
        SCOPED_TRACE(std::string(good));
        EXPECT_TRUE(check.check(good).ok());
    }
    for (std::string_view bad : {"", " ", "-", "+", "1 2", "12a", "a12", "0x10", "--1", "+-1", "1.5", "1e2", "- 1"}) {
        SCOPED_TRACE(std::string(bad));
        EXPECT_FALSE(check.check(bad).ok());
    }
    EXPECT_EQ(IntRangeCheck::parse(" -17 "), -17);
    EXPECT_EQ(IntRangeCheck::parse("+08"), 8);
}

TEST(IntRangeCheck, ThirtyTwoBitEdges) {
    const IntRangeCheck all(INT32_MIN, INT32_MAX);
    EXPECT_TRUE(all.check("2147483647").ok());
    EXPECT_TRUE(all.check("-2147483648").ok());
    EXPECT_FALSE(all.check("2147483648").ok());
    EXPECT_FALSE(all.check("-2147483649").ok());
    EXPECT_FALSE(all.check("99999999999999999999999999999").ok());
    EXPECT_FALSE(all.check("-99999999999999999999999999999").ok());
    EXPECT_EQ(IntRangeCheck::parse("-2147483648"), INT32_MIN);
    EXPECT_EQ(IntRangeCheck::parse("00000000000000002147483647"), INT32_MAX);
}

TEST(IntRangeCheck, OutOfRangeBeepsThenExplains) {
    for (std::string_view bad : {"101", "", "abc"}) {
        SCOPED_TRACE(std::string(bad));
        test::RecordingUserIo io;
        const FieldCheck<int32_t> check = IntRangeCheck(-10, 100).check(bad);
        ASSERT_FALSE(check.ok());
        showFieldMessage(check.message(), io.prompts, io.beep);
        EXPECT_EQ(io.beep.beeps, std::vector<std::string>{"simple"});
        ASSERT_EQ(io.prompts.shown.size(), 1u);
        const test::ShownMessage& box = io.prompts.shown[0];
        EXPECT_EQ(box.text, "Value is outside the valid range -10 to 100");
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.icon, MessageIcon::Exclamation);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
        EXPECT_EQ(box.beepsBefore, 1u);
    }
}

TEST(IntRangeCheck, ValidTextGivesItsValue) {
    const FieldCheck<int32_t> check = IntRangeCheck(-9999, 9999).check("-9999");
    ASSERT_TRUE(check.ok());
    EXPECT_EQ(*check, -9999);
}

TEST(IntRangeCheck, MessageCarriesTheLimits) {
    EXPECT_EQ(IntRangeCheck(-9999, 9999).message(), "Value is outside the valid range -9999 to 9999");
    EXPECT_EQ(IntRangeCheck(INT32_MIN, INT32_MAX).message(),
              "Value is outside the valid range -2147483648 to 2147483647");
}

}  // namespace
}  // namespace zat
