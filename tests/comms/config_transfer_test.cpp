#include "commands/transfer_commands.h"
#include "comms/config_transfer.h"
#include "support/unit_on_pty.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <random>

namespace zat {
namespace {

using sim::Fault;
using test::faultAt;
using test::UnitOnPty;
using Requests = std::vector<std::string>;

// A transfer is a thousand exchanges or more: the fastest rate the link
// drives keeps the tests short; the unit answers at once.
std::vector<std::string> messages(const test::RecordingProgress& progress) {
    std::vector<std::string> shown;
    for (const std::string& call : progress.calls)
        if (call.rfind("message ", 0) == 0) shown.push_back(call.substr(8));
    return shown;
}

// Sends frames straight to the unit's state, for set-up that needs a selection.
void tell(UnitOnPty& rig, const Requests& frames) {
    rig.unit.withState([&](sim::UnitState& s) {
        for (const std::string& frame : frames) ASSERT_TRUE(s.handle(frame).value_or("").starts_with("*")) << frame;
    });
}

TEST(Export, IfBlocksTravelInTheirOrderWithTheFlagBytesExchanged) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    ConfigDatabase db;
    db.clear();
    TIfconf& first = db.ifBlocks[0];
    first.flags = 0x0183;
    first.thenOperand3 = 0x0003;
    first.ifOperand1 = 0x0101;
    first.ifOperand2 = -2;
    first.thenOperand1 = 0x0201;
    first.thenOperand2 = 0x0022;
    first.elseOperand1 = 0x0301;
    first.elseOperand2 = 0x0044;
    first.elseOperand3 = 0x0055;
    db.ifBlocks[89].flags = 0x1234;

    EXPECT_EQ(exportConfiguration(db, kTransferIfBlocks, rig.protocol, rig.user.progress), Outcome::Ok);

    const Requests sent = rig.requests();
    ASSERT_EQ(sent.size(), 2u + 810u + 1u);
    EXPECT_EQ(Requests(sent.begin(), sent.begin() + 12),
              (Requests{"W01?0042", "W01]0000", "W01p008301", "W01o000003", "W01q000101", "W01r00FFFE", "W01s000201",
                        "W01t000022", "W01u000301", "W01v000044", "W01w000055", "W01p010000"}));
    EXPECT_EQ(sent[2 + 89 * 9], "W01p893412");
    EXPECT_EQ(sent.back(), "S01I");
    rig.unit.withState([](sim::UnitState& s) {
        EXPECT_EQ(s.item(0, 'p', 0), 0x8301);
        EXPECT_EQ(s.initialiseCount(), 1);
    });
    EXPECT_EQ(rig.user.progress.calls.front(), "show");
    EXPECT_EQ(rig.user.progress.calls[1], "range 0 810");
    EXPECT_EQ(messages(rig.user.progress), (std::vector<std::string>{"Exporting IF blocks"}));
    EXPECT_EQ(rig.user.progress.steps, 810);
    EXPECT_EQ(rig.user.progress.calls.back(), "destroy");
    EXPECT_TRUE(rig.user.beep.beeps.empty());
}

TEST(Export, OutputsBeyondTheTwentiethStillCarryBiasAndFlags) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    ConfigDatabase db;
    db.clear();
    db.analogOutputs[25] = {{}, -100, 200, 7, 0x0031, 0, 0};

    EXPECT_EQ(exportConfiguration(db, kTransferAnalogOutputs, rig.protocol, rig.user.progress), Outcome::Ok);

    const Requests sent = rig.requests();
    ASSERT_EQ(sent.size(), 2u + 160u + 1u);
    EXPECT_EQ(Requests(sent.begin() + 2 + 25 * 4, sent.begin() + 2 + 26 * 4),
              (Requests{"W01d25FF9C", "W01e2500C8", "W01f250007", "W01g250031"}));
    rig.unit.withState([](sim::UnitState& s) {
        EXPECT_EQ(s.item(0, 'f', 25), 7);
        EXPECT_EQ(s.item(0, 'g', 25), 0x0031);
    });
    EXPECT_EQ(rig.user.progress.steps, 160);
    EXPECT_EQ(messages(rig.user.progress), (std::vector<std::string>{"Exporting analog output setup"}));
}

