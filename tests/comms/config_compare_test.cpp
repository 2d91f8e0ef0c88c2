// The field-by-field comparison, the transfer of chosen fields, and the
// address lists every command checks before it sends anything.
#include "comms/address_list.h"
#include "comms/config_compare.h"
#include "comms/config_transfer.h"
#include "support/unit_on_pty.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

using test::UnitOnPty;
using Requests = std::vector<std::string>;
using Lines = std::vector<std::string>;

Lines linesOf(const std::vector<FieldDifference>& differences) {
    Lines lines;
    for (const FieldDifference& d : differences)
        lines.push_back(std::string(groupTitle(d.group)) + "|" + d.section + "|" + d.key + "|" + d.first + "|" +
                        d.second + (d.wire ? "|wire" : ""));
    return lines;
}

ConfigDatabase cleared() {
    ConfigDatabase db;
    db.clear();
    return db;
}

// Three fields the unit holds, one it holds but the file does not, and two
// comments only the file holds.
ConfigDatabase planted() {
    ConfigDatabase db = cleared();
    db.analogInputs[3].hiScalar = 500;
    db.analogInputs[3].comment = Comment("Kiln zone 3");
    db.analogOutputs[25].bias = 7;
    db.ifBlocks[12].flags = 0x0183;
    db.profiles[1].segLevel[5] = -40;
    db.digitalInputComments[2] = Comment("Door open");
    return db;
}

TEST(CompareFields, ListsWhatDiffersInTheScopeAndGroupsAsked) {
    struct Case {
        const char* name;
        TransferGroups groups;
        CompareScope scope;
        Lines expected;
    };
    const Case cases[] = {
        {"the unit's side: transferred fields only, the unsaved bias too",
         kAllTransferGroups,
         CompareScope::Transferred,
         {"Analog inputs|Analog Input 3|Hi Scalar|1000|500|wire", "Analog outputs|Output 25|Bias|0|7|wire",
          "IF blocks|IF Block 12|Flags|0|387|wire", "Profiles|Profile 1|Seg05 Level|0|-40|wire"}},
        {"the file's side: comments too, the unsaved bias not",
         kAllTransferGroups,
         CompareScope::Saved,
         {"Digital comments|Digital Inputs|Input 2||Door open", "Analog inputs|Analog Input 3|Comment||Kiln zone 3",
          "Analog inputs|Analog Input 3|Hi Scalar|1000|500|wire", "IF blocks|IF Block 12|Flags|0|387|wire",
          "Profiles|Profile 1|Seg05 Level|0|-40|wire"}},
        {"chosen groups only, no digital comments then",
         kTransferAnalogInputs | kTransferProfiles,
         CompareScope::Saved,
         {"Analog inputs|Analog Input 3|Comment||Kiln zone 3", "Analog inputs|Analog Input 3|Hi Scalar|1000|500|wire",
          "Profiles|Profile 1|Seg05 Level|0|-40|wire"}},
        {"a group without differences", kTransferControllers, CompareScope::Transferred, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(linesOf(differingFields(cleared(), planted(), c.groups, c.scope)), c.expected) << c.name;
    EXPECT_TRUE(differingFields(planted(), planted(), kAllTransferGroups, CompareScope::Saved).empty());
}

TEST(TransferFields, ExportSendsExactlyTheChosenWordsWithTheirSelections) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    ConfigDatabase db = cleared();
    db.analogInputs[3].hiScalar = 500;
    db.hotColdBlocks[2].list[4] = 0x0011;
    db.controllers[1].intTime = 120;
    db.profiles[1].segLevel[5] = -40;
    const FieldSelection fields =
        wireFieldsOf(differingFields(cleared(), db, kAllTransferGroups, CompareScope::Transferred));
    ASSERT_EQ(fields.size(), 4u);

    EXPECT_EQ(exportFields(db, fields, rig.protocol, rig.user.progress), Outcome::Ok);
    EXPECT_EQ(rig.requests(), (Requests{"W01?0042", "W01]0000", "W01~0301F4", "W01h0002", "W01n040011", "W01]0001",
                                        "W01K010120", "W01]0000", "W01N0001", "W01P05-0040", "S01I"}));
    rig.unit.withState([](sim::UnitState& s) { EXPECT_EQ(s.item(0, '~', 3), 500); });
}

TEST(TransferFields, ImportReadsOnlyTheChosenWordsAndCountsTheIfBlocks) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    rig.unit.withState([](sim::UnitState& s) {
        s.setItem(0, 'q', 7, 0x0101);
        s.setItem(0, '~', 3, 500);
        s.setItem(0, '~', 4, 600);  // not chosen: stays off the line
        ASSERT_TRUE(s.handle("W01N0001").has_value());
        ASSERT_TRUE(s.handle("W01P05-0040").has_value());
    });
    FieldSelection fields;
    fields.add(FieldRef{kTransferIfBlocks, 7, 'q', 7});
    fields.add(FieldRef{kTransferAnalogInputs, 3, '~', 3});
    fields.add(FieldRef{kTransferProfiles, 1, 'P', 5});
    ConfigDatabase db = cleared();

    EXPECT_EQ(importFields(db, fields, rig.protocol, rig.user.progress), Outcome::Ok);
    EXPECT_EQ(rig.requests(), (Requests{"W01?0042", "W01]0000", "R01~03", "R01q07", "W01N0001", "R01P05"}));
    EXPECT_EQ(db.profiles[1].segLevel[5], -40);
    EXPECT_EQ(db.analogInputs[3].hiScalar, 500);
    EXPECT_EQ(db.analogInputs[4].hiScalar, 1000);
    EXPECT_EQ(db.ifBlocks[7].ifOperand1, 0x0101);
    EXPECT_EQ(db.ifBlockCount, 1);
}

TEST(AddressList, IsCheckedWholeAndNamesTheBadEntry) {
    struct Case {
        const char* text;
        std::vector<int> addresses;
        const char* error;
    };
    const Case cases[] = {
        {"3", {3}, ""},
        {"1,3,5-7", {1, 3, 5, 6, 7}, ""},
        {"0-2,99", {0, 1, 2, 99}, ""},
        {"", {}, "no addresses given"},
        {"1,,3", {}, "an empty entry in the addresses '1,,3'"},
        {"1,100", {}, "'100' is not an address or a range of them (0..99)"},
        {"1,x", {}, "'x' is not an address or a range of them (0..99)"},
        {"5-", {}, "'5-' is not an address or a range of them (0..99)"},
        {"7-5", {}, "'7-5' runs backwards"},
        {"1,3-5,4", {}, "4 is in the addresses twice"},
    };
    for (const Case& c : cases) {
        const NumberListParse parsed = parseAddressList(c.text);
        EXPECT_EQ(parsed.error, c.error) << c.text;
        if (parsed.ok()) {
            EXPECT_EQ(parsed.values, c.addresses) << c.text;
        }
    }
}

TEST(BaudList, TakesTheUnitsRatesOrAll) {
    EXPECT_EQ(parseBaudList("all").values, (std::vector<int>{19200, 9600, 4800, 2400, 1200}));
    EXPECT_EQ(parseBaudList("9600,1200").values, (std::vector<int>{9600, 1200}));
    EXPECT_EQ(parseBaudList("9600,300").error, "'300' is not a baud rate (1200, 2400, 4800, 9600, 19200 or all)");
    EXPECT_EQ(parseBaudList("9600,9600").error, "9600 is in the baud rates twice");
}

}  // namespace
}  // namespace zat
