#include "editing/controller_setup.h"

#include <gtest/gtest.h>
#include <optional>

namespace zat {
namespace {

// An enabled TP page that stores as it is.
ControllerPage goodPage() {
    return ControllerPage{.enabled = true,
                          .timeProportioned = true,
                          .comment = "Kiln zone 1",
                          .measured = "A5",
                          .setpoint = "B12",
                          .output = "B0",
                          .propBand = "100",
                          .intTime = "0",
                          .derTime = "0",
                          .digital = "D55",
                          .cycle = "20"};
}

TEST(ControllerSetup, ChecksFieldsInOrderAndARefusalWritesNothing) {
    using F = ControllerField;
    const char* const kRange = "Value out of range";
    const char* const kReference = "I/O Reference Error";
    const struct {
        void (*edit)(ControllerPage&);
        std::optional<F> refused;
        const char* text;
        const char* caption;
    } cases[] = {
        {[](ControllerPage&) {}, {}, "", ""},
        {[](ControllerPage& p) {
             p.setpoint = "";
             p.measured = "C1";
         },
         F::Setpoint, "Must specify a setpoint source", "Error"},
        {[](ControllerPage& p) { p.setpoint = "A4X"; }, F::Setpoint, "\n\nNon numeric digit found", kReference},
        {[](ControllerPage& p) {
             p.measured = "C1";
             p.output = "X";
         },
         F::Measured, "\nFirst character must be A or B", kReference},
        {[](ControllerPage& p) { p.measured = ""; }, F::Measured, "Must specify a measured value source", "Error"},
        {[](ControllerPage& p) {
             p.output = "";
             p.propBand = "0";
         },
         F::Output, "Must specify an output destination", "Error"},
        {[](ControllerPage& p) {
             p.propBand = "0";
             p.intTime = "9000";
         },
         F::PropBand, "Proportional band\nValid range 1 to 9999", kRange},
        {[](ControllerPage& p) {
             p.enabled = false;
             p.propBand = "";
         },
         F::PropBand, "Proportional band\nValid range 1 to 9999", kRange},
        {[](ControllerPage& p) { p.intTime = "2001"; }, F::IntTime, "Integral time\nValid range 0 to 2000 Sec", kRange},
        {[](ControllerPage& p) {
             p.derTime = "1001";
             p.digital = "C3";
         },
         F::DerTime, "Derivative time\nValid range 0 to 1000 Sec", kRange},
        {[](ControllerPage& p) { p.digital = "D56"; }, F::Digital, "\nIllegal channel number", kReference},
        {[](ControllerPage& p) {
             p.digital = "C3";
             p.cycle = "9";
         },
         F::Digital, "\nFirst character must be D", kReference},
        {[](ControllerPage& p) { p.cycle = "251"; }, F::Cycle, "TP Cycle time\nValid range 10 to 250 Sec", kRange},
        // Bad TP-only fields count for nothing on an analog controller.
        {[](ControllerPage& p) {
             p.timeProportioned = false;
             p.digital = "C3";
             p.cycle = "";
         },
         {},
         "",
         ""},
    };
    const TController old{Comment("old"), 0x0003, 1, 2, 3, 50, 60, 70, 30};
    for (const auto& c : cases) {
        ControllerPage page = goodPage();
        c.edit(page);
        SCOPED_TRACE(c.text);
        ConfigDatabase db;
        db.controllers[4] = old;
        const StoreResult<ControllerField> stored = storeController(db, 4, page);
        ASSERT_EQ(stored.ok(), !c.refused);
        EXPECT_EQ(db.modified, !c.refused);
        if (stored) continue;
        EXPECT_EQ(db.controllers[4], old);  // not even the enabled bit
        EXPECT_EQ(stored.refusal().field, *c.refused);
        EXPECT_EQ(stored.refusal().message.text + "|" + stored.refusal().message.caption,
                  std::string(c.text) + "|" + c.caption);
    }
}

TEST(ControllerSetup, TpKeepsTheDigitalRegisterNumberPlusOneInTheFlags) {
    ConfigDatabase db;
    ASSERT_TRUE(storeController(db, 0, goodPage()).ok());
    const TController& c = db.controllers[0];
    EXPECT_EQ(c.flags, 0x80 | 0x40 | 56);  // D55 is code 56
    EXPECT_EQ((std::array<uint16_t, 4>{c.spRegister, c.mvRegister, c.opRegister, c.tpCycle}),
              (std::array<uint16_t, 4>{0x4D, 0x06, 0x41, 20}));
    EXPECT_EQ(loadController(db, 0), goodPage());

    ControllerPage page = goodPage();
    page.digital = "";
    page.enabled = false;
    ASSERT_TRUE(storeController(db, 0, page).ok());
    EXPECT_EQ(db.controllers[0].flags, 0x40);
    EXPECT_EQ(loadController(db, 0), page);
}

TEST(ControllerSetup, AnalogKeepsOnlyTheEnabledBitAndCycleTen) {
    ConfigDatabase db;
    db.controllers[7] = {Comment(), 0xFF7F, 0, 0, 0, 1, 0, 0, 99};
    ControllerPage page = loadController(db, 7);
    page.timeProportioned = false;
    page.enabled = true;
    page.setpoint = page.measured = page.output = "A0";
    page.comment = std::string(40, 'x');
    ASSERT_TRUE(storeController(db, 7, page).ok());
    EXPECT_EQ(db.controllers[7].flags, 0x80);
    EXPECT_EQ(db.controllers[7].tpCycle, 10);
    EXPECT_EQ(db.controllers[7].comment.view(), std::string(29, 'x'));
    EXPECT_EQ(loadController(db, 7).digital + loadController(db, 7).cycle, "");
}

TEST(ControllerSetup, TermsReadTheirLeadingNumber) {
    ConfigDatabase db;
    ASSERT_TRUE(storeController(db, 1, ControllerPage{.propBand = "12ab", .intTime = "", .derTime = "1000"}).ok());
    EXPECT_EQ(db.controllers[1], (TController{Comment(), 0, 0, 0, 0, 12, 0, 1000, 10}));
}

}  // namespace
}  // namespace zat
