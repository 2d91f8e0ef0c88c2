#include <gtest/gtest.h>

#include "editing/analog_input_setup.h"

namespace zat {
namespace {

using Rows = std::array<AnalogInputRow, kAnalogInputRowCount>;

AnalogInputChannel channel(uint16_t type, int16_t hi = 1000, int16_t lo = 0) {
    return AnalogInputChannel{Comment(), type, hi, lo};
}

struct WordCase {
    uint16_t loaded;  // the row is loaded from this word, then changed
    int type;
    bool allBoxes;    // every box ticked
    bool scan;
    uint16_t stored;
};

TEST(AnalogInputSetup, TypeWordOfTheRowsChoices) {
    const WordCase cases[] = {
        {0x0000, 2, true, false, 0x05E2},   // TC J: all options, not scanned
        {0x0000, 11, false, false, 0x064B}, // Linear 10V; tenths ticked below
        {0x0000, 6, true, true, 0x0126},    // TC B: °F and TCBO only
        {0x01A3, 9, false, true, 0x0209},   // K with CJ, °F, TCBO to Linear 100mV: all dropped
        {0x008C, 12, false, true, 0x000C},  // Pt100 as loaded: the CJ bit is not Pt100's
        {0xF802, 2, false, true, 0x0002},   // stray high bits go
    };
    for (const WordCase& c : cases) {
        SCOPED_TRACE(c.stored);
        AnalogInputRow row = loadAnalogInputRow(channel(c.loaded), 0);
        row.typeIndex = c.type;
        row.scan = c.scan;
        if (c.allBoxes) row.coldJunction = row.tenths = row.fahrenheit = row.tcbo = true;
        if (c.type == 11) row.tenths = true;
        EXPECT_EQ(composeTypeWord(row), c.stored);
    }
}

TEST(AnalogInputSetup, RowShowsTheWordAndEnablesWhatTheTypePermits) {
    const AnalogInputRow pt100 = loadAnalogInputRow(channel(0x048C), 13);
    EXPECT_EQ(pt100.label, "A13");
    EXPECT_EQ(pt100.typeIndex, 12);
    EXPECT_FALSE(pt100.scan);
    EXPECT_TRUE(pt100.coldJunction);  // shown, though disabled
    EXPECT_EQ(pt100.hiScalar, "");
    EXPECT_EQ(analogInputControls(12), (AnalogInputControls{true, false, true, true, false, false}));
    EXPECT_EQ(analogInputControls(14), (AnalogInputControls{true, false, true, false, false, true}));

    const AnalogInputRow linear =
        loadAnalogInputRow(channel(0x020A, -32768, -5), 0);
    EXPECT_EQ(linear.hiScalar, "-32768");  // whole, though longer than the edit
    EXPECT_EQ(linear.loScalar, "-5");
}

struct ScalarCase {
    const char* hi;
    const char* lo;
    std::optional<AnalogInputField> refused;
    const char* message;
};

TEST(AnalogInputSetup, ScalarChecksInOrder) {
    const ScalarCase cases[] = {
        {"-9999", "-9999", {}, ""},
        {"", "-", {}, ""},  // no number reads 0
        {"10000", "99999", AnalogInputField::HiScalar, "Hi Scalar -9999 to +9999"},
        {"-32768", "0", AnalogInputField::HiScalar, "Hi Scalar -9999 to +9999"},
        {"99999999999999", "0", AnalogInputField::HiScalar, "Hi Scalar -9999 to +9999"},
        {"5", "-10000", AnalogInputField::LoScalar, "Lo Scalar -9999 to +9999"},
        {"5", "6", AnalogInputField::LoScalar, "Lo Scalar > Hi Scalar"},
    };
    for (const ScalarCase& c : cases) {
        SCOPED_TRACE(std::string(c.hi) + " " + c.lo);
        AnalogInputRow row{.typeIndex = 13, .hiScalar = c.hi, .loScalar = c.lo};
        const auto settings = analogInputSettings(row, 6);
        ASSERT_EQ(settings.ok(), !c.refused);
        if (settings) continue;
        EXPECT_EQ(settings.refusal().row, 6);
        EXPECT_EQ(settings.refusal().field, *c.refused);
        EXPECT_EQ(settings.refusal().message.text, c.message);
        EXPECT_EQ(settings.refusal().message.caption, "Value out of range");
    }
    // Types without scaling keep 0 and 0 whatever the edits say.
    const auto tc = analogInputSettings(AnalogInputRow{.typeIndex = 3, .hiScalar = "77777"}, 0);
    ASSERT_TRUE(tc.ok());
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
    EXPECT_EQ(db.analogInputs[8].type, 0x020B);
    EXPECT_EQ(db.analogInputs[8].hiScalar, 500);
    EXPECT_EQ(db.analogInputs[11].comment.str(), "new");
    EXPECT_EQ(db.analogInputs[11].type, 0);
    EXPECT_EQ(db.analogInputs[12], AnalogInputChannel{});
    EXPECT_EQ(db.analogInputs[13].type, 0);
}

TEST(AnalogInputSetup, TypeBeyondTheTableIsKeptBitForBit) {
    ConfigDatabase db;
    db.analogInputs[2] = {Comment("old"), 0xFFF3, 20000, -20000};
    const Rows rows = loadAnalogInputPage(db, 0);
    EXPECT_FALSE(rows[2].typeIndex);
    EXPECT_EQ(analogInputControls(rows[2].typeIndex), AnalogInputControls{});
    EXPECT_EQ(rows[2].hiScalar, "");

    Rows edited = rows;
    edited[2].comment = "typed";
    ASSERT_TRUE(storeAnalogInputPage(db, 0, edited).ok());
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
    for (int c = 16; c < 24; ++c) {
        EXPECT_EQ(db.analogInputs[c].type, 0x024A);
        EXPECT_EQ(db.analogInputs[c].hiScalar, 300);
        EXPECT_EQ(db.analogInputs[c].loScalar, -3);
    }
    EXPECT_TRUE(db.analogInputs[16].comment.empty());
    EXPECT_EQ(db.analogInputs[17].comment.str(), "stored");
    EXPECT_EQ(same.value()[1].comment, "typed");
    EXPECT_EQ(same.value()[7].hiScalar, "300");

    rows[0].loScalar = "301";
    const ConfigDatabase before = db;
    ASSERT_FALSE(applyAnalogInputAllSame(db, 2, rows).ok());
    rows[0].typeIndex.reset();
    ASSERT_TRUE(applyAnalogInputAllSame(db, 2, rows).ok());
    EXPECT_EQ(db.analogInputs, before.analogInputs);
}

}  // namespace
}  // namespace zat
