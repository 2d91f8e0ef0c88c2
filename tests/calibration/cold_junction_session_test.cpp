#include "calibration/cold_junction_session.h"
#include "calibration_rig.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

using namespace test;

TEST(ColdJunctionSession, AFailedOpeningReadShowsNothingAndWritesNothing) {
    // The probe, page 0 and five card codes, then "|".
    CalibrationRig rig(faultAt(8, sim::Fault::Refuse));
    ColdJunctionSession session;
    ASSERT_EQ(session.open(rig.protocol), Outcome::Ok);
    EXPECT_FALSE(session.view().zero);
    EXPECT_EQ(rig.requests().back(), "R01|");
    session.step(rig.protocol, +1);
    session.moveTrack(rig.protocol, 10);
    EXPECT_EQ(session.revert(rig.protocol), Outcome::Ok);
    EXPECT_TRUE(rig.requests().empty());
}

// The write-back at opening selects page 0 before it, as every write of the zero does.
TEST(ColdJunctionSession, OpeningWritesBackWithinBoundsAndTicksReadOnlyAThermocoupleCardsTemperature) {
    CalibrationRig rig;  // card codes 3, 1, 4, 6, 7
    rig.setItem('|', 0, 0x02FF);
    ColdJunctionSession session;
    ASSERT_EQ(session.open(rig.protocol), Outcome::Ok);
    EXPECT_EQ(rig.requests(), (Requests{"W01?0042", "W01]0000", "R01b00", "R01b01", "R01b02", "R01b03", "R01b04",
                                        "R01|", "W01]0000", "W01|0320"}));
    for (int tick = 0; tick < 5; ++tick) session.tick(rig.protocol);
    EXPECT_EQ(rig.requests(), (Requests{"W01]0000", "R01b01", "W01]0000", "R01b02", "W01]0000", "R01b03", "W01]0000",
                                        "R01b04", "W01]0000", "R01b00", "R01c00"}));
    const std::string first = session.view().temperatures[0];
    EXPECT_TRUE(session.view().temperatures[1].empty());
    EXPECT_EQ(session.tickInterval(), ColdJunctionSession::kTemperatureInterval);

    session.moveTrack(rig.protocol, ColdJunctionSession::trackPosition(0x0320) + 10);  // a tenth of a degree a unit
    for (int tick = 0; tick < 5; ++tick) session.tick(rig.protocol);
    EXPECT_NEAR(std::stod(session.view().temperatures[0]), std::stod(first) + 1.0, 1e-9);
    EXPECT_TRUE(session.view().revertEnabled);
    EXPECT_EQ(session.revert(rig.protocol), Outcome::Ok);
    EXPECT_EQ(rig.item('|', 0), 0x0320);
}

TEST(ColdJunctionSession, AStepTheUnitDoesNotTakeShowsWhatItHoldsAndSaysSo) {
    CalibrationRig rig;
    rig.setItem('|', 0, 0x0400);
    ColdJunctionSession session;
    ASSERT_EQ(session.open(rig.protocol), Outcome::Ok);
    setSilent(rig.unit, true);
    session.step(rig.protocol, +1);
    EXPECT_EQ(session.view().zero, 0x0400);
    EXPECT_EQ(session.view().problem, "Unable to set cold junction zero");
    EXPECT_FALSE(session.view().revertEnabled);
}

TEST(ColdJunctionSession, CardCodesNotReadAreToldAsNoAnswerNotAsNoCards) {
    sim::FaultPlan faults;
    faults.failRequests({"R01b00", sim::Fault::Garble});  // the thermocouple card's slot
    CalibrationRig rig(std::move(faults));
    ColdJunctionSession session;
    EXPECT_EQ(session.open(rig.protocol), Outcome::Failed);
    ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.user.prompts.shown[0].text,
              "Unable to communicate with ZAT\nCheck baud rate and address and try again");
}

}  // namespace
}  // namespace zat
