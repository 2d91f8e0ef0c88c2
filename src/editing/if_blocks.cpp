#include "editing/if_blocks.h"

#include "editing/entry_text.h"
#include "model/register_ref.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zat {

namespace {

constexpr std::array<const char*, kConditionOperatorCount> kConditionTexts{">",  ">=",  "<",    "<=",  "=",   "AND",
                                                                           "OR", "XOR", "NAND", "NOR", "XNOR"};
constexpr int kEqualsCode = 4;
constexpr std::array<const char*, kArithmeticOperatorCount> kArithmeticTexts{"",       "+",   "-",  "\u00D7",
                                                                             "\u00F7", "AND", "OR", "XOR"};
constexpr int kThenOperatorShift = 8;
constexpr int kElseOperatorShift = 12;
constexpr int kLastSlot = kIfBlockCount - 1;
constexpr char kCRegisterLetter = 'C';

bool has(uint16_t flags, uint16_t bit) { return (flags & bit) != 0; }

int thenOperatorCode(uint16_t flags) { return (flags & kIfThenOperatorMask) >> kThenOperatorShift; }
int elseOperatorCode(uint16_t flags) { return (flags & kIfElseOperatorMask) >> kElseOperatorShift; }

std::string operandText(int16_t value, bool constant) {
    return constant ? std::to_string(value) : formatRegisterField(static_cast<uint16_t>(value));
}

IfSource sourceOf(int16_t value, bool constant) {
    return constant ? IfSource{true, std::to_string(value), {}}
                    : IfSource{false, {}, formatRegisterField(static_cast<uint16_t>(value))};
}

std::string actionText(const char* word, uint16_t destination, int16_t source1, bool constant1, int operatorCode,
                       int16_t source2, bool constant2) {
    if (destination == 0) return {};
    std::string text =
        std::string(word) + " " + formatRegisterField(destination) + " = " + operandText(source1, constant1) + " ";
    const std::string op = arithmeticOperatorText(operatorCode);
    if (!op.empty()) text += op + " " + operandText(source2, constant2);
    return text;
}

FieldMessage errorMessage(const char* text) {
    return FieldMessage{text, "Error", MessageIcon::Exclamation, FieldMessage::Sound::Simple};
}

FieldMessage listMessage(std::string text, const char* caption, MessageIcon icon) {
    return FieldMessage{std::move(text), caption, icon, FieldMessage::Sound::None};
}

FieldMessage noSpace() { return listMessage("There is no more space available", "Problem", MessageIcon::Stop); }

// The value of a field as the block keeps it, or the refusal of its edit.
using Reading = FieldCheck<int16_t>;

Reading readConstant(const std::string& text) {
    const int32_t value = readLeadingInteger(text);
    if (value < kEngineeringMin || value > kEngineeringMax)
        return Reading::refuse(errorMessage("Value out of limits -9999 to +9999"));
    return Reading::accept(static_cast<int16_t>(value));
}

Reading readRegister(const std::string& text) {
    const FieldCheck<uint16_t> code = parseRegisterField(registerTextUpperCase(text), RegisterLetters::ABCD);
    if (!code) return Reading::refuse(code.message());
    return Reading::accept(static_cast<int16_t>(*code));
}

// A destination: a register of A, B or D, or none.
Reading readDestination(const std::string& text) {
    Reading read = readRegister(text);
    if (read && *read != 0 && RegisterRef(static_cast<uint16_t>(*read)).letter() == kCRegisterLetter)
        return Reading::refuse(errorMessage("Must be A,B or D register"));
    return read;
}

Reading readSource(const IfSource& source) {
    return source.constant ? readConstant(source.constantText) : readRegister(source.registerText);
}

// The lines in the selection that name a slot, in order, each once.
IfSelection validLines(const IfSelection& selection) {
    IfSelection lines;
    for (int line : selection)
        if (line >= 0 && line <= kLastSlot) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

// Where Insert and Paste put a block: the selected line, or after the last.
int insertPosition(const ConfigDatabase& db, const IfSelection& selection) {
    const int count = std::clamp(db.ifBlockCount, 0, kLastSlot);
    if (selection.empty()) return count;
    return std::clamp(selection.front(), 0, count);
}

// Slots p..88 move up one; slot 89 (free, as fewer than 90 are in use) drops out.
void openSlot(ConfigDatabase& db, int position, const TIfconf& block) {
    std::move_backward(db.ifBlocks.begin() + position, db.ifBlocks.end() - 1, db.ifBlocks.end());
    db.ifBlocks[static_cast<std::size_t>(position)] = block;
}

}  // namespace

int conditionListIndex(int code) {
    const int masked = code & kIfConditionMask;
    return masked < kConditionOperatorCount ? masked : kEqualsCode;
}

std::string conditionOperatorText(int code) {
    return kConditionTexts[static_cast<std::size_t>(conditionListIndex(code))];
}

std::string arithmeticOperatorText(int code) { return kArithmeticTexts[static_cast<std::size_t>(code & 7)]; }

std::string ifConditionText(const TIfconf& block) {
    return "IF " + formatRegisterField(block.ifOperand1) + " " + conditionOperatorText(block.flags) + " " +
           operandText(block.ifOperand2, has(block.flags, kIfOperand2Constant));
}

std::string ifThenText(const TIfconf& block) {
    return actionText("THEN", block.thenOperand1, block.thenOperand2, has(block.flags, kIfThen2Constant),
                      thenOperatorCode(block.flags), block.thenOperand3, has(block.flags, kIfThen3Constant));
}

std::string ifElseText(const TIfconf& block) {
    return actionText("ELSE", block.elseOperand1, block.elseOperand2, has(block.flags, kIfElse2Constant),
                      elseOperatorCode(block.flags), block.elseOperand3, has(block.flags, kIfElse3Constant));
}

bool isIfBlockEnabled(const TIfconf& block) { return has(block.flags, kEnabledFlag); }

IfBlockPage loadIfBlock(const ConfigDatabase& db, int index) {
    const TIfconf& b = db.ifBlocks[static_cast<std::size_t>(std::clamp(index, 0, kLastSlot))];
    return IfBlockPage{
        .comment = commentText(b.comment),
        .enabled = isIfBlockEnabled(b),
        .ifRegister = formatRegisterField(b.ifOperand1),
        .condition = b.flags & kIfConditionMask,
        .ifOperand = sourceOf(b.ifOperand2, has(b.flags, kIfOperand2Constant)),
        .thenDestination = formatRegisterField(b.thenOperand1),
        .thenSource1 = sourceOf(b.thenOperand2, has(b.flags, kIfThen2Constant)),
        .thenOperator = thenOperatorCode(b.flags),
        .thenSource2 = sourceOf(b.thenOperand3, has(b.flags, kIfThen3Constant)),
        .elseDestination = formatRegisterField(b.elseOperand1),
        .elseSource1 = sourceOf(b.elseOperand2, has(b.flags, kIfElse2Constant)),
        .elseOperator = elseOperatorCode(b.flags),
        .elseSource2 = sourceOf(b.elseOperand3, has(b.flags, kIfElse3Constant)),
    };
}

StoreResult<IfField> storeIfBlock(ConfigDatabase& db, int index, const IfBlockPage& page) {
    TIfconf& block = db.ifBlocks[static_cast<std::size_t>(std::clamp(index, 0, kLastSlot))];
    const TIfconf before = block;
    // The comment first: it stays stored when an entry below is refused.
    block.comment = commentFromText(page.comment);
    const auto refuse = [&](IfField field, const FieldMessage& message) {
        if (block != before) db.markModified();
        return StoreResult<IfField>::refuse(0, field, message);
    };
    const auto sourceField = [](const IfSource& s, IfField constant, IfField reg) {
        return s.constant ? constant : reg;
    };

    uint16_t flags = page.enabled ? kEnabledFlag : 0;
    TIfconf built = block;

    Reading read = readRegister(page.ifRegister);
    if (!read) return refuse(IfField::IfRegister, read.message());
    if (*read == 0) return refuse(IfField::IfRegister, errorMessage("Must have an IF operator"));
    built.ifOperand1 = static_cast<uint16_t>(*read);

    read = readSource(page.ifOperand);
    if (!read)
        return refuse(sourceField(page.ifOperand, IfField::IfConstant, IfField::IfOperandRegister), read.message());
    built.ifOperand2 = *read;
    if (page.ifOperand.constant) flags |= kIfOperand2Constant;

    // The THEN and ELSE actions: what the page gives, the fields a refusal
    // names, their flag bits and operator shift, and the operands they fill.
    struct Action {
        const std::string& destination;
        const IfSource& source1;
        int op;
        const IfSource& source2;
        IfField destinationField;
        IfField constant1;
        IfField register1;
        IfField constant2;
        IfField register2;
        uint16_t constant1Bit;
        uint16_t constant2Bit;
        int shift;
        uint16_t& out1;
        int16_t& out2;
        int16_t& out3;
    };
    const std::array<Action, 2> actions{{
        {
            .destination = page.thenDestination,
            .source1 = page.thenSource1,
            .op = page.thenOperator & 7,
            .source2 = page.thenSource2,
            .destinationField = IfField::ThenDestination,
            .constant1 = IfField::ThenSource1Constant,
            .register1 = IfField::ThenSource1Register,
            .constant2 = IfField::ThenSource2Constant,
            .register2 = IfField::ThenSource2Register,
            .constant1Bit = kIfThen2Constant,
            .constant2Bit = kIfThen3Constant,
            .shift = kThenOperatorShift,
            .out1 = built.thenOperand1,
            .out2 = built.thenOperand2,
            .out3 = built.thenOperand3,
        },
        {
            .destination = page.elseDestination,
            .source1 = page.elseSource1,
            .op = page.elseOperator & 7,
            .source2 = page.elseSource2,
            .destinationField = IfField::ElseDestination,
            .constant1 = IfField::ElseSource1Constant,
            .register1 = IfField::ElseSource1Register,
            .constant2 = IfField::ElseSource2Constant,
            .register2 = IfField::ElseSource2Register,
            .constant1Bit = kIfElse2Constant,
            .constant2Bit = kIfElse3Constant,
            .shift = kElseOperatorShift,
            .out1 = built.elseOperand1,
            .out2 = built.elseOperand2,
            .out3 = built.elseOperand3,
        },
    }};
    for (const Action& a : actions) {
        read = readDestination(a.destination);
        if (!read) return refuse(a.destinationField, read.message());
        a.out1 = static_cast<uint16_t>(*read);
        read = readSource(a.source1);
        if (!read) return refuse(sourceField(a.source1, a.constant1, a.register1), read.message());
        a.out2 = *read;
        if (a.source1.constant) flags |= a.constant1Bit;
        if (a.op == 0) {
            a.out3 = 0;
            flags |= a.constant2Bit;
        } else {
            read = readSource(a.source2);
            if (!read) return refuse(sourceField(a.source2, a.constant2, a.register2), read.message());
            a.out3 = *read;
            if (a.source2.constant) flags |= a.constant2Bit;
        }
        flags |= static_cast<uint16_t>(a.op << a.shift);
    }
    built.flags = static_cast<uint16_t>(flags | (page.condition & kIfConditionMask));
    block = built;
    db.markModified();
    return StoreResult<IfField>::accept();
}

void compactIfBlocks(ConfigDatabase& db) {
    std::stable_partition(db.ifBlocks.begin(), db.ifBlocks.end(), [](const TIfconf& b) { return b.inUse(); });
    db.recountIfBlocks();
}

std::vector<IfLine> ifLines(const ConfigDatabase& db) {
    std::vector<IfLine> lines;
    for (int i = 0; i <= kLastSlot && db.ifBlocks[static_cast<std::size_t>(i)].inUse(); ++i) {
        const TIfconf& b = db.ifBlocks[static_cast<std::size_t>(i)];
        lines.push_back(
            {isIfBlockEnabled(b), ifConditionText(b), ifThenText(b), ifElseText(b), commentText(b.comment)});
    }
    return lines;
}

IfListCheck editPosition(const IfSelection& selection) {
    const IfSelection lines = validLines(selection);
    if (lines.empty())
        return IfListCheck::refuse(listMessage("Nothing selected.\nSelect a line and then press the EDIT button",
                                               "Information", MessageIcon::Information));
    return IfListCheck::accept(lines.front());
}

IfListCheck insertBlankIfBlock(ConfigDatabase& db, const IfSelection& selection) {
    if (db.ifBlockCount >= kIfBlockCount) return IfListCheck::refuse(noSpace());
    const IfSelection lines = validLines(selection);
    if (lines.size() >= 2)
        return IfListCheck::refuse(listMessage("Cannot do multiple insert", "Problem", MessageIcon::Stop));
    const int position = insertPosition(db, lines);
    openSlot(db, position, TIfconf{});
    return IfListCheck::accept(position);
}

void keepInsertedIfBlock(ConfigDatabase& db) { db.recountIfBlocks(); }

void dropInsertedIfBlock(ConfigDatabase& db, int position, const IfBlockSnapshot& beforeInsert) {
    const int p = std::clamp(position, 0, kLastSlot);
    std::move(db.ifBlocks.begin() + p + 1, db.ifBlocks.end(), db.ifBlocks.begin() + p);
    db.ifBlocks[kLastSlot] = TIfconf{};
    db.recountIfBlocks();
    beforeInsert.restoreModified(db);
}

IfListCheck checkManySelection(const IfSelection& selection, const std::string& buttonWord) {
    const IfSelection lines = validLines(selection);
    if (lines.empty())
        return IfListCheck::refuse(
            listMessage("Nothing selected.\nSelect one or more lines and then press the " + buttonWord + " button",
                        "Information", MessageIcon::Information));
    if (selection.size() > static_cast<std::size_t>(kIfBlockCount))
        return IfListCheck::refuse(listMessage("Too many items selected", "Information", MessageIcon::Stop));
    return IfListCheck::accept(lines.front());
}

void deleteIfBlocks(ConfigDatabase& db, const IfSelection& selection) {
    const IfSelection lines = validLines(selection);
    if (lines.empty()) return;
    for (int line : lines) {
        TIfconf& b = db.ifBlocks[static_cast<std::size_t>(line)];
        b.flags = 0;
        b.ifOperand1 = 0;
    }
    db.markModified();
    compactIfBlocks(db);
}

void setIfBlocksEnabled(ConfigDatabase& db, const IfSelection& selection, bool enabled) {
    const IfSelection lines = validLines(selection);
    if (lines.empty()) return;
    for (int line : lines) {
        uint16_t& flags = db.ifBlocks[static_cast<std::size_t>(line)].flags;
        flags = static_cast<uint16_t>(enabled ? flags | kEnabledFlag : flags & ~kEnabledFlag);
    }
    db.markModified();
}

TIfconf copyIfBlock(const ConfigDatabase& db, const IfSelection& selection) {
    const IfSelection lines = validLines(selection);
    return lines.empty() ? TIfconf{} : db.ifBlocks[static_cast<std::size_t>(lines.front())];
}

IfListCheck pasteIfBlock(ConfigDatabase& db, const IfSelection& selection, const TIfconf& clipboard) {
    if (!clipboard.inUse()) return IfListCheck::refuse(FieldMessage{});
    if (db.ifBlockCount >= kIfBlockCount) return IfListCheck::refuse(noSpace());
    const IfSelection lines = validLines(selection);
    if (lines.size() >= 2)
        return IfListCheck::refuse(listMessage("Cannot do multiple paste", "Problem", MessageIcon::Stop));
    const int position = insertPosition(db, lines);
    openSlot(db, position, clipboard);
    db.recountIfBlocks();
    db.markModified();
    return IfListCheck::accept(position);
}

}  // namespace zat
