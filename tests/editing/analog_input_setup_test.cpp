#include "editing/analog_input_setup.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

using Rows = std::array<AnalogInputRow, kAnalogInputRowCount>;

AnalogInputChannel channel(uint16_t type, int16_t hi = 1000, int16_t lo = 0) {
    return AnalogInputChannel{Comment(), type, hi, lo};
}

TEST(AnalogInputSetup, TypeWordOfTheRowsChoices) {
    const struct {
        uint16_t loaded;
        int type;
        uint16_t ticked;  // the boxes as their bits; 0x0400 for Scan cleared
        uint16_t stored;
    } cases[] = {
        {0x0000, 2, 0x05E0, 0x05E2},   // TC J, every box, Scan cleared
        {0x0000, 11, 0x0440, 0x064B},  // Linear 10V in tenths, Scan cleared
        {0x0000, 6, 0x01E0, 0x0126},   // TC B keeps °F and TCBO only
        {0x01A3, 9, 0x01A0, 0x0209},   // K's CJ, °F and TCBO go with Linear 100mV
        {0x008C, 12, 0x0080, 0x000C},  // Pt100 as loaded: CJ is not Pt100's
        {0xF802, 2, 0x0000, 0x0002},   // stray high bits go
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        AnalogInputRow row = loadAnalogInputRow(channel(c.loaded), 0);
        EXPECT_EQ(row.coldJunction, (c.loaded & 0x80) != 0);  // shown even where disabled
        row.typeIndex = c.type;
        row.scan = (c.ticked & 0x400) == 0;
        row.coldJunction = (c.ticked & 0x80) != 0;
        row.tenths = (c.ticked & 0x40) != 0;
        row.fahrenheit = (c.ticked & 0x20) != 0;
        row.tcbo = (c.ticked & 0x100) != 0;
        EXPECT_EQ(composeTypeWord(row), c.stored);
    }
    EXPECT_EQ(analogInputControls(12), (AnalogInputControls{true, false, true, true, false, false}));
    EXPECT_EQ(analogInputControls(14), (AnalogInputControls{true, false, true, false, false, true}));
}

TEST(AnalogInputSetup, ScalarChecksInOrder) {
    const struct {
        const char* hi;
        const char* lo;
        std::optional<AnalogInputField> refused;
        const char* message;
    } cases[] = {
        {"-9999", "-9999", {}, ""},
        {"", "-", {}, ""},  // no number reads 0
        {"10000", "99999", AnalogInputField::HiScalar, "Hi Scalar -9999 to +9999"},
        {"99999999999999", "0", AnalogInputField::HiScalar, "Hi Scalar -9999 to +9999"},
        {"5", "-10000", AnalogInputField::LoScalar, "Lo Scalar -9999 to +9999"},
        {"5", "6", AnalogInputField::LoScalar, "Lo Scalar > Hi Scalar"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.hi) + " " + c.lo);
        const auto settings = analogInputSettings({.typeIndex = 13, .hiScalar = c.hi, .loScalar = c.lo}, 6);
        ASSERT_EQ(settings.ok(), !c.refused);
        if (settings) continue;
        EXPECT_EQ(settings.refusal().row, 6);
        EXPECT_EQ(settings.refusal().field, *c.refused);
        EXPECT_EQ(settings.refusal().message.text, c.message);
        EXPECT_EQ(settings.refusal().message.caption, "Value out of range");
    }
    // A loaded value is shown whole and refused, not cut to "-3276".
    const AnalogInputRow loaded = loadAnalogInputRow(channel(0x020A, -32768, -5), 0);
    EXPECT_EQ(loaded.hiScalar, "-32768");
    EXPECT_FALSE(analogInputSettings(loaded, 0).ok());
    // Types without scaling keep 0 and 0 whatever the edits say.
    const auto tc = analogInputSettings({.typeIndex = 3, .hiScalar = "77777"}, 0);
    EXPECT_EQ(*tc.value(), (AnalogInputSettings{0x0003, 0, 0}));
}

TEST(AnalogInputSetup, FirstBadRowStopsTheStoreAfterItsComment) {
    ConfigDatabase db;
    Rows rows = loadAnalogInputPage(db, 1);
    for (AnalogInputRow& row : rows) row.comment = "new";
    rows[0].typeIndex = 11;
    rows[0].hiScalar = "500";
    rows[3].typeIndex = 9;
    rows[3].loScalar = "2000";  // above Hi, whose empty edit reads 0
    rows[5].typeIndex = 4;

    const StoreResult<AnalogInputField> stored = storeAnalogInputPage(db, 1, rows);
    ASSERT_FALSE(stored.ok());
    EXPECT_EQ(stored.refusal().row, 3);
    EXPECT_EQ(stored.refusal().field, AnalogInputField::LoScalar);
    EXPECT_EQ(db.analogInputs[8], (AnalogInputChannel{Comment("new"), 0x020B, 500, 0}));
    EXPECT_EQ(db.analogInputs[11], (AnalogInputChannel{Comment("new"), 0x0000, 1000, 0}));
    EXPECT_EQ(db.analogInputs[12], AnalogInputChannel{});
}

TEST(AnalogInputSetup, TypeBeyondTheTableIsKeptBitForBit) {
    ConfigDatabase db;
    db.analogInputs[2] = {Comment("old"), 0xFFF3, 20000, -20000};
    Rows rows = loadAnalogInputPage(db, 0);
    EXPECT_FALSE(rows[2].typeIndex);
    EXPECT_EQ(analogInputControls(rows[2].typeIndex), AnalogInputControls{});
    EXPECT_EQ(rows[2].hiScalar, "");
    rows[2].comment = "typed";
    ASSERT_TRUE(storeAnalogInputPage(db, 0, rows).ok());
    EXPECT_EQ(db.analogInputs[2], (AnalogInputChannel{Comment("typed"), 0xFFF3, 20000, -20000}));
}

TEST(AnalogInputSetup, AllSameCopiesRowZerosSettingsButNoComment) {
    ConfigDatabase db;
    db.analogInputs[17].comment.assign("stored");
    Rows rows = loadAnalogInputPage(db, 2);
    rows[0] = {.comment = "row 0", .typeIndex = 10, .tenths = true, .hiScalar = "300", .loScalar = "-3"};
    rows[1].comment = "typed";

    const auto same = applyAnalogInputAllSame(db, 2, rows);
    ASSERT_TRUE(same.ok());
    EXPECT_EQ(db.analogInputs[16], (AnalogInputChannel{Comment(), 0x024A, 300, -3}));
    EXPECT_EQ(db.analogInputs[23], (AnalogInputChannel{Comment(), 0x024A, 300, -3}));
    EXPECT_EQ(db.analogInputs[17].comment.view(), "stored");
    EXPECT_EQ(same.value()[1].comment, "typed");
    EXPECT_EQ(same.value()[7].hiScalar, "300");

    const ConfigDatabase before = db;
    rows[0].loScalar = "301";
    EXPECT_FALSE(applyAnalogInputAllSame(db, 2, rows).ok());
    rows[0].typeIndex.reset();
    EXPECT_TRUE(applyAnalogInputAllSame(db, 2, rows).ok());
    EXPECT_EQ(db.analogInputs, before.analogInputs);
}

}  // namespace
}  // namespace zat
