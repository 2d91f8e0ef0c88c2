#include "comms/config_transfer.h"

#include "comms/transfer_map.h"

namespace zat {
namespace {

enum class Direction { Export, Import };

constexpr int kNoIndex = -1;

// Moves words one exchange each until the first failure; after that it
// moves nothing more. A step follows every word moved.
class WordMover {
public:
    // `probe`: the opening probe's outcome; a failed one moves nothing.
    // `only`: when given, the words outside it are passed over.
    WordMover(UnitProtocol& protocol, Direction direction, ProgressSession& progress, Outcome probe,
              const FieldSelection* only)
        : protocol_(protocol), direction_(direction), progress_(progress), outcome_(probe), only_(only) {}

    // The record whose words follow.
    void at(TransferGroups group, int record) {
        group_ = group;
        record_ = record;
    }
    // Whether any word of the current record is to be moved.
    bool wanted() const { return only_ == nullptr || only_->anyOf(group_, record_); }

    Outcome outcome() const { return outcome_; }
    bool failed() const { return outcome_ == Outcome::Failed; }

    // True when the word was moved.
    bool move(const WireWord& w, int index, bool step = true) {
        if (failed()) return false;
        if (only_ != nullptr && !only_->contains(FieldRef{group_, record_, w.letter, index})) return false;
        outcome_ = direction_ == Direction::Export ? send(w, index) : receive(w, index);
        // Chosen fields each count, a profile's link too.
        if (!failed() && (step || only_ != nullptr)) progress_.step();
        return !failed();
    }

    // A selection (hot/cold block, profile) is written in both directions.
    void select(char letter, WireForm form, int value) {
        if (failed()) return;
        outcome_ = form == WireForm::Hex ? protocol_.writeHex(letter, static_cast<std::uint16_t>(value))
                                         : protocol_.writeDecimal(letter, static_cast<std::int16_t>(value));
    }

private:
    Outcome send(const WireWord& w, int index) {
        const std::uint16_t value = w.bytesSwapped ? swapBytes(*w.word) : *w.word;
        const auto signedValue = static_cast<std::int16_t>(value);
        if (w.form == WireForm::Hex)
            return index == kNoIndex ? protocol_.writeHex(w.letter, value)
                                     : protocol_.writeHexIndexed(w.letter, index, value);
        return index == kNoIndex ? protocol_.writeDecimal(w.letter, signedValue)
                                 : protocol_.writeDecimalIndexed(w.letter, index, signedValue);
    }

    Outcome receive(const WireWord& w, int index) {
        std::uint16_t value = 0;
        Outcome result;
        if (w.form == WireForm::Hex) {
            result = index == kNoIndex ? protocol_.readHex(w.letter, value)
                                       : protocol_.readHexIndexed(w.letter, index, value);
        } else {
            std::int16_t signedValue = 0;
            result = index == kNoIndex ? protocol_.readDecimal(w.letter, signedValue)
                                       : protocol_.readDecimalIndexed(w.letter, index, signedValue);
            value = static_cast<std::uint16_t>(signedValue);
        }
        if (succeeded(result)) *w.word = w.bytesSwapped ? swapBytes(value) : value;
        return result;
    }