TEST(Export, ProfilesAreSelectedThenSentWithTheirLink) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    ConfigDatabase db;
    db.clear();
    TProfile& second = db.profiles[1];
    second.segRate[0] = 25;
    second.segLevel[0] = -150;
    second.segDwell[0] = 30;
    second.segRate[7] = kSegmentRateEnd;
    second.link = 3;

    EXPECT_EQ(exportConfiguration(db, kTransferProfiles, rig.protocol, rig.user.progress), Outcome::Ok);

    const Requests sent = rig.requests();
    // probe, page 0, page 0 again for the profiles, 6 x (N + 24 + U), I
    ASSERT_EQ(sent.size(), 3u + 6u * 26u + 1u);
    EXPECT_EQ(Requests(sent.begin(), sent.begin() + 4), (Requests{"W01?0042", "W01]0000", "W01]0000", "W01N0000"}));
    const auto profile1 = sent.begin() + 3 + 26;
    EXPECT_EQ(Requests(profile1, profile1 + 4), (Requests{"W01N0001", "W01O000025", "W01P00-0150", "W01Q000030"}));
    EXPECT_EQ(profile1[22], "W01O07-0001");
    EXPECT_EQ(profile1[25], "W01U0003");
    EXPECT_EQ(sent[3 + 25], "W01U-0001");
    EXPECT_EQ(sent.back(), "S01I");
    EXPECT_EQ(rig.user.progress.steps, 144);
}

TEST(Export, StopsAtARefusalButStillSelectsPagesAndInitialises) {
    // Requests: 1 probe, 2 page, 3 "a" of input 0, 4 "~" of input 0 refused.
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings(2), faultAt(4, Fault::Refuse));
    ConfigDatabase db;
    db.clear();

    EXPECT_EQ(exportConfiguration(db, kTransferAnalogInputs | kTransferControllers, rig.protocol, rig.user.progress),
              Outcome::Failed);

    EXPECT_EQ(rig.requests(), (Requests{"W01?0042", "W01]0000", "W01a000000", "W01~0003E8", "W01]0001", "S01I"}));
    EXPECT_EQ(rig.user.progress.steps, 1);
    EXPECT_EQ(messages(rig.user.progress),
              (std::vector<std::string>{"Exporting analog input setup", "Exporting PID blocks"}));
    EXPECT_EQ(rig.user.beep.beeps.size(), 1u);  // a refusal is not asked again
}

TEST(Export, ASilentUnitStillGetsThePageSelectionsAndTheInitialiseCommand) {
    CommsSettings comms = UnitOnPty::quickSettings();
    comms.address = 2;  // nobody answers there
    comms.timeOut = 20;
    UnitOnPty rig({}, {}, comms);
    rig.user.prompts.script = {Answer::Abort};
    ConfigDatabase db;
    db.clear();

    EXPECT_EQ(exportCommand(db, kAllTransferGroups, rig.protocol, rig.user.io()), TransferOutcome::GaveUp);

    EXPECT_EQ(rig.traffic.requests, (Requests{"W02?0042", "W02]0000", "W02]0001", "W02]0001", "W02]0000", "S02I"}));
    ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
    const test::ShownMessage& question = rig.user.prompts.shown[0];
    EXPECT_EQ(question.text, "An error has ocurred during setup Transfer.");
    EXPECT_EQ(question.caption, "Transfer Failure");
    EXPECT_EQ(question.icon, MessageIcon::Stop);
    EXPECT_EQ(question.buttons, MessageButtons::AbortRetryIgnore);
    EXPECT_EQ(rig.user.status.texts, (std::vector<std::string>{"Exporting database....", ""}));
    EXPECT_EQ(rig.user.progress.steps, 0);
}

TEST(Export, RetryRunsTheWholeTransferAgain) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings(), faultAt(20, Fault::Refuse));
    rig.user.prompts.script = {Answer::Retry};
    ConfigDatabase db;
    db.clear();
    db.hotColdBlocks[3].list[4] = 0x0107;

    EXPECT_EQ(exportCommand(db, kTransferHotColdBlocks, rig.protocol, rig.user.io()), TransferOutcome::Done);

    EXPECT_EQ(rig.user.prompts.shown.size(), 1u);
    const Requests sent = rig.requests();
    // 20 requests and "I" the first time; probe, page, 4 x (h + 10) and "I" the second.
    ASSERT_EQ(sent.size(), 21u + 2u + 44u + 1u);
    EXPECT_EQ(sent[20], "S01I");
    EXPECT_EQ(Requests(sent.begin() + 21, sent.begin() + 25),
              (Requests{"W01?0042", "W01]0000", "W01h0000", "W01i0000"}));
    rig.unit.withState([](sim::UnitState& s) {
        ASSERT_TRUE(s.handle("W01h0003"));
        EXPECT_EQ(s.item(0, 'n', 4), 0x0107);
    });
}

