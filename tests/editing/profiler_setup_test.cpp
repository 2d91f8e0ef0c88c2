#include "editing/profiler_setup.h"

#include <gtest/gtest.h>
#include <optional>

namespace zat {
namespace {

using F = ProfilerField;

ProfilerPage goodPage() {
    ProfilerPage page{.enabled = true, .comment = "Ramp"};
    page.at(F::Output) = "B3";
    page.at(F::Start) = "C39";
    page.at(F::Run) = "D55";
    page.at(F::Profile) = "A0";
    return page;
}

TEST(ProfilerSetup, ParsesInOrderAndARefusalWritesNothing) {
    const struct {
        std::vector<std::pair<F, const char*>> typed;
        bool enabled;
        std::optional<F> refused;
        const char* text;
    } cases[] = {
        {{}, true, {}, ""},
        {{{F::Output, ""}}, false, {}, ""},
        {{{F::Output, ""}, {F::Start, "A1"}}, true, F::Output, "Must specify an output destination"},
        {{{F::Measured, "C1"}, {F::Output, "X"}}, true, F::Measured, "\nFirst character must be A or B"},
        {{{F::Start, "C40"}}, true, F::Start, "\nIllegal channel number"},
        {{{F::Start, "D56"}}, true, F::Start, "\nIllegal channel number"},
        {{{F::Start, "A1"}, {F::ReadySp, "C1"}}, true, F::Start, "\nFirst character must be C or D"},
        {{{F::Stop, "D"}, {F::Hold, "B1"}}, true, F::Stop, "\n\nNon numeric digit found"},
        {{{F::Hold, "B1"}, {F::ReadySp, "C1"}}, true, F::Hold, "\nFirst character must be C or D"},
        {{{F::ReadySp, "D1"}, {F::Run, "A1"}}, true, F::ReadySp, "\nFirst character must be A or B"},
        {{{F::Run, "A1"}, {F::UpRamp, "A1"}}, true, F::Run, "\nFirst character must be C or D"},
        {{{F::UpRamp, "E1"}, {F::DownRamp, "A1"}}, true, F::UpRamp, "\nFirst character must be C or D"},
        {{{F::DownRamp, "C4X"}, {F::Dwell, "A1"}}, true, F::DownRamp, "\n\nNon numeric digit found"},
        {{{F::Dwell, "D60"}, {F::Profile, "C1"}}, true, F::Dwell, "\nIllegal channel number"},
        {{{F::Profile, "C1"}}, true, F::Profile, "\nFirst character must be A or B"},
    };
    const TProfiler old{Comment("old"), 0x0081, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ProfilerPage page = goodPage();
        page.enabled = c.enabled;
        for (const auto& [field, text] : c.typed) page.at(field) = text;
        ConfigDatabase db;
        db.profilers[5] = old;
        const StoreResult<ProfilerField> stored = storeProfiler(db, 5, page);
        ASSERT_EQ(stored.ok(), !c.refused);
        EXPECT_EQ(db.modified, !c.refused);
        if (stored) {
            EXPECT_EQ(loadProfiler(db, 5), page);
            continue;
        }
        EXPECT_EQ(db.profilers[5], old);
        EXPECT_EQ(stored.refusal().field, *c.refused);
        EXPECT_EQ(stored.refusal().message.text, c.text);
        EXPECT_EQ(stored.refusal().message.caption,
                  std::string(c.refused == F::Output ? "Error" : "I/O Reference Error"));
    }
}

TEST(ProfilerSetup, StoresCodesAndOnlyTheEnabledFlag) {
    ConfigDatabase db;
    db.profilers[0].flags = 0xFFFF;
    ProfilerPage page = goodPage();
    page.at(F::Dwell) = "C0";
    ASSERT_TRUE(storeProfiler(db, 0, page).ok());
    const TProfiler& p = db.profilers[0];
    EXPECT_EQ(p.flags, 0x80);
    EXPECT_EQ(
        (std::array<uint16_t, 5>{p.opRegister, p.startRegister, p.runRegister, p.profileRegister, p.dwellRegister}),
        (std::array<uint16_t, 5>{0x44, 0xA8, 0xF8, 0x01, 0x81}));
    page.enabled = false;
    ASSERT_TRUE(storeProfiler(db, 0, page).ok());
    EXPECT_EQ(db.profilers[0].flags, 0);
}

}  // namespace
}  // namespace zat
