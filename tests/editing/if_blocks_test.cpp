#include "editing/entry_text.h"
#include "editing/if_blocks.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

// A block in use whose IF register is A(n): tells the slots apart.
TIfconf blockOn(int n, uint16_t flags = 0x0880 | 0x8000) {
    TIfconf b;
    b.ifOperand1 = static_cast<uint16_t>(n + 1);
    b.flags = flags;
    return b;
}

ConfigDatabase withBlocks(int count) {
    ConfigDatabase db;
    for (int i = 0; i < count; ++i) db.ifBlocks[static_cast<std::size_t>(i)] = blockOn(i);
    db.recountIfBlocks();
    return db;
}

std::vector<int> ifRegisters(const ConfigDatabase& db) {
    std::vector<int> n;
    for (const TIfconf& b : db.ifBlocks)
        if (b.inUse()) n.push_back(b.ifOperand1 - 1);
    return n;
}

IfSource constant(const char* text) { return {true, text, {}}; }
IfSource reg(const char* text) { return {false, {}, text}; }

TEST(IfBlocks, OperatorTextsMaskTheirCodes) {
    const char* conditions[] = {">", ">=", "<", "<=", "=", "AND", "OR", "XOR", "NAND", "NOR", "XNOR"};
    for (int code = 0; code < 16; ++code) {
        EXPECT_EQ(conditionOperatorText(code), code < 11 ? conditions[code] : "=") << code;
        EXPECT_EQ(conditionOperatorText(code | 0xFFF0), conditionOperatorText(code));
        EXPECT_EQ(conditionListIndex(code | 0x0080), code < 11 ? code : 4);
    }
    const char* arithmetic[] = {"", "+", "-", "\u00D7", "\u00F7", "AND", "OR", "XOR"};
    for (int code = 0; code < 8; ++code) EXPECT_EQ(arithmeticOperatorText(code), arithmetic[code]);
}

TEST(IfBlocks, LineTextsForEveryOperatorAndBothOperandKinds) {
    const struct {
        uint16_t flags;
        std::array<int, 8> operands;  // if1, if2, then1..3, else1..3
        const char *condition, *then, *otherwise;
    } cases[] = {
        {0x89D1, {4, 250, 65, 2, 5, 195, 1, 0}, "IF A3 >= 250", "THEN B0 = A1 + 5", "ELSE D2 = 1 "},
        {0x0000, {1, 248, 0, 0, 0, 0, 0, 0}, "IF A0 > D55", "", ""},
        {0x0242, {129, -9999, 1, 3, 66, 0, 0, 0}, "IF C0 < -9999", "THEN A0 = A2 - B1", ""},
        {0x1B03, {1, 0, 1, 3, 2, 2, 1, 2}, "IF A0 <= ", "THEN A0 = A2 \u00D7 2", "ELSE A1 = A0 + A1"},
        {0x4834, {1, 0, 1, 5, 9, 2, 7, 8}, "IF A0 = ", "THEN A0 = 5 ", "ELSE A1 = 7 \u00F7 A7"},
        {0xD805 | 0x0500, {1, 0, 1, 1, 2, 2, 3, 4}, "IF A0 AND ", "THEN A0 = A0 AND 2", "ELSE A1 = A2 AND 4"},
        {0x6E06, {1, 0, 1, 1, 2, 2, 3, 4}, "IF A0 OR ", "THEN A0 = A0 OR 2", "ELSE A1 = A2 OR A3"},
        {0xF807 | 0x0700, {1, 0, 1, 1, 2, 2, 3, 4}, "IF A0 XOR ", "THEN A0 = A0 XOR 2", "ELSE A1 = A2 XOR 4"},
        {0x0048, {1, 1, 0, 0, 0, 0, 0, 0}, "IF A0 NAND 1", "", ""},
        {0x0049, {1, 1, 0, 0, 0, 0, 0, 0}, "IF A0 NOR 1", "", ""},
        {0x004A, {1, 1, 0, 0, 0, 0, 0, 0}, "IF A0 XNOR 1", "", ""},
        {0x004F, {1, 1, 0, 0, 0, 0, 0, 0}, "IF A0 = 1", "", ""},
    };
    for (const auto& c : cases) {
        const auto& o = c.operands;
        TIfconf b;
        b.flags = c.flags;
        b.ifOperand1 = static_cast<uint16_t>(o[0]);
        b.ifOperand2 = static_cast<int16_t>(o[1]);
        b.thenOperand1 = static_cast<uint16_t>(o[2]);
        b.thenOperand2 = static_cast<int16_t>(o[3]);
        b.thenOperand3 = static_cast<int16_t>(o[4]);
        b.elseOperand1 = static_cast<uint16_t>(o[5]);
        b.elseOperand2 = static_cast<int16_t>(o[6]);
        b.elseOperand3 = static_cast<int16_t>(o[7]);
        EXPECT_EQ(ifConditionText(b), c.condition) << c.flags;
        EXPECT_EQ(ifThenText(b), c.then) << c.flags;
        EXPECT_EQ(ifElseText(b), c.otherwise) << c.flags;
    }
}