TEST(Import, FillsTheModelFieldByFieldWithoutMarkingItModified) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    tell(rig, {"W01]0000", "W01a050205", "W01~05FF38",
               "W01\x7F"
               "05FFF6",
               "W01h0002", "W01i0081", "W01n040103", "W01]0001", "W01a070041", "W01J071234", "W01L070030", "W01s050004",
               "W01N0004", "W01O030120", "W01P03-0050", "W01U-0001", "W01N0005", "W01U0002"});
    ConfigDatabase db;
    db.clear();
    db.modified = false;
    db.analogInputs[5].comment.assign("Kiln zone 2");

    EXPECT_EQ(importConfiguration(db, kAllTransferGroups & ~kTransferIfBlocks, rig.protocol, rig.user.progress),
              Outcome::Ok);

    EXPECT_EQ(db.analogInputs[5].type, 0x0205);
    EXPECT_EQ(db.analogInputs[5].hiScalar, -200);
    EXPECT_EQ(db.analogInputs[5].loScalar, -10);
    EXPECT_EQ(db.analogInputs[5].comment.view(), "Kiln zone 2");  // comments do not travel
    EXPECT_EQ(db.hotColdBlocks[2].flags, 0x0081);
    EXPECT_EQ(db.hotColdBlocks[2].list[4], 0x0103);
    EXPECT_EQ(db.controllers[7].flags, 0x0041);
    EXPECT_EQ(db.controllers[7].propBand, 1234);
    EXPECT_EQ(db.controllers[7].derTime, 30);
    EXPECT_EQ(db.profilers[5].profileRegister, 4);
    EXPECT_EQ(db.profiles[4].segRate[3], 120);
    EXPECT_EQ(db.profiles[4].segLevel[3], -50);
    EXPECT_EQ(db.profiles[4].link, -1);
    EXPECT_EQ(db.profiles[5].link, 2);
    EXPECT_FALSE(db.modified);
    EXPECT_EQ(rig.user.progress.steps, 120 + 160 + 40 + 64 + 72 + 144);
    EXPECT_EQ(messages(rig.user.progress),
              (std::vector<std::string>{"Importing analog input setup", "Importing analog output setup",
                                        "Importing hot/cold blocks", "Importing PID blocks",
                                        "Importing Profiler blocks", "Importing Profiles"}));
    // No "I" after an import, and no page selection for the profiles.
    const Requests sent = rig.requests();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "S01I"), 0);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "W01]0000"), 1);
}

TEST(Import, IfBlocksAreReadInTheirOwnOrderAndCounted) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    tell(rig, {"W01]0000", "W01p008301", "W01q000101", "W01o000003", "W01q020202"});
    ConfigDatabase db;
    db.clear();
    db.ifBlockCount = 7;

    EXPECT_EQ(importConfiguration(db, kTransferIfBlocks, rig.protocol, rig.user.progress), Outcome::Ok);

    const Requests sent = rig.requests();
    EXPECT_EQ(Requests(sent.begin(), sent.begin() + 11),
              (Requests{"W01?0042", "W01]0000", "R01p00", "R01q00", "R01o00", "R01r00", "R01s00", "R01t00", "R01u00",
                        "R01v00", "R01w00"}));
    EXPECT_EQ(db.ifBlocks[0].flags, 0x0183);
    EXPECT_EQ(db.ifBlocks[0].thenOperand3, 3);
    EXPECT_EQ(db.ifBlockCount, 2);
}

TEST(Import, AFailureAmongTheIfBlocksCountsTheBlocksNotReachedToo) {
    // Blocks 0-19 are read (9 requests each after probe and page); block 20's "q" is refused.
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings(), faultAt(2 + 20 * 9 + 2, Fault::Refuse));
    tell(rig, {"W01]0000", "W01q030101", "W01q040101"});
    ConfigDatabase db;
    db.clear();
    for (int n = 20; n < kIfBlockCount; n += 10) db.ifBlocks[n].ifOperand1 = 0x0105;  // 7 old blocks in use

    EXPECT_EQ(importConfiguration(db, kTransferIfBlocks, rig.protocol, rig.user.progress), Outcome::Failed);

    EXPECT_EQ(db.ifBlockCount, 2 + 7);
    EXPECT_EQ(rig.user.progress.steps, 20 * 9 + 1);
}

TEST(Import, OutputsOnlyLeaveTheIfBlockCountAlone) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    ConfigDatabase db;
    db.clear();
    db.ifBlockCount = 12;

    EXPECT_EQ(importConfiguration(db, kTransferAnalogOutputs, rig.protocol, rig.user.progress), Outcome::Ok);

    EXPECT_EQ(rig.user.progress.calls[1], "range 0 160");
    EXPECT_EQ(rig.user.progress.steps, 160);
    EXPECT_EQ(db.ifBlockCount, 12);
}

