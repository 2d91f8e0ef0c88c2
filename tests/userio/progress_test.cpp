#include "support/recording_user_io.h"
#include "userio/progress_meter.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace zat {
namespace {

TEST(ProgressMeter, PercentageIsTruncatedIntegerArithmetic) {
    ProgressMeter meter;
    meter.setRange(0, 290);
    meter.setPosition(145);
    meter.update();
    EXPECT_EQ(meter.percent(), 50);
    meter.setPosition(289);
    meter.update();
    EXPECT_EQ(meter.percent(), 99);
    meter.step();
    EXPECT_EQ(meter.position(), 290);
    EXPECT_EQ(meter.percent(), 100);
}

TEST(ProgressMeter, PositionOutsideTheRangeIsHeldAtTheEnds) {
    ProgressMeter meter;
    meter.setRange(10, 20);
    meter.setPosition(25);
    meter.update();
    EXPECT_EQ(meter.percent(), 100);
    meter.setPosition(3);
    meter.update();
    EXPECT_EQ(meter.percent(), 0);
}

TEST(ProgressMeter, EmptyOrInvertedRangeLeavesTheBarAsItWas) {
    ProgressMeter meter;
    meter.setRange(0, 4);
    meter.step();
    EXPECT_EQ(meter.percent(), 25);
    meter.setRange(5, 5);
    EXPECT_FALSE(meter.step());
    EXPECT_EQ(meter.percent(), 25);
    meter.setRange(9, 2);
    meter.step();
    EXPECT_EQ(meter.percent(), 25);
}

TEST(ProgressMeter, NoStepsMeansZeroPercent) {
    ProgressMeter meter;
    meter.setRange(0, 290);
    meter.update();
    EXPECT_EQ(meter.percent(), 0);
}

TEST(ProgressMeter, ExtremeRangesDoNotOverflow) {
    ProgressMeter meter;
    meter.setRange(INT32_MIN, INT32_MAX);
    meter.setPosition(INT32_MAX);
    meter.update();
    EXPECT_EQ(meter.percent(), 100);
    meter.setPosition(0);
    meter.update();
    EXPECT_EQ(meter.percent(), 50);
}

TEST(ProgressSession, KeepsTheCallingOrderAndClosesOnEveryExit) {
    test::RecordingProgress progress;
    try {
        ProgressSession session(progress, 290, "Writing ZAT data file");
        session.step();
        session.step();
        throw std::runtime_error("leave early");
    } catch (const std::runtime_error&) {}
    const std::vector<std::string> expected{"show", "range 0 290", "message Writing ZAT data file", "destroy"};
    EXPECT_EQ(progress.calls, expected);
    EXPECT_EQ(progress.steps, 2);
    EXPECT_FALSE(progress.visible);
}

TEST(ProgressSession, ClosingEarlyDestroysOnlyOnce) {
    test::RecordingProgress progress;
    {
        ProgressSession session(progress, 3, "x");
        session.close();
    }
    EXPECT_EQ(std::count(progress.calls.begin(), progress.calls.end(), "destroy"), 1);
}

TEST(StatusTextSession, ClearsTheTextAfterTheOperation) {
    test::RecordingStatus status;
    { StatusTextSession session(status, "Loading ZAT database file :/tmp/a.zat"); }
    const std::vector<std::string> expected{"Loading ZAT database file :/tmp/a.zat", ""};
    EXPECT_EQ(status.texts, expected);
}

}  // namespace
}  // namespace zat