TEST(IfBlocks, APageStoresFlagsAndOperands) {
    ConfigDatabase db;
    IfBlockPage page{.comment = "Alarm",
                     .enabled = true,
                     .ifRegister = "a3",
                     .condition = 1,
                     .ifOperand = constant("250"),
                     .thenDestination = "B0",
                     .thenSource1 = reg("A1"),
                     .thenOperator = 1,
                     .thenSource2 = constant("5"),
                     .elseDestination = "D2",
                     .elseSource1 = constant("1"),
                     .elseOperator = 0,
                     .elseSource2 = reg("C7")};
    ASSERT_TRUE(storeIfBlock(db, 7, page).ok());
    const TIfconf& b = db.ifBlocks[7];
    EXPECT_EQ(b.flags, 0x89D1);
    EXPECT_EQ((std::array<int, 8>{b.ifOperand1, b.ifOperand2, b.thenOperand1, b.thenOperand2, b.thenOperand3,
                                  b.elseOperand1, b.elseOperand2, b.elseOperand3}),
              (std::array<int, 8>{4, 250, 65, 2, 5, 195, 1, 0}));
    EXPECT_TRUE(db.modified);
    EXPECT_EQ(commentText(b.comment), "Alarm");
    // Reopened: the unused source2 shows 0 as a constant.
    page.ifRegister = "A3";
    page.elseSource2 = constant("0");
    EXPECT_EQ(loadIfBlock(db, 7), page);
}

TEST(IfBlocks, AConditionCodeWithoutAnEntryIsKeptAndMasked) {
    ConfigDatabase db;
    db.ifBlocks[0] = blockOn(0, 0x880D | 0x8000);
    IfBlockPage page = loadIfBlock(db, 0);
    EXPECT_EQ(page.condition, 13);
    ASSERT_TRUE(storeIfBlock(db, 0, page).ok());
    EXPECT_EQ(db.ifBlocks[0].flags & 0x000F, 13);
    page.condition = 0xFFF2;  // a code never sets other bits
    ASSERT_TRUE(storeIfBlock(db, 0, page).ok());
    EXPECT_EQ(db.ifBlocks[0].flags, 0x8802);
}

