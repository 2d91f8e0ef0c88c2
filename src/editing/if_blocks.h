// The rules of the IF blocks: the texts of an operator and of a block's
// three lines ("IF A3 >= 250", "THEN B0 = A1 + 5", "ELSE D2 = 1 "), the
// editor's page of one block, and the operations of the block list on the 90
// slots (compact, insert, delete, copy, paste, enable, disable). The list and
// the IF block listing show the same texts.
#pragma once

#include "editing/record_snapshot.h"
#include "editing/store_result.h"
#include "model/config_database.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zat {

constexpr int kConditionOperatorCount = 11;  // codes 0..10 in the list
constexpr int kArithmeticOperatorCount = 8;  // codes 0..7
constexpr std::size_t kRegisterEditLength = 3;
constexpr std::size_t kConstantEditLength = 6;

// ">", ">=" .. "XNOR"; only the low four bits of `code` count, and the codes
// 11..15 without a list entry read "=".
std::string conditionOperatorText(int code);
// The condition list's entry that shows `code`: the code itself, or the "="
// entry for 11..15.
int conditionListIndex(int code);
// "", "+", "-", "×", "÷", "AND", "OR", "XOR" (UTF-8); only the low three bits count.
std::string arithmeticOperatorText(int code);

// "IF A3 >= 250".
std::string ifConditionText(const TIfconf& block);
// "THEN B0 = A1 + 5", "THEN D2 = 1 " (the blank after a plain assignment
// stays); empty when the block has no THEN action.
std::string ifThenText(const TIfconf& block);
// The same for ELSE.
std::string ifElseText(const TIfconf& block);
bool isIfBlockEnabled(const TIfconf& block);

// A source: a constant or a register, both edits kept as shown.
struct IfSource {
    bool constant = true;
    std::string constantText{};
    std::string registerText{};

    friend bool operator==(const IfSource&, const IfSource&) = default;
};

// One block as the editor shows it and gives it back to be stored.
struct IfBlockPage {
    std::string comment{};  // UTF-8
    bool enabled = false;
    std::string ifRegister{};
    int condition = 0;  // the code kept unless another was picked, 0..15
    IfSource ifOperand{};
    std::string thenDestination{};
    IfSource thenSource1{};
    int thenOperator = 0;
    IfSource thenSource2{};
    std::string elseDestination{};
    IfSource elseSource1{};
    int elseOperator = 0;
    IfSource elseSource2{};

    friend bool operator==(const IfBlockPage&, const IfBlockPage&) = default;
};

IfBlockPage loadIfBlock(const ConfigDatabase& db, int index);

// The edit a refusal names; the constant or the register edit of a source
// follows the page's choice.
enum class IfField {
    IfRegister,
    IfConstant,
    IfOperandRegister,
    ThenDestination,
    ThenSource1Constant,
    ThenSource1Register,
    ThenSource2Constant,
    ThenSource2Register,
    ElseDestination,
    ElseSource1Constant,
    ElseSource1Register,
    ElseSource2Constant,
    ElseSource2Register,
};

// Stores block `index`: the comment first (it stays stored when a later entry
// is refused), then reads the IF register (empty: "Must have an IF
// operator"), its operand, the THEN destination (a C register: "Must be A,B or
// D register"), sources and operator, the same for ELSE, and writes them all
// at once. Constants are -9999..9999 as typed. The database is marked
// modified when anything in the record changed, also on a refusal after the
// comment.
StoreResult<IfField> storeIfBlock(ConfigDatabase& db, int index, const IfBlockPage& page);

// The list. Line i shows slot i; the selection is the list of selected lines.
using IfSelection = std::vector<int>;

// The three texts and the comment of a line.
struct IfLine {
    bool enabled = false;
    std::string condition, thenAction, elseAction, comment;
};

// Counts the slots in use and moves them to the front in their order, the
// free ones behind them; the count is not taken from `ifBlockCount`.
void compactIfBlocks(ConfigDatabase& db);
// The lines of the blocks in use, after compactIfBlocks.
std::vector<IfLine> ifLines(const ConfigDatabase& db);

// What a list command refuses, or the line it works on.
using IfListCheck = FieldCheck<int>;

// The line Edit opens: the first selected.
IfListCheck editPosition(const IfSelection& selection);
// Makes room for a blank block at the selected line (none: after the last)
// and gives its line; refused when all 90 are in use or two lines are selected.
IfListCheck insertBlankIfBlock(ConfigDatabase& db, const IfSelection& selection);
// Counts the inserted block once its editor ended with OK.
void keepInsertedIfBlock(ConfigDatabase& db);
// Takes the blank block of a cancelled insert out again. A refused store may
// have written a comment into it and marked the database modified; with the
// block gone the slots are compared with `beforeInsert`, and `modified` is
// left as it was before the Insert when they are the same.
void dropInsertedIfBlock(ConfigDatabase& db, int position, const IfBlockSnapshot& beforeInsert);
// Whether Delete, Enable or Disable may act on the selection ("DELETE",
// "ENABLE", "DISABLE" name the button in the message); the value is the first line.
IfListCheck checkManySelection(const IfSelection& selection, const std::string& buttonWord);
void deleteIfBlocks(ConfigDatabase& db, const IfSelection& selection);
void setIfBlocksEnabled(ConfigDatabase& db, const IfSelection& selection, bool enabled);
// The first selected block, or an empty one (not full) when none is selected.
TIfconf copyIfBlock(const ConfigDatabase& db, const IfSelection& selection);
// Puts the clipboard in at the selected line (none: after the last) and
// gives its line. A clipboard that is not full does nothing (refused without
// a message: empty text).
IfListCheck pasteIfBlock(ConfigDatabase& db, const IfSelection& selection, const TIfconf& clipboard);

}  // namespace zat