TEST(Import, AReadThatFailsLeavesItsFieldAndStopsTheRest) {
    // 1 probe, 2 page, 3-5 input 0, 6 "a" of input 1 dropped every time.
    sim::FaultPlan plan;
    for (std::uint64_t n = 6; n <= 8; ++n) plan.scheduleAt(n, Fault::Drop);
    CommsSettings comms = UnitOnPty::quickSettings(2);
    comms.timeOut = 20;
    UnitOnPty rig({}, {}, comms, plan);
    tell(rig, {"W01]0000", "W01a000003", "W01a010004"});
    ConfigDatabase db;
    db.clear();
    db.analogInputs[1].type = 0x0400;

    EXPECT_EQ(importConfiguration(db, kTransferAnalogInputs | kTransferProfiles, rig.protocol, rig.user.progress),
              Outcome::Failed);

    EXPECT_EQ(db.analogInputs[0].type, 3);
    EXPECT_EQ(db.analogInputs[1].type, 0x0400);
    EXPECT_EQ(rig.requests().size(), 8u);  // nothing after the three attempts
    EXPECT_EQ(rig.user.beep.beeps.size(), 1u);
}

// Values that every field's wire form carries both ways: decimal fields stay
// within what a four-digit reply can give back.
ConfigDatabase randomConfiguration(std::uint32_t start) {
    std::mt19937 random(start);
    auto word = [&] { return static_cast<std::uint16_t>(random()); };
    auto engineering = [&] {
        return static_cast<std::int16_t>(std::uniform_int_distribution<int>(-9999, 9999)(random));
    };
    ConfigDatabase db;
    db.clear();
    for (auto& a : db.analogInputs)
        a = {{}, word(), static_cast<std::int16_t>(word()), static_cast<std::int16_t>(word())};
    for (auto& o : db.analogOutputs) {
        o.from = static_cast<std::int16_t>(word());
        o.to = static_cast<std::int16_t>(word());
        o.bias = static_cast<std::int16_t>(word());
        o.flags = word();
    }
    for (auto& h : db.hotColdBlocks) {
        h = {{}, word(), word(), word(), word(), word(), {word(), word(), word(), word(), word()}};
    }
    for (auto& b : db.ifBlocks) {
        b.flags = word();
        b.ifOperand1 = random() % 3 == 0 ? 0 : word();
        b.ifOperand2 = static_cast<std::int16_t>(word());
        b.thenOperand1 = word();
        b.thenOperand2 = static_cast<std::int16_t>(word());
        b.thenOperand3 = static_cast<std::int16_t>(word());
        b.elseOperand1 = word();
        b.elseOperand2 = static_cast<std::int16_t>(word());
        b.elseOperand3 = static_cast<std::int16_t>(word());
    }
    for (auto& k : db.controllers) {
        k = {{},
             word(),
             word(),
             word(),
             word(),
             static_cast<std::uint16_t>(random() % 10000),
             static_cast<std::uint16_t>(random() % 10000),
             static_cast<std::uint16_t>(random() % 10000),
             word()};
    }
    for (auto& p : db.profilers) {
        p = {{}, word(), word(), word(), word(), word(), word(), word(), word(), word(), word(), word(), word()};
    }
    for (auto& q : db.profiles) {
        for (int s = 0; s < kProfileSegmentCount; ++s) {
            q.segRate[s] = engineering();
            q.segLevel[s] = engineering();
            q.segDwell[s] = engineering();
        }
        q.link = static_cast<std::int16_t>(static_cast<int>(random() % 7) - 1);
    }
    db.recountIfBlocks();
    return db;
}

TEST(Transfer, AFullConfigurationComesBackFieldForField) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    const ConfigDatabase sent = randomConfiguration(20261207);
    ASSERT_EQ(exportConfiguration(sent, kAllTransferGroups, rig.protocol, rig.user.progress), Outcome::Ok);

    ConfigDatabase back;
    back.clear();
    ASSERT_EQ(importConfiguration(back, kAllTransferGroups, rig.protocol, rig.user.progress), Outcome::Ok);

    // Comments and calibration do not travel; both sides have them cleared.
    EXPECT_EQ(back.analogInputs, sent.analogInputs);
    EXPECT_EQ(back.analogOutputs, sent.analogOutputs);
    EXPECT_EQ(back.hotColdBlocks, sent.hotColdBlocks);
    EXPECT_EQ(back.ifBlocks, sent.ifBlocks);
    EXPECT_EQ(back.controllers, sent.controllers);
    EXPECT_EQ(back.profilers, sent.profilers);
    EXPECT_EQ(back.profiles, sent.profiles);
    EXPECT_EQ(back.ifBlockCount, sent.ifBlockCount);
    EXPECT_TRUE(rig.user.beep.beeps.empty());
}

TEST(TransferGroups, StepsFollowTheChosenGroups) {
    EXPECT_EQ(transferSteps(kAllTransferGroups), 1410);
    EXPECT_EQ(transferSteps(kTransferAnalogInputs | kTransferProfilers), 120 + 72);
    EXPECT_EQ(transferSteps(0), 0);
}

}  // namespace
}  // namespace zat
