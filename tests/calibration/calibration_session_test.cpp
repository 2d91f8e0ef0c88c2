#include "calibration/calibration_session.h"
#include "calibration_rig.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

using namespace test;

constexpr int kInputSlot2 = 1;   // stillUnit's card codes 3, 1, 4, 6, 7: input tabs Slot 1, Slot 2
constexpr int kOutputSlot3 = 0;  // the only output tab: B08..B11

TEST(CalibrationSession, ALinear20mAInputIsCalibratedOnThe1VRange) {
    CalibrationRig rig;
    rig.setItem('a', 9, 13);  // Linear 20mA
    CalibrationSession session(kInputCalibration);
    ASSERT_EQ(session.open(rig.protocol), Outcome::Ok);
    EXPECT_EQ(session.view().tabs, (std::vector<std::string>{"Slot 1", "Slot 2"}));
    (void)rig.requests();
    session.selectChannel(rig.protocol, kInputSlot2, 2);
    EXPECT_EQ(rig.requests(), (Requests{"W01]0000", "R01a09", "R01x01", "R01y01"}));
    EXPECT_EQ(session.view().channelName, "A09");
    EXPECT_EQ(session.view().rangeText, "1V Range");
}

TEST(CalibrationSession, StepsAndTrackBarsStopAtTheBounds) {
    enum class Control { ZeroStep, SpanStep, ZeroTrack, SpanTrack };
    const struct {
        const CalibrationDialogConfig& config;
        Control control;
        std::uint16_t start;
        int move;  // direction or track position
        const char* frame;
    } cases[] = {
        {kInputCalibration, Control::ZeroStep, 0x2000, +1, "W01x021FFF"},
        {kInputCalibration, Control::ZeroStep, 0x3000, -1, "W01x023000"},
        {kInputCalibration, Control::ZeroStep, 0x1000, +1, "W01x021000"},
        {kInputCalibration, Control::SpanStep, 0x9000, +1, "W01y029000"},
        {kInputCalibration, Control::SpanStep, 0x7000, -1, "W01y027000"},
        {kInputCalibration, Control::ZeroTrack, 0x2000, 0, "W01x023000"},
        {kInputCalibration, Control::SpanTrack, 0x8000, 0x2000, "W01y029000"},
        {kOutputCalibration, Control::ZeroStep, 0x0000, +1, "W01z080000"},  // stays at the bound
        {kOutputCalibration, Control::ZeroStep, 0x0000, -1, "W01z080001"},
        {kOutputCalibration, Control::SpanStep, 0x7F00, -1, "W01{087F00"},
        {kOutputCalibration, Control::ZeroTrack, 0x1800, 0x3000, "W01z080000"},
    };
    for (const auto& c : cases) {
        CalibrationRig rig;
        const bool zero = c.control == Control::ZeroStep || c.control == Control::ZeroTrack;
        const char letter = zero ? c.config.zero.letter : c.config.span.letter;
        const int index = c.config.outputs ? 8 : 2;  // A00 is a thermocouple: the 100mV range
        rig.setItem(letter, index, c.start);
        CalibrationSession session(c.config);
        ASSERT_EQ(session.open(rig.protocol), Outcome::Ok);
        (void)rig.requests();
        switch (c.control) {
            case Control::ZeroStep:
                session.stepZero(rig.protocol, c.move);
                break;
            case Control::SpanStep:
                session.stepSpan(rig.protocol, c.move);
                break;
            case Control::ZeroTrack:
                session.moveZeroTrack(rig.protocol, c.move);
                break;
            case Control::SpanTrack:
                session.moveSpanTrack(rig.protocol, c.move);
                break;
        }
        EXPECT_EQ(rig.requests(), (Requests{"W01]0000", c.frame})) << c.frame;
        EXPECT_EQ(hexFrameValue(c.frame), rig.item(letter, index)) << c.frame;
    }
}

