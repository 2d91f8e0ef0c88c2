#include "editing/entry_text.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

TEST(EntryText, TypedCommentsBecomeWindows1252) {
    const struct {
        const char* typed;
        std::string stored;
    } cases[] = {
        {"Ofen über 1200°C",
         "Ofen \xFC"
         "ber 1200\xB0"
         "C"},
        {"€ 5 – Ž", "\x80 5 \x96 \x8E"},
        {"Kessel 日本 ✓", "Kessel ?? ?"},
        {"éééééééééééééééééééééééééééééééé", std::string(29, '\xE9')},  // 32 typed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const Comment comment = commentFromText(c.typed);
        EXPECT_EQ(comment.view(), c.stored);
        EXPECT_EQ(commentFromText(commentText(comment)), comment);
    }
    EXPECT_EQ(commentText(Comment("\xB0"
                                  "F")),
              "°F");
}

TEST(EntryText, NumbersInEdits) {
    for (const char* typing : {"", "-", "+", "12", "-0042", "+9"}) EXPECT_TRUE(isSignedDigits(typing)) << typing;
    for (const char* typing : {" 1", "1-", "--1", "1.5", "a", "1e3"}) EXPECT_FALSE(isSignedDigits(typing)) << typing;

    const struct {
        const char* text;
        int32_t value;
    } reads[] = {
        {"", 0},
        {"-", 0},
        {"x", 0},
        {" -17", -17},
        {"+08", 8},
        {"12ab", 12},
        {"-32768", -32768},
        {"99999999999999999999", INT32_MAX},
        {"-99999999999999999999", INT32_MIN},
    };
    for (const auto& r : reads) EXPECT_EQ(readLeadingInteger(r.text), r.value) << r.text;

    EXPECT_EQ(editLength("-32768", 5), 6u);
}

}  // namespace
}  // namespace zat
