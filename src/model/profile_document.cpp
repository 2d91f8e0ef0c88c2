#include "model/profile_document.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace zat {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first])) ++first;
    std::size_t last = text.size();
    while (last > first && isBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// Names are compared and hashed eight bytes at a time; every lookup goes
// through here, and a database is read and written key by key.
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

std::uint64_t load8(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

std::uint32_t load4(const char* p) {
    std::uint32_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// The bytes of a text shorter than eight in one word: loads that overlap
// where needed, so that together they cover every byte.
std::uint64_t loadShort(const char* p, std::size_t n) {
    if (n >= 4) return load4(p) | (std::uint64_t{load4(p + n - 4)} << 32);
    if (n == 0) return 0;
    const auto byte = [p](std::size_t i) { return std::uint64_t{static_cast<unsigned char>(p[i])}; };
    return byte(0) | (byte(n / 2) << 8) | (byte(n - 1) << 16);
}

// Lower-cases the ASCII capitals in each byte of a word. ASCII only: the files
// are in a single-byte code page, and a locale-aware fold would make names
// match differently on different machines.
std::uint64_t foldWord(std::uint64_t word) {
    const std::uint64_t low7 = word & ~kHighBits;
    const std::uint64_t atLeastA = low7 + kOnes * (0x80 - 'A');  // no carry: bytes stay below 0x100
    const std::uint64_t aboveZ = low7 + kOnes * (0x80 - 'Z' - 1);
    const std::uint64_t capitals = atLeastA & ~aboveZ & ~word & kHighBits;
    return word | (capitals >> 2);  // 0x80 >> 2 is the 0x20 case bit
}

// Texts of equal length only.
bool sameFolded(const char* a, const char* b, std::size_t n) {
    if (n < 8) return foldWord(loadShort(a, n)) == foldWord(loadShort(b, n));
    for (std::size_t i = 0; i + 8 < n; i += 8) {
        if (foldWord(load8(a + i)) != foldWord(load8(b + i))) return false;
    }
    return foldWord(load8(a + n - 8)) == foldWord(load8(b + n - 8));  // the last eight, overlapping
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && sameFolded(a.data(), b.data(), a.size());
}

std::uint32_t hashNoCase(std::string_view text) {
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    const char* p = text.data();
    const std::size_t n = text.size();
    std::uint64_t h = (n + 1) * kMultiplier;
    auto mix = [&h](std::uint64_t word) {
        h = (h ^ foldWord(word)) * kMultiplier;
        h ^= h >> 29;
    };
    if (n < 8) {
        mix(loadShort(p, n));
    } else {
        for (std::size_t i = 0; i + 8 < n; i += 8) mix(load8(p + i));
        mix(load8(p + n - 8));
    }
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

bool isLineBreak(char c) { return c == '\r' || c == '\n' || c == '\0'; }

// Appends text with its line breaks and NULs made blanks, so that a written
// value stays on its own line.
void appendClean(std::string& out, std::string_view text) {
    const std::size_t from = out.size();
    out.append(text);
    for (std::size_t i = from; i < out.size(); ++i) {
        if (isLineBreak(out[i])) out[i] = ' ';
    }
}

// A name given to a new line must read back as itself and leave the lines
// around it alone: the bytes that would not (line breaks and NULs, a ']' in a
// section name, a '=' in a key, a key that would read as a header or a
// comment) become blanks like line breaks in values. Names are trimmed.
bool isOddNameByte(char c, bool key) { return isLineBreak(c) || c == (key ? '=' : ']'); }

bool startsLikeOtherLine(std::string_view key) {
    return !key.empty() && (key.front() == '[' || key.front() == ';' || key.front() == '#');
}

bool isOddName(std::string_view name, bool key) {
    for (char c : name) {
        if (isOddNameByte(c, key)) return true;
    }
    return key && startsLikeOtherLine(name);
}

std::string cleanName(std::string_view name, bool key) {
    std::string out(name);
    for (char& c : out) {
        if (isOddNameByte(c, key)) c = ' ';
    }
    std::string_view clean = trimBlanks(out);
    while (key && startsLikeOtherLine(clean)) clean = trimBlanks(clean.substr(1));
    return std::string(clean);
}

}  // namespace

ProfileDocument::ProfileDocument() = default;
ProfileDocument::~ProfileDocument() = default;
ProfileDocument::ProfileDocument(ProfileDocument&&) noexcept = default;
ProfileDocument& ProfileDocument::operator=(ProfileDocument&&) noexcept = default;
ProfileDocument::ProfileDocument(const ProfileDocument&) = default;
ProfileDocument& ProfileDocument::operator=(const ProfileDocument&) = default;

// A line without its line ending. A CR right before the LF (or at the very
// end) is part of the line ending; anywhere else it is an ordinary byte.
std::string_view ProfileDocument::contentOf(std::string_view text) {
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    return text;
}

// Sorts a line into header, key, other content or nothing (blank or comment)
// and finds its name and value.
ProfileDocument::Parts ProfileDocument::split(std::string_view content) {
    Parts parts;
    std::size_t i = 0;
    while (i < content.size() && isBlank(content[i])) ++i;
    if (i == content.size()) return parts;
    const char first = content[i];
    if (first == ';' || first == '#') return parts;
    parts.kind = Kind::Content;
    if (first == '[') {
        const std::size_t close = content.find(']', i + 1);
        // "[" without "]" is no header; it is kept as unknown content.
        if (close == std::string_view::npos) return parts;
        parts.name = trimBlanks(content.substr(i + 1, close - i - 1));
        parts.kind = Kind::Header;
        return parts;
    }
    const std::size_t eq = content.find('=', i);
    if (eq == std::string_view::npos) return parts;
    parts.name = trimBlanks(content.substr(i, eq - i));
    parts.value = trimBlanks(content.substr(eq + 1));
    parts.kind = Kind::Key;
    return parts;
}

ProfileDocument ProfileDocument::parse(std::string_view bytes) {
    ProfileDocument doc;
    doc.adopt(std::string(bytes));
    return doc;
}

ProfileDocument ProfileDocument::parseOwned(std::string bytes) {
    ProfileDocument doc;
    doc.adopt(std::move(bytes));
    return doc;
}

void ProfileDocument::adopt(std::string&& bytes) {
    if (bytes.size() > UINT32_MAX) throw std::length_error("profile document of 4 GiB or more");
    source_ = std::move(bytes);
    const std::string_view all = source_;
    if (all.substr(0, kBom.size()) == kBom) bomLength_ = static_cast<std::uint32_t>(kBom.size());

    // Lines that are neither headers nor keys gather into runs: the run's
    // content lines up to the last one form one record (an entry: new keys
    // go after it), the blank lines and comments after them another.
    std::size_t runBegin = bomLength_;
    std::size_t entryEnd = bomLength_;  // end of the run's last content line; runBegin when none
    auto endRun = [&](std::size_t at) {
        if (entryEnd > runBegin) pushRecord(Kind::Content, runBegin, entryEnd, 0);
        const std::size_t otherBegin = std::max(runBegin, entryEnd);
        if (at > otherBegin) pushRecord(Kind::Other, otherBegin, at, 0);
        runBegin = entryEnd = at;
    };
    std::size_t pos = bomLength_;
    while (pos < all.size()) {
        const std::size_t lf = all.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? all.size() : lf + 1;
        const Parts parts = split(contentOf(all.substr(pos, end - pos)));
        if (parts.kind == Kind::Header || parts.kind == Kind::Key) {
            endRun(pos);
            pushRecord(parts.kind, pos, end, hashNoCase(parts.name));
            runBegin = entryEnd = end;
        } else {
            // A last line without its ending is a record of its own, as it
            // is the one that gets an ending when something follows it.
            if (lf == std::string_view::npos) endRun(pos);
            if (parts.kind == Kind::Content) entryEnd = end;
        }
        pos = end;
    }
    endRun(all.size());
    if (!sections_.empty()) sections_.back().end = static_cast<std::uint32_t>(lines_.size());
}

void ProfileDocument::pushRecord(Kind kind, std::size_t begin, std::size_t end, std::uint32_t hash) {
    Line line;
    line.begin = static_cast<std::uint32_t>(begin);
    line.length = static_cast<std::uint32_t>(end - begin);
    line.nameHash = hash;
    line.kind = kind;
    const auto at = static_cast<std::uint32_t>(lines_.size());
    lines_.push_back(line);
    if (kind == Kind::Header) {
        if (!sections_.empty()) sections_.back().end = at;
        Section& section = sections_.emplace_back();
        section.header = section.anchor = at;
        indexSection(static_cast<std::uint32_t>(sections_.size() - 1));
    } else if (!sections_.empty() && (kind == Kind::Key || kind == Kind::Content)) {
        sections_.back().anchor = at;
    }
}

// Open addressing with linear probing; kept at most half full.
void ProfileDocument::indexSection(std::uint32_t section) {
    if ((indexed_ + 1) * 2 > index_.size()) growIndex();
    const Line& header = lines_[sections_[section].header];
    const std::string_view name = lineName(header);
    const std::size_t mask = index_.size() - 1;
    for (std::size_t slot = slotOf(header.nameHash);; slot = (slot + 1) & mask) {
        const std::uint32_t entry = index_[slot];
        if (entry == 0) {
            index_[slot] = section + 1;
            ++indexed_;
            return;
        }
        const Line& other = lines_[sections_[entry - 1].header];
        if (other.nameHash == header.nameHash && equalsNoCase(lineName(other), name)) return;  // the first wins
    }
}

// The top bits of the hash times the golden ratio: names that differ only in
// a digit ("Analog Input 12", "Analog Input 13") land far apart.
std::size_t ProfileDocument::slotOf(std::uint32_t hash) const {
    return static_cast<std::size_t>((hash * std::uint64_t{0x9E3779B97F4A7C15ull}) >> (64 - indexBits_));
}

void ProfileDocument::growIndex() {
    std::vector<std::uint32_t> old(std::max<std::size_t>(16, index_.size() * 2), 0);
    old.swap(index_);
    indexBits_ = static_cast<unsigned>(std::countr_zero(index_.size()));
    const std::size_t mask = index_.size() - 1;
    for (const std::uint32_t entry : old) {
        if (entry == 0) continue;
        std::size_t slot = slotOf(lines_[sections_[entry - 1].header].nameHash);
        while (index_[slot] != 0) slot = (slot + 1) & mask;
        index_[slot] = entry;
    }
}

std::string_view ProfileDocument::lineText(const Line& line) const {
    return std::string_view(line.rewritten ? added_ : source_).substr(line.begin, line.length);
}

// Headers and keys are one line each, so their text is that line. A key's
// name is all before its first "=", which every lookup needs: found directly.
std::string_view ProfileDocument::lineName(const Line& line) const {
    const std::string_view text = lineText(line);
    if (line.kind == Kind::Key) return trimBlanks(text.substr(0, text.find('=')));
    return split(contentOf(text)).name;
}

const ProfileDocument::Section* ProfileDocument::findSection(std::string_view name) const {
    if (index_.empty()) return nullptr;
    name = trimBlanks(name);
    const std::uint32_t hash = hashNoCase(name);
    const std::size_t mask = index_.size() - 1;
    for (std::size_t slot = slotOf(hash);; slot = (slot + 1) & mask) {
        const std::uint32_t entry = index_[slot];
        if (entry == 0) return nullptr;
        const Section& section = sections_[entry - 1];
        const Line& header = lines_[section.header];
        if (header.nameHash == hash && equalsNoCase(lineName(header), name)) return &section;
    }
}

// Scans the section's lines in file order, so the first of duplicate keys wins.
const ProfileDocument::Line* ProfileDocument::findKey(const Section& section, std::string_view key) const {
    key = trimBlanks(key);
    const std::uint32_t hash = hashNoCase(key);
    auto matches = [this, key, hash](const Line& line) {
        return line.kind == Kind::Key && line.nameHash == hash && equalsNoCase(lineName(line), key);
    };
    for (std::size_t i = section.header + 1; i <= section.anchor; ++i) {
        if (matches(lines_[i])) return &lines_[i];
    }
    if (section.added != kNoBlock) {
        for (const Line& line : addedBlocks_[section.added]) {
            if (matches(line)) return &line;
        }
    }
    for (std::size_t i = section.anchor + 1; i < section.end; ++i) {
        if (matches(lines_[i])) return &lines_[i];
    }
    return nullptr;
}

std::vector<ProfileDocument::Line>& ProfileDocument::addedTo(Section& section) {
    if (section.added == kNoBlock) {
        section.added = static_cast<std::uint32_t>(addedBlocks_.size());
        addedBlocks_.emplace_back();
    }
    return addedBlocks_[section.added];
}

std::optional<std::string_view> ProfileDocument::value(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (s == nullptr) return std::nullopt;
    const Line* line = findKey(*s, key);
    if (line == nullptr) return std::nullopt;
    const std::string_view content = contentOf(lineText(*line));
    return trimBlanks(content.substr(content.find('=') + 1));
}

std::string ProfileDocument::readString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                        std::size_t bufferSize) const {
    if (bufferSize == 0) return {};
    const std::string_view text = value(section, key).value_or(defaultValue);
    return std::string(text.substr(0, bufferSize - 1));
}

int32_t ProfileDocument::readInt(std::string_view section, std::string_view key, int32_t defaultValue) const {
    const auto text = value(section, key);
    if (!text || text->empty()) return defaultValue;
    return parseProfileInt(*text);
}

bool ProfileDocument::hasSection(std::string_view section) const { return findSection(section) != nullptr; }

// Gives a line new text (which must not lie in added_), one line at most. The
// old text of a line rewritten before becomes dead; once half of added_ is
// dead it is compacted, so a key written over and over does not grow the
// document without end.
void ProfileDocument::store(Line& line, std::string_view text) {
    if (line.rewritten) {
        deadBytes_ += line.length;
        line.rewritten = false;  // so that compacting drops its old text
    }
    // Before appending: the line may not be in the document yet, where
    // compacting would find it.
    if (deadBytes_ > 4096 && deadBytes_ > added_.size() / 2) compact();
    if (added_.size() + text.size() > UINT32_MAX) throw std::length_error("profile document of 4 GiB or more");
    line.rewritten = true;
    line.begin = static_cast<std::uint32_t>(added_.size());
    line.length = static_cast<std::uint32_t>(text.size());
    added_.append(text);

    const Parts parts = split(contentOf(text));
    line.kind = parts.kind;
    line.nameHash = parts.kind == Kind::Header || parts.kind == Kind::Key ? hashNoCase(parts.name) : 0;
}

void ProfileDocument::compact() {
    std::string live;
    live.reserve(added_.size() - deadBytes_);
    auto keep = [this, &live](Line& line) {
        if (!line.rewritten) return;
        const std::size_t at = live.size();
        live.append(added_, line.begin, line.length);
        line.begin = static_cast<std::uint32_t>(at);
    };
    for (Line& line : lines_) keep(line);
    for (std::vector<Line>& block : addedBlocks_) {
        for (Line& line : block) keep(line);
    }
    added_.swap(live);
    deadBytes_ = 0;
}

ProfileDocument::Line* ProfileDocument::lastLine() {
    if (sections_.empty()) return lines_.empty() ? nullptr : &lines_.back();
    Section& last = sections_.back();
    if (last.anchor + 1 == last.end && last.added != kNoBlock && !addedBlocks_[last.added].empty()) {
        return &addedBlocks_[last.added].back();
    }
    return &lines_[last.end - 1];
}

// Only the last line of a file can lack its line ending (and is then a record
// of its own); it gets one before anything is put after it.
void ProfileDocument::terminate(Line& line) {
    const std::string_view text = lineText(line);
    if (!text.empty() && text.back() == '\n') return;
    scratch_.assign(text);
    scratch_.append(!text.empty() && text.back() == '\r' ? "\n" : "\r\n");
    store(line, scratch_);
}

void ProfileDocument::storeKeyLine(Line& line, std::string_view key, std::string_view value) {
    scratch_.assign(key);
    scratch_ += '=';
    appendClean(scratch_, value);
    scratch_ += "\r\n";
    store(line, scratch_);
}

void ProfileDocument::write(std::string_view section, std::string_view key, std::string_view value) {
    section = trimBlanks(section);
    key = trimBlanks(key);
    // Names are looked up as given first, so a key already in the file under
    // an odd name is still found; new lines get the cleaned names. Cleaning
    // costs a copy, so only names that need it get one.
    const bool oddSection = isOddName(section, false), oddKey = isOddName(key, true);
    const std::string sectionCopy = oddSection ? cleanName(section, false) : std::string();
    const std::string keyCopy = oddKey ? cleanName(key, true) : std::string();
    const std::string_view cleanSection = oddSection ? std::string_view(sectionCopy) : section;
    const std::string_view cleanKey = oddKey ? std::string_view(keyCopy) : key;

    const Section* found = findSection(section);
    if (found == nullptr && oddSection) found = findSection(cleanSection);

    if (found != nullptr) {
        Section& s = sections_[static_cast<std::size_t>(found - sections_.data())];
        const Line* existing = findKey(s, key);
        if (existing == nullptr && oddKey) existing = findKey(s, cleanKey);
        if (existing != nullptr) {
            // The key keeps its spelling from the file.
            Line& line = const_cast<Line&>(*existing);
            storeKeyLine(line, lineName(line), value);
            return;
        }
        std::vector<Line>& block = addedTo(s);
        terminate(block.empty() ? lines_[s.anchor] : block.back());
        Line line;
        storeKeyLine(line, cleanKey, value);
        block.push_back(line);
        return;
    }

    if (Line* last = lastLine()) terminate(*last);
    Section& added = sections_.emplace_back();
    added.header = static_cast<std::uint32_t>(lines_.size());
    added.anchor = added.header + 1;
    added.end = added.header + 2;

    scratch_.assign("[");
    scratch_.append(cleanSection).append("]\r\n");
    Line header;
    store(header, scratch_);
    lines_.push_back(header);

    Line line;
    storeKeyLine(line, cleanKey, value);
    lines_.push_back(line);

    indexSection(static_cast<std::uint32_t>(sections_.size() - 1));
}

std::string ProfileDocument::serialize() const {
    std::size_t total = bomLength_;
    for (const Line& line : lines_) total += line.length;
    for (const std::vector<Line>& block : addedBlocks_) {
        for (const Line& line : block) total += line.length;
    }

    std::string out;
    out.reserve(total);
    out.append(source_, 0, bomLength_);
    auto emit = [this, &out](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) out.append(lineText(lines_[i]));
    };
    emit(0, sections_.empty() ? lines_.size() : sections_.front().header);
    for (const Section& s : sections_) {
        emit(s.header, s.anchor + 1);
        if (s.added != kNoBlock) {
            for (const Line& line : addedBlocks_[s.added]) out.append(lineText(line));
        }
        emit(s.anchor + 1, s.end);
    }
    return out;
}

namespace {

// The sign and the digits of the number a value starts with: blanks, a sign,
// decimal digits up to the first other character (none read as 0).
struct LeadingNumber {
    bool negative = false;
    std::string_view digits;
};

LeadingNumber leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    LeadingNumber number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        number.negative = text[i] == '-';
        ++i;
    }
    std::size_t end = i;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    number.digits = text.substr(i, end - i);
    return number;
}

}  // namespace

int32_t parseProfileInt(std::string_view text) {
    const LeadingNumber number = leadingNumber(text);
    // Unsigned arithmetic wraps by definition, so any run of digits gives the
    // same answer on every build.
    std::uint32_t magnitude = 0;
    for (const char digit : number.digits) magnitude = magnitude * 10u + static_cast<std::uint32_t>(digit - '0');
    if (number.negative) magnitude = 0u - magnitude;
    return static_cast<int32_t>(magnitude);
}

std::optional<std::int32_t> parseProfileIntWithin(std::string_view text, std::int32_t lowest, std::int32_t highest) {
    const LeadingNumber number = leadingNumber(text);
    // Beyond any 32-bit bound the exact size no longer matters, only that
    // it is too large; holding there keeps the sum from overflowing.
    constexpr std::int64_t kBeyond = std::int64_t{1} << 40;
    std::int64_t magnitude = 0;
    for (const char digit : number.digits) magnitude = std::min(kBeyond, magnitude * 10 + (digit - '0'));
    const std::int64_t value = number.negative ? -magnitude : magnitude;
    if (value < lowest || value > highest) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace zat
