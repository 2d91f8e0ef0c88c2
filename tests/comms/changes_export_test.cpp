// Export Changes and the image of the unit it works from: exactly the
// changed fields go out, after the unit is seen to hold what was last sent.
#include "commands/changes_command.h"
#include "comms/config_compare.h"
#include "comms/config_transfer.h"
#include "comms/unit_image.h"
#include "support/unit_on_pty.h"

#include <functional>
#include <gtest/gtest.h>

namespace zat {
namespace {

using test::UnitOnPty;
using Requests = std::vector<std::string>;

ConfigDatabase cleared() {
    ConfigDatabase db;
    db.clear();
    return db;
}

bool sameOnUnit(const ConfigDatabase& a, const ConfigDatabase& b) {
    return differingFields(a, b, kAllTransferGroups, CompareScope::Transferred).empty();
}

// A unit that was sent `sent` whole, and the image that says so.
struct SentUnit {
    explicit SentUnit(const ConfigDatabase& sent) : db(sent) {
        db.comms = rig.settings;
        EXPECT_EQ(exportConfiguration(db, kAllTransferGroups, rig.protocol, rig.user.progress), Outcome::Ok);
        image.transferred(UnitPlace::of(db.comms), kAllTransferGroups, db);
        (void)rig.requests();
    }
    ChangesExport exportChanges() { return exportChangesCommand(db, image, rig.protocol, rig.user.io()); }

    UnitOnPty rig{{}, {}, UnitOnPty::quickSettings()};
    ConfigDatabase db;
    UnitImage image;
};

TEST(ExportChanges, SendsExactlyTheChangedFieldWithItsSelectionsThenInitialises) {
    struct Case {
        const char* name;
        std::function<void(ConfigDatabase&)> change;
        Requests expected;  // the check's reads, then the writes
    };
    const Case cases[] = {
        {"an analog input scalar",
         [](ConfigDatabase& db) { db.analogInputs[3].hiScalar = 500; },
         {"W01?0042", "W01]0000", "R01~03", "W01?0042", "W01]0000", "W01~0301F4", "S01I"}},
        {"an IF operand",
         [](ConfigDatabase& db) { db.ifBlocks[12].elseOperand2 = 0x0044; },
         {"W01?0042", "W01]0000", "R01v12", "W01?0042", "W01]0000", "W01v120044", "S01I"}},
        {"a controller term",
         [](ConfigDatabase& db) { db.controllers[1].intTime = 120; },
         {"W01?0042", "W01]0000", "W01]0001", "R01K01", "W01?0042", "W01]0000", "W01]0001", "W01K010120", "S01I"}},
        {"a profile segment",
         [](ConfigDatabase& db) { db.profiles[1].segLevel[5] = -40; },
         {"W01?0042", "W01]0000", "W01N0001", "R01P05", "W01?0042", "W01]0000", "W01]0000", "W01N0001", "W01P05-0040",
          "S01I"}},
        {"a hot/cold destination",
         [](ConfigDatabase& db) { db.hotColdBlocks[2].hottest = 0x0105; },
         {"W01?0042", "W01]0000", "W01h0002", "R01j", "W01?0042", "W01]0000", "W01h0002", "W01j0105", "S01I"}},
    };
    // One after the other on one unit: each finds the image the last one left.
    SentUnit unit(cleared());
    for (const Case& c : cases) {
        c.change(unit.db);
        const ChangesExport changes = unit.exportChanges();
        EXPECT_EQ(changes.outcome, ChangesOutcome::Done) << c.name;
        EXPECT_EQ(changes.fields, 1u) << c.name;
        EXPECT_EQ(unit.rig.requests(), c.expected) << c.name;
        const ConfigDatabase* image = unit.image.at(UnitPlace::of(unit.db.comms));
        ASSERT_NE(image, nullptr);
        EXPECT_TRUE(sameOnUnit(*image, unit.db)) << c.name;
    }
    // The unit now holds what a whole export of the changed file leaves.
    ConfigDatabase read = cleared();
    EXPECT_EQ(importConfiguration(read, kAllTransferGroups, unit.rig.protocol, unit.rig.user.progress), Outcome::Ok);
    EXPECT_TRUE(sameOnUnit(read, unit.db));
    unit.rig.unit.withState([](sim::UnitState& s) { EXPECT_EQ(s.initialiseCount(), 6); });
}

TEST(ExportChanges, WithoutChangesOrImageNothingIsSent) {
    SentUnit unit(cleared());
    EXPECT_EQ(unit.exportChanges().outcome, ChangesOutcome::Nothing);
    unit.db.controllers[0].propBand = 50;
    unit.image.drop();
    EXPECT_EQ(unit.exportChanges().outcome, ChangesOutcome::Nothing);
    EXPECT_TRUE(unit.rig.requests().empty());
}

TEST(ExportChanges, AUnitChangedBehindTheProgramsBackIsCaughtBeforeAnythingIsWritten) {
    SentUnit unit(cleared());
    unit.rig.unit.withState([](sim::UnitState& s) { s.setItem(1, 'K', 1, 77); });  // someone retuned it
    unit.db.controllers[1].intTime = 120;

    EXPECT_EQ(unit.exportChanges().outcome, ChangesOutcome::UnitChanged);
    EXPECT_EQ(unit.rig.requests(), (Requests{"W01?0042", "W01]0000", "W01]0001", "R01K01"}));
    ASSERT_EQ(unit.rig.user.prompts.shown.size(), 1u);
    EXPECT_EQ(unit.rig.user.prompts.shown[0].text, kUnitChangedText);
    EXPECT_EQ(unit.image.at(UnitPlace::of(unit.db.comms)), nullptr);
    unit.rig.unit.withState([](sim::UnitState& s) { EXPECT_EQ(s.item(1, 'K', 1), 77); });
}

TEST(ExportChanges, AGivenUpTransferDropsTheImage) {
    SentUnit unit(cleared());
    unit.db.controllers[1].intTime = 120;
    unit.rig.unit.setSilent(true);
    unit.rig.user.prompts.script = {Answer::Abort};
    EXPECT_EQ(unit.exportChanges().outcome, ChangesOutcome::GaveUp);
    EXPECT_EQ(unit.image.at(UnitPlace::of(unit.db.comms)), nullptr);
}

TEST(UnitImage, IsTakenWholeKeptByLaterTransfersAndDroppedElsewhere) {
    ConfigDatabase db = cleared();
    const UnitPlace here{.port = 4, .address = 1};
    UnitImage image;
    image.transferred(here, kTransferControllers, db);
    EXPECT_EQ(image.at(here), nullptr) << "the other groups are unknown";

    image.transferred(here, kAllTransferGroups & 0x7F, db);  // every group the options dialog offers
    db.controllers[2].propBand = 40;
    db.analogInputs[0].loScalar = -5;
    image.transferred(here, kTransferControllers, db);
    ASSERT_NE(image.at(here), nullptr);
    EXPECT_EQ(image.at(here)->controllers[2].propBand, 40);
    EXPECT_NE(image.at(here)->analogInputs[0].loScalar, -5) << "not sent";

    image.written([](ConfigDatabase& unit) { unit.controllers[2].derTime = 9; });
    EXPECT_EQ(image.at(here)->controllers[2].derTime, 9);
    EXPECT_EQ(image.at(UnitPlace{.port = 4, .address = 2}), nullptr);
    image.follow(here);
    EXPECT_NE(image.at(here), nullptr);
    image.follow(UnitPlace{.port = 5, .address = 1});
    EXPECT_EQ(image.at(here), nullptr) << "another port";
}

}  // namespace
}  // namespace zat