    UnitProtocol& protocol_;
    Direction direction_;
    ProgressSession& progress_;
    Outcome outcome_;
    const FieldSelection* only_;
    TransferGroups group_ = 0;
    int record_ = 0;
};

bool chosen(TransferGroups groups, TransferGroups group) { return (groups & group) != 0; }

template <typename Words>
void moveAll(WordMover& mover, const Words& words, int index) {
    for (const WireWord& w : words) mover.move(w, index);
}

// The words of one record whose index is its number.
template <typename Words>
void moveRecord(WordMover& mover, TransferGroups group, int record, const Words& words) {
    mover.at(group, record);
    moveAll(mover, words, record);
}

void moveHotColdBlock(WordMover& mover, HotColdBlock& block, int number) {
    mover.at(kTransferHotColdBlocks, number);
    if (!mover.wanted()) return;
    mover.select(kHotColdSelect, WireForm::Hex, number);
    moveAll(mover, hotColdBlockWords(block), kNoIndex);
    for (int k = 0; k < kHotColdListWords; ++k) mover.move(hotColdListWord(block, k), k);
}

void moveProfile(WordMover& mover, TProfile& profile, int number) {
    mover.at(kTransferProfiles, number);
    if (!mover.wanted()) return;
    mover.select(kProfileSelect, WireForm::Decimal, number);
    for (int s = 0; s < kProfileSegmentCount; ++s) moveAll(mover, profileSegmentWords(profile, s), s);
    mover.move(profileLinkWord(profile), kNoIndex, false);
}

// The progress messages of each group, in each direction.
struct GroupMessages {
    const char* analogInputs;
    const char* analogOutputs;
    const char* hotColdBlocks;
    const char* ifBlocks;
    const char* controllers;
    const char* profilers;
    const char* profiles;
};

constexpr GroupMessages kExportMessages{
    "Exporting analog input setup", "Exporting analog output setup", "Exporting hot/cold blocks", "Exporting IF blocks",
    "Exporting PID blocks",         "Exporting Profilers",           "Exporting Profiles"};
constexpr GroupMessages kImportMessages{
    "Importing analog input setup", "Importing analog output setup", "Importing hot/cold blocks", "Importing IF blocks",
    "Importing PID blocks",         "Importing Profiler blocks",     "Importing Profiles"};

// Moves the chosen groups, or with `only` just those fields (and the groups
// that hold them).
Outcome transfer(ConfigDatabase& db, TransferGroups groups, UnitProtocol& protocol, Progress& progress,
                 Direction direction, const FieldSelection* only = nullptr) {
    const bool exporting = direction == Direction::Export;
    const GroupMessages& say = exporting ? kExportMessages : kImportMessages;
    if (only != nullptr) groups = only->groups();
    ProgressSession session(progress, only != nullptr ? static_cast<int>(only->size()) : transferSteps(groups));
    WordMover mover(protocol, direction, session, protocol.checkUnit(false), only);
    // Page selections are sent even after a failure; their results are not used.
    (void)protocol.selectPage(kConfigPage);

    if (chosen(groups, kTransferAnalogInputs)) {
        progress.setMessage(say.analogInputs);
        for (int c = 0; c < kAnalogInputCount; ++c)
            moveRecord(mover, kTransferAnalogInputs, c, analogInputWords(db.analogInputs[c]));
    }
    if (chosen(groups, kTransferAnalogOutputs)) {
        progress.setMessage(say.analogOutputs);
        for (int o = 0; o < kAnalogOutputCount; ++o)
            moveRecord(mover, kTransferAnalogOutputs, o, analogOutputWords(db.analogOutputs[o]));
    }
    if (chosen(groups, kTransferHotColdBlocks)) {
        progress.setMessage(say.hotColdBlocks);
        for (int b = 0; b < kHotColdBlockCount; ++b) moveHotColdBlock(mover, db.hotColdBlocks[b], b);
    }
    if (chosen(groups, kTransferIfBlocks) && (exporting || !mover.failed())) {
        progress.setMessage(say.ifBlocks);
        if (!exporting) db.ifBlockCount = 0;
        for (int n = 0; n < kIfBlockCount; ++n) {
            TIfconf& block = db.ifBlocks[n];
            mover.at(kTransferIfBlocks, n);
            for (const WireWord& w : exporting ? ifBlockExportWords(block) : ifBlockImportWords(block)) {
                const bool moved = mover.move(w, n);
                if (!exporting && moved && w.letter == kIfOperand1Item && block.inUse()) ++db.ifBlockCount;
            }
        }
        // The blocks an import did not reach (or was not asked to) keep their
        // old contents: count them too.
        if (!exporting && (mover.failed() || only != nullptr)) db.recountIfBlocks();
    }
    if (chosen(groups, kTransferControllers)) {
        progress.setMessage(say.controllers);
        (void)protocol.selectPage(kControlPage);
        for (int k = 0; k < kControllerCount; ++k)
            moveRecord(mover, kTransferControllers, k, controllerWords(db.controllers[k]));
    }
    if (chosen(groups, kTransferProfilers)) {
        progress.setMessage(say.profilers);
        (void)protocol.selectPage(kControlPage);
        for (int p = 0; p < kProfilerCount; ++p)
            moveRecord(mover, kTransferProfilers, p, profilerWords(db.profilers[p]));
    }
    if (chosen(groups, kTransferProfiles)) {
        progress.setMessage(say.profiles);
        // Profiles use upper-case letters, which no page affects; only the
        // export selects one.
        if (exporting) (void)protocol.selectPage(kConfigPage);
        for (int q = 0; q < kProfileCount; ++q) moveProfile(mover, db.profiles[q], q);
    }
    // The unit takes up a new configuration with "I", whatever came before;
    // its own result is not used either.
    if (exporting) (void)protocol.sendCommand(kInitialiseCommand);
    return mover.outcome();
}

}  // namespace

Outcome exportConfiguration(const ConfigDatabase& db, TransferGroups groups, UnitProtocol& protocol,
                            Progress& progress) {
    // The map points at fields it fills on import, so export works on a copy.
    ConfigDatabase records = db;
    return transfer(records, groups, protocol, progress, Direction::Export);
}

Outcome importConfiguration(ConfigDatabase& db, TransferGroups groups, UnitProtocol& protocol, Progress& progress) {
    return transfer(db, groups, protocol, progress, Direction::Import);
}

Outcome exportFields(const ConfigDatabase& db, const FieldSelection& fields, UnitProtocol& protocol,
                     Progress& progress) {
    ConfigDatabase records = db;
    return transfer(records, 0, protocol, progress, Direction::Export, &fields);
}

Outcome importFields(ConfigDatabase& db, const FieldSelection& fields, UnitProtocol& protocol, Progress& progress) {
    return transfer(db, 0, protocol, progress, Direction::Import, &fields);
}

}  // namespace zat
