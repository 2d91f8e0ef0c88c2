#include "comms/reply_collector.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

std::string collect(std::initializer_list<std::string_view> pieces) {
    ReplyCollector collector;
    for (auto piece : pieces) collector.feed(piece);
    return collector.reply();
}

TEST(ReplyCollector, JoinsPiecesAndStopsAtTheCarriageReturn) {
    ReplyCollector collector;
    EXPECT_FALSE(collector.feed("*01a"));
    EXPECT_FALSE(collector.feed("0500"));
    EXPECT_TRUE(collector.feed("12\r"));
    EXPECT_EQ(collector.reply(), "*01a050012");
    EXPECT_TRUE(collector.feed("more"));
    EXPECT_EQ(collector.reply(), "*01a050012");
}

TEST(ReplyCollector, DropsWhatFollowsTheCarriageReturn) { EXPECT_EQ(collect({"*01a050012\rXYZ\r"}), "*01a050012"); }

TEST(ReplyCollector, KeepsAtMost39CharactersAndStillSeesTheEnd) {
    const std::string longReply(60, 'A');
    ReplyCollector collector;
    EXPECT_FALSE(collector.feed(longReply));
    EXPECT_EQ(collector.reply(), std::string(39, 'A'));
    EXPECT_TRUE(collector.feed("BBB\r"));
    EXPECT_EQ(collector.reply(), std::string(39, 'A'));
}

TEST(ReplyCollector, WithoutCarriageReturnTheReplyIsHandedOnAsItCame) {
    ReplyCollector collector;
    EXPECT_FALSE(collector.feed("*01a05"));
    EXPECT_FALSE(collector.complete());
    EXPECT_EQ(collector.reply(), "*01a05");
}

TEST(ReplyCollector, MarkedCharactersBecomeQuestionMarks) {
    using namespace std::string_literals;
    EXPECT_EQ(collect({"*01\xff\x00"s
                       "a05\r"}),
              "*01?05");
    // The mark may be split between reads.
    EXPECT_EQ(collect({"*01\xff", "\x00"s, "a05\r"}), "*01?05");
    // A marked carriage return is damaged, so it does not end the reply.
    EXPECT_EQ(collect({"*01\xff\x00\r"s
                       "05\r"}),
              "*01?05");
    // A doubled 0xFF is one real 0xFF.
    EXPECT_EQ(collect({"*\xff\xff"
                       "01\r"}),
              "*\xff"
              "01");
}

TEST(ReplyCollector, ResetStartsAFreshReply) {
    ReplyCollector collector;
    collector.feed("*01\xff");
    collector.reset();
    collector.feed("\x01?\r");
    EXPECT_EQ(collector.reply(), "\x01?");
}

}  // namespace
}  // namespace zat