TEST(CalibrationSession, AConstantNotReadOnThisChannelCannotBeAdjusted) {
    const struct {
        std::uint16_t typeWord;
        sim::Fault onZeroRead;
        bool zeroKnown;
        bool spanKnown;
    } cases[] = {
        {0x001F, sim::Fault::None, false, false},   // no such type: no range
        {0x0003, sim::Fault::Refuse, false, true},  // the zero's read refused
    };
    for (const auto& c : cases) {
        // The probe, page 0, five card codes, page 0, then A00's type and zero.
        CalibrationRig rig(faultAt(10, c.onZeroRead));
        rig.setItem('a', 0, c.typeWord);
        CalibrationSession session(kInputCalibration);
        ASSERT_EQ(session.open(rig.protocol), Outcome::Ok);
        EXPECT_EQ(session.view().zero.has_value(), c.zeroKnown);
        EXPECT_EQ(session.view().span.has_value(), c.spanKnown);
        (void)rig.requests();
        session.stepZero(rig.protocol, +1);
        session.moveZeroTrack(rig.protocol, 5);
        EXPECT_TRUE(rig.requests().empty());
    }
}

}  // namespace
}  // namespace zat

namespace zat {
namespace {

using namespace test;

Requests releaseFrames(const std::vector<std::pair<int, const char*>>& writes) {
    Requests out;
    for (int n = 0; n < 20; ++n) {
        char read[16];
        std::snprintf(read, sizeof read, "R01E%02d", n);
        out.emplace_back(read);
        for (const auto& [output, write] : writes)
            if (output == n) out.emplace_back(write);
    }
    return out;
}

TEST(CalibrationSession, ForcedOutputsReadBackAtZeroOrSpanAndAreReleasedOnClosing) {
    CalibrationRig rig;
    CalibrationSession session(kOutputCalibration);
    ASSERT_EQ(session.open(rig.protocol), Outcome::Ok);
    session.forceZero(rig.protocol);
    session.forceSpan(rig.protocol);  // Force Zero then Force Span leaves only the span forced
    EXPECT_EQ(rig.value('E', 8), 0x01);
    EXPECT_TRUE(session.view().forceSpan);
    EXPECT_FALSE(session.view().forceZero);
    session.tick(rig.protocol);
    EXPECT_EQ(session.view().presentValue, "1000");  // B08's span, unscaled
    session.moveSpanTrack(rig.protocol, session.spanTrack().position(0x8780) + 347);
    session.tick(rig.protocol);
    EXPECT_EQ(session.view().presentValue, "1010");  // a span 1% higher

    session.selectChannel(rig.protocol, kOutputSlot3, 2);
    session.forceZero(rig.protocol);
    session.forceZero(rig.protocol);  // twice clears it again
    session.forceZero(rig.protocol);
    EXPECT_EQ(rig.value('E', 9), 0x02);
    session.selectChannel(rig.protocol, kOutputSlot3, 1);
    EXPECT_TRUE(session.view().forceSpan);  // B08 is still forced: the box says so

    (void)rig.requests();
    EXPECT_EQ(session.releaseForcedOutputs(rig.protocol), Outcome::Ok);
    EXPECT_EQ(rig.requests(), releaseFrames({{8, "W01E080000"}, {9, "W01E090000"}}));
    EXPECT_EQ(rig.value('E', 8), 0);
    EXPECT_EQ(rig.value('E', 9), 0);
    EXPECT_TRUE(rig.user.prompts.shown.empty());
}

TEST(CalibrationSession, ForceZeroSelectsPageZeroBeforeItReadsTheStatus) {
    CalibrationRig rig;
    CalibrationSession session(kOutputCalibration);
    ASSERT_EQ(session.open(rig.protocol), Outcome::Ok);
    (void)rig.requests();
    session.forceZero(rig.protocol);
    EXPECT_EQ(rig.requests(), (Requests{"W01]0000", "R01E08", "W01E080002"}));
}

TEST(CalibrationSession, AFailedReleaseNamesTheForcedOutputsAndRetries) {
    CalibrationRig rig;
    CalibrationSession session(kOutputCalibration);
    ASSERT_EQ(session.open(rig.protocol), Outcome::Ok);
    session.forceZero(rig.protocol);
    session.selectChannel(rig.protocol, kOutputSlot3, 4);
    session.forceSpan(rig.protocol);
    setSilent(rig.unit, true);
    rig.user.prompts.script = {Answer::Retry, Answer::Cancel};
    EXPECT_EQ(session.releaseForcedOutputs(rig.protocol), Outcome::Failed);
    ASSERT_EQ(rig.user.prompts.shown.size(), 2u);
    EXPECT_EQ(rig.user.prompts.shown[0].text,
              "Unable to release the forced outputs B08, B11.\nThey may still be forced.");
    EXPECT_EQ(rig.user.prompts.shown[0].buttons, MessageButtons::RetryCancel);

    setSilent(rig.unit, false);
    rig.user.prompts.script = {};
    EXPECT_EQ(session.releaseForcedOutputs(rig.protocol), Outcome::Ok);
    EXPECT_EQ(rig.value('E', 8), 0);
    EXPECT_EQ(rig.value('E', 11), 0);
}

TEST(CalibrationSession, RevertWritesBackWhatWasReadOnOpeningAndTheReadingFollows) {
    CalibrationRig rig;
    rig.setItem('a', 10, 11);  // Linear 10V, 0..1000
    rig.setItem('~', 10, 1000);
    CalibrationSession session(kInputCalibration);
    ASSERT_EQ(session.open(rig.protocol), Outcome::Ok);
    session.selectChannel(rig.protocol, kInputSlot2, 3);
    const std::int16_t before = rig.value('A', 10);
    session.stepZero(rig.protocol, +1);
    EXPECT_EQ(rig.value('A', 10), before + 1);  // "+" of the zero raises the reading
    session.moveZeroTrack(rig.protocol, session.zeroTrack().position(0x2000) + 100);
    EXPECT_EQ(rig.value('A', 10), before + 100);
    session.stepSpan(rig.protocol, +1);
    EXPECT_TRUE(session.view().revertEnabled);

    (void)rig.requests();
    EXPECT_EQ(session.revert(rig.protocol), Outcome::Ok);
    EXPECT_EQ(rig.requests(), (Requests{"W01]0000", "W01x002000", "W01y008000"}));
    EXPECT_EQ(session.view().zero, 0x2000);
    EXPECT_FALSE(session.view().revertEnabled);
    EXPECT_EQ(rig.value('A', 10), before);
}

// A step whose write fails: the constant shows what the unit holds (read
// back: the reply may be what was lost), and a step it never got is told.
TEST(CalibrationSession, AStepTheUnitDoesNotTakeShowsWhatItHoldsAndSaysSo) {
    const struct {
        bool silent;  // else only the write's reply is lost
        std::uint16_t shown;
        const char* problem;
        bool revert;
    } cases[] = {{true, 0x2000, "Unable to set zero", false}, {false, 0x1FFF, "", true}};
    for (const auto& c : cases) {
        sim::FaultPlan faults;
        if (!c.silent) faults.failRequests({"W01x02", sim::Fault::Drop});
        CalibrationRig rig(std::move(faults));
        rig.setItem('x', 2, 0x2000);
        CalibrationSession session(kInputCalibration);
        ASSERT_EQ(session.open(rig.protocol), Outcome::Ok);
        setSilent(rig.unit, c.silent);
        session.stepZero(rig.protocol, +1);
        EXPECT_EQ(rig.item('x', 2), c.shown);
        EXPECT_EQ(session.view().zero, c.shown) << c.silent;
        EXPECT_EQ(session.view().problem, c.problem);
        EXPECT_EQ(session.view().revertEnabled, c.revert);
        EXPECT_EQ(rig.user.beep.beeps.front(), "simple");  // the failed write's
    }
}

TEST(CalibrationSession, ACardCodeNotReadIsToldAsNoAnswerNotAsNoSlots) {
    const struct {
        const char* rule;
        std::vector<std::string> tabs;  // stillUnit's input cards are in slots 1 and 2
    } cases[] = {{"R01b", {}}, {"R01b01", {"Slot 1"}}};
    for (const auto& c : cases) {
        sim::FaultPlan faults;
        faults.failRequests({c.rule, sim::Fault::Garble});
        CalibrationRig rig(std::move(faults));
        CalibrationSession session(kInputCalibration);
        EXPECT_EQ(session.open(rig.protocol), c.tabs.empty() ? Outcome::Failed : Outcome::Ok) << c.rule;
        EXPECT_EQ(session.view().tabs, c.tabs) << c.rule;
        ASSERT_EQ(rig.user.prompts.shown.size(), 1u) << c.rule;
        EXPECT_EQ(rig.user.prompts.shown[0].text,
                  "Unable to communicate with ZAT\nCheck baud rate and address and try again");
    }
}

}  // namespace
}  // namespace zat