TEST(IfBlocks, TheFirstBadEntryStopsTheStoreAfterTheComment) {
    const IfBlockPage good{.ifRegister = "A0",
                           .ifOperand = constant("9999"),
                           .thenDestination = "",
                           .thenSource1 = constant("-9999"),
                           .elseSource1 = constant("0")};
    const struct {
        void (*change)(IfBlockPage&);
        IfField field;
        const char* message;
    } cases[] = {
        {[](IfBlockPage& p) { p.ifRegister = ""; }, IfField::IfRegister, "Must have an IF operator"},
        {[](IfBlockPage& p) { p.ifRegister = "E1"; }, IfField::IfRegister, "\nFirst character must be A,B,C or D"},
        {[](IfBlockPage& p) { p.ifOperand = constant("10000"); }, IfField::IfConstant,
         "Value out of limits -9999 to +9999"},
        {[](IfBlockPage& p) { p.ifOperand = reg("A"); }, IfField::IfOperandRegister, "\n\nNon numeric digit found"},
        {[](IfBlockPage& p) { p.thenDestination = "C3"; }, IfField::ThenDestination, "Must be A,B or D register"},
        {[](IfBlockPage& p) { p.thenSource1 = reg("D56"); }, IfField::ThenSource1Register, "\nIllegal channel number"},
        {[](IfBlockPage& p) {
             p.thenOperator = 2;
             p.thenSource2 = constant("-10000");
         },
         IfField::ThenSource2Constant, "Value out of limits -9999 to +9999"},
        {[](IfBlockPage& p) { p.elseDestination = "c1"; }, IfField::ElseDestination, "Must be A,B or D register"},
        {[](IfBlockPage& p) { p.elseSource1 = reg("A40"); }, IfField::ElseSource1Register, "\nIllegal channel number"},
        {[](IfBlockPage& p) {
             p.elseOperator = 7;
             p.elseSource2 = reg("E1");
         },
         IfField::ElseSource2Register, "\nFirst character must be A,B,C or D"},
    };
    for (const auto& c : cases) {
        ConfigDatabase db;
        db.ifBlocks[3] = blockOn(9, 0x0042);
        IfBlockPage page = good;
        page.comment = "Changed";
        c.change(page);
        const StoreResult<IfField> stored = storeIfBlock(db, 3, page);
        ASSERT_FALSE(stored.ok()) << c.message;
        EXPECT_EQ(stored.refusal().field, c.field) << c.message;
        EXPECT_EQ(stored.refusal().message.text, c.message);
        TIfconf expected = blockOn(9, 0x0042);
        expected.comment = Comment("Changed");
        EXPECT_EQ(db.ifBlocks[3], expected) << c.message;  // only the comment is written
        EXPECT_TRUE(db.modified) << c.message;             // and that is a change
    }
    ConfigDatabase db;
    db.ifBlocks[0].comment = Comment("Same");
    IfBlockPage page = good;
    page.comment = "Same";
    page.ifRegister = "";
    ASSERT_FALSE(storeIfBlock(db, 0, page).ok());
    EXPECT_FALSE(db.modified);  // nothing changed
    page.ifRegister = "D55";
    ASSERT_TRUE(storeIfBlock(db, 0, page).ok());
    EXPECT_EQ(db.ifBlocks[0].ifOperand1, 248);
}

TEST(IfBlocks, CompactionKeepsOrderAndCountsTheSlots) {
    ConfigDatabase db;
    for (int slot : {2, 5, 6, 40, 89}) db.ifBlocks[static_cast<std::size_t>(slot)] = blockOn(slot);
    db.ifBlockCount = 1;  // a stale count does not limit the walk
    compactIfBlocks(db);
    EXPECT_EQ(db.ifBlockCount, 5);
    EXPECT_EQ(ifRegisters(db), (std::vector<int>{2, 5, 6, 40, 89}));
    EXPECT_EQ(ifLines(db).size(), 5u);
    EXPECT_EQ(ifLines(db)[0].condition, "IF A2 > ");
    EXPECT_EQ(ifLines(withBlocks(90)).size(), 90u);  // the walk stops at the last slot
}

