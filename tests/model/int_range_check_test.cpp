#include "model/int_range_check.h"
#include "support/recording_user_io.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zat {
namespace {

TEST(IntRangeCheck, LimitsAreInclusive) {
    const IntRangeCheck bias(-10, 100);
    EXPECT_TRUE(bias.isValid("-10"));
    EXPECT_TRUE(bias.isValid("100"));
    EXPECT_TRUE(bias.isValid("0"));
    EXPECT_FALSE(bias.isValid("-11"));
    EXPECT_FALSE(bias.isValid("101"));

    const IntRangeCheck engineering(-9999, 9999);
    EXPECT_TRUE(engineering.isValid("-9999"));
    EXPECT_TRUE(engineering.isValid("9999"));
    EXPECT_FALSE(engineering.isValid("-10000"));
    EXPECT_FALSE(engineering.isValid("10000"));
}

TEST(IntRangeCheck, TextForms) {
    const IntRangeCheck check(-100, 100);
    for (std::string_view good : {"5", "+5", "-5", "-0", "007", " 42", "42 ", "\t-3\t"}) {
        SCOPED_TRACE(std::string(good));
        EXPECT_TRUE(check.isValid(good));
    }
    for (std::string_view bad : {"", " ", "-", "+", "1 2", "12a", "a12", "0x10", "--1", "+-1", "1.5", "1e2", "- 1"}) {
        SCOPED_TRACE(std::string(bad));
        EXPECT_FALSE(check.isValid(bad));
    }
    EXPECT_EQ(IntRangeCheck::parse(" -17 "), -17);
    EXPECT_EQ(IntRangeCheck::parse("+08"), 8);
}

TEST(IntRangeCheck, ThirtyTwoBitEdges) {
    const IntRangeCheck all(INT32_MIN, INT32_MAX);
    EXPECT_TRUE(all.isValid("2147483647"));
    EXPECT_TRUE(all.isValid("-2147483648"));
    EXPECT_FALSE(all.isValid("2147483648"));
    EXPECT_FALSE(all.isValid("-2147483649"));
    EXPECT_FALSE(all.isValid("99999999999999999999999999999"));
    EXPECT_FALSE(all.isValid("-99999999999999999999999999999"));
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
