// A sectioned key/value text file ("private-profile" file) held as a document:
// parsed once, read by section and key, updated in place, written back whole.
//
// Reading: section and key names match without regard to (ASCII) case; blanks
// around keys and values are ignored; of duplicate sections or keys the first
// wins. Lines may end in CR LF or LF alone; a leading UTF-8 byte-order mark is
// skipped.
// Updating: a key that exists gets its new value where it stands, a missing
// key goes after the last entry of its section, a missing section at the end
// of the file. Every line that is not updated is kept byte for byte; new and
// updated lines end in CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zat {

class ProfileDocument {
public:
    ProfileDocument();
    ~ProfileDocument();
    ProfileDocument(ProfileDocument&&) noexcept;
    ProfileDocument& operator=(ProfileDocument&&) noexcept;
    ProfileDocument(const ProfileDocument&);
    ProfileDocument& operator=(const ProfileDocument&);

    // Any bytes at all are accepted, up to 4 GiB (offsets are 32 bits; more
    // throws std::length_error); what is not a section or a key line is kept
    // as it stands and never matches a lookup.
    static ProfileDocument parse(std::string_view bytes);
    // The same, taking over the bytes instead of copying them.
    static ProfileDocument parseOwned(std::string bytes);

    // The value of a key with the blanks around it removed, or nothing when
    // the section or the key is missing. The view stays valid until the
    // document is next changed.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // Reads a key as text into a buffer of bufferSize bytes: at most
    // bufferSize - 1 bytes of the value (or of the default) are returned.
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue,
                           std::size_t bufferSize) const;

    // Reads a key as an integer: an optional minus sign and decimal digits,
    // stopping at the first other character, no digits reading as 0; the
    // value wraps to 32 bits. A missing key, or one with an empty value,
    // gives the default.
    int32_t readInt(std::string_view section, std::string_view key, int32_t defaultValue) const;

    // Sets a key, creating its section and itself as needed. Carriage
    // returns, line feeds and NULs in the value become blanks so that a
    // value can never break the line structure. The names of new lines get
    // the same treatment, as do the few bytes that would make a new line
    // read back as something else: ']' in a section name, '=' in a key, and
    // a key starting with '[', ';' or '#'.
    void write(std::string_view section, std::string_view key, std::string_view value);

    bool hasSection(std::string_view section) const;

    // The whole document as file bytes.
    std::string serialize() const;

private:
    // A record is one header or key line, or a run of the other lines between
    // them, as it stands in the file: a range of source_, or once rewritten a
    // range of added_. Runs keep blank lines and comments out of the records,
    // so a file costs little more than its bytes whatever its lines are.
    // Positions are 32-bit indices rather than pointers so that a copied
    // document is valid as it stands; names and values are found again in
    // the text when asked for, which only a matching hash needs.
    enum class Kind : std::uint8_t {
        Other,    // blank lines and comments
        Content,  // lines of other text, the last of them ending the record
        Header,
        Key,
    };
    struct Line {
        std::uint32_t begin = 0;     // in source_, or in added_ when rewritten
        std::uint32_t length = 0;    // including the line ending
        std::uint32_t nameHash = 0;  // headers and keys, case-blind, so a scan rarely compares text
        Kind kind = Kind::Other;
        bool rewritten = false;
    };
    // A section is its header and the records after it up to the next header.
    // New keys always go right after the last entry, so they form one block
    // (addedBlocks_[added]) after lines_[anchor]; the file's own lines never move.
    static constexpr std::uint32_t kNoBlock = UINT32_MAX;
    struct Section {
        std::uint32_t header = 0;  // index in lines_
        std::uint32_t end = 0;     // one past its last record in lines_
        std::uint32_t anchor = 0;  // its last entry, or the header
        std::uint32_t added = kNoBlock;
    };
    struct Parts {
        Kind kind = Kind::Other;
        std::string_view name;   // section name or key
        std::string_view value;  // of a key
    };

    static Parts split(std::string_view content);
    static std::string_view contentOf(std::string_view text);
    void adopt(std::string&& bytes);
    void pushRecord(Kind kind, std::size_t begin, std::size_t end, std::uint32_t hash);
    std::string_view lineText(const Line& line) const;
    std::string_view lineName(const Line& line) const;
    const Section* findSection(std::string_view name) const;
    const Line* findKey(const Section& section, std::string_view key) const;
    std::vector<Line>& addedTo(Section& section);
    void store(Line& line, std::string_view text);
    void storeKeyLine(Line& line, std::string_view key, std::string_view value);
    void compact();
    Line* lastLine();
    void terminate(Line& line);
    void indexSection(std::uint32_t section);
    void growIndex();
    std::size_t slotOf(std::uint32_t hash) const;

    std::string source_;
    std::uint32_t bomLength_ = 0;
    std::vector<Line> lines_;  // the file's records in order, then appended sections
    std::vector<Section> sections_;
    std::vector<std::vector<Line>> addedBlocks_;  // new keys, one block per section that has any
    std::string added_;                           // text of rewritten and new lines, appended
    std::size_t deadBytes_ = 0;                   // of added_, replaced since
    std::string scratch_;                         // a new line is built here, to save allocations
    // Sections by name, first occurrence only: open addressing over section
    // index + 1 (0 is a free slot), probed from the header's name hash.
    std::vector<std::uint32_t> index_;
    std::size_t indexed_ = 0;
    unsigned indexBits_ = 0;  // index_ has 2^indexBits_ slots
};

// Parses the integer text the way readInt does (exposed for the tests and for
// other readers of numbers in the same files).
int32_t parseProfileInt(std::string_view text);

// The leading number of a value read as ProfileDocument::readInt reads it
// (blanks, a sign, decimal digits up to the first other character; no digits
// read 0), or nothing when that number lies outside lowest..highest. readInt
// wraps instead, so a 16-bit field would take 99999999999999 as 16383.
[[nodiscard]] std::optional<std::int32_t> parseProfileIntWithin(std::string_view text, std::int32_t lowest,
                                                                std::int32_t highest);

}  // namespace zat