TEST(IfBlocks, InsertPasteAndTheirRefusals) {
    ConfigDatabase db = withBlocks(4);
    const IfBlockSnapshot beforeInsert(db);
    IfListCheck at = insertBlankIfBlock(db, {});
    ASSERT_TRUE(at.ok());
    EXPECT_EQ(*at, 4);
    dropInsertedIfBlock(db, 4, beforeInsert);
    EXPECT_EQ(db.ifBlocks, withBlocks(4).ifBlocks);
    EXPECT_EQ(db.ifBlockCount, 4);
    at = insertBlankIfBlock(db, {1});
    EXPECT_EQ(*at, 1);
    db.ifBlocks[1] = blockOn(50);
    keepInsertedIfBlock(db);
    EXPECT_EQ(ifRegisters(db), (std::vector<int>{0, 50, 1, 2, 3}));
    EXPECT_EQ(insertBlankIfBlock(db, {0, 2}).message().text, "Cannot do multiple insert");

    const TIfconf clip = copyIfBlock(db, {3, 1});
    EXPECT_EQ(clip, blockOn(50));
    EXPECT_EQ(*pasteIfBlock(db, {0}, clip), 0);
    EXPECT_EQ(*pasteIfBlock(db, {}, clip), 6);
    EXPECT_EQ(ifRegisters(db), (std::vector<int>{50, 0, 50, 1, 2, 3, 50}));
    EXPECT_EQ(db.ifBlockCount, 7);
    EXPECT_EQ(pasteIfBlock(db, {1, 2}, clip).message().text, "Cannot do multiple paste");
    EXPECT_TRUE(pasteIfBlock(db, {}, copyIfBlock(db, {})).message().text.empty());  // empty clipboard

    ConfigDatabase full = withBlocks(90);
    for (const IfListCheck& refused : {insertBlankIfBlock(full, {}), pasteIfBlock(full, {3}, clip)}) {
        EXPECT_EQ(refused.message().text, "There is no more space available");
        EXPECT_EQ(refused.message().caption, "Problem");
        EXPECT_EQ(refused.message().icon, MessageIcon::Stop);
    }
    EXPECT_EQ(full.ifBlocks, withBlocks(90).ifBlocks);
}

TEST(IfBlocks, ACancelledInsertLeavesModifiedAsItWasUnlessTheSlotsDiffer) {
    const struct {
        bool wasModified;
        const char* lastSlotComment;  // what a free last slot kept of an old block
        bool modified;
    } cases[] = {{false, "", false}, {true, "", true}, {false, "Old", true}};
    for (const auto& c : cases) {
        ConfigDatabase db = withBlocks(3);
        db.ifBlocks[89].comment = Comment(c.lastSlotComment);
        db.modified = c.wasModified;
        const ConfigDatabase opened = db;
        const IfBlockSnapshot beforeInsert(db);
        const IfListCheck at = insertBlankIfBlock(db, {1});
        IfBlockPage page;
        page.comment = "Pump";  // stored, then refused: no IF register
        ASSERT_FALSE(storeIfBlock(db, *at, page).ok());
        ASSERT_TRUE(db.modified);
        dropInsertedIfBlock(db, *at, beforeInsert);
        EXPECT_EQ(ifRegisters(db), ifRegisters(opened));
        EXPECT_EQ(db.ifBlocks == opened.ifBlocks, *c.lastSlotComment == '\0') << c.lastSlotComment;
        EXPECT_EQ(db.modified, c.modified) << c.wasModified << c.lastSlotComment;
    }
}

TEST(IfBlocks, DeleteEnableDisable) {
    ConfigDatabase db = withBlocks(8);
    EXPECT_EQ(checkManySelection({}, "DELETE").message().text,
              "Nothing selected.\nSelect one or more lines and then press the DELETE button");
    EXPECT_EQ(checkManySelection(IfSelection(91, 0), "ENABLE").message().text, "Too many items selected");
    EXPECT_EQ(*checkManySelection({5, 2}, "DISABLE"), 2);
    EXPECT_EQ(editPosition({}).message().text, "Nothing selected.\nSelect a line and then press the EDIT button");

    setIfBlocksEnabled(db, {1, 3}, true);
    EXPECT_EQ(db.ifBlocks[1].flags, 0x8880);
    setIfBlocksEnabled(db, {3, 99, -1}, false);  // lines beyond the slots are left out
    EXPECT_EQ(db.ifBlocks[3].flags, 0x8800);
    EXPECT_EQ(db.ifBlocks[0].flags, 0x8880);
    deleteIfBlocks(db, {2, 5});
    EXPECT_EQ(ifRegisters(db), (std::vector<int>{0, 1, 3, 4, 6, 7}));
    EXPECT_EQ(db.ifBlockCount, 6);
    EXPECT_TRUE(db.modified);
}

}  // namespace
}  // namespace zat
