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
#include <unordered_map>
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

    // Any bytes at all are accepted; what is not a section or a key line is
    // kept as it stands and never matches a lookup.
    static ProfileDocument parse(std::string_view bytes);

    // The value of a key with the blanks around it removed, or nothing when
    // the section or the key is missing. The view stays valid until the
    // document is next changed.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // Reads a key as text into a buffer of bufferSize bytes: at most
    // bufferSize - 1 bytes of the value (or of the default) are returned.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue, std::size_t bufferSize) const;

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
    // A line as it stands in the file: a range of source_, or once rewritten
    // a range of added_. Positions are indices and offsets rather than
    // pointers so that a copied document is valid as it stands.
    enum class Kind : std::uint8_t { Other, Content, Header, Key };
    struct Line {
        std::size_t begin = 0;   // in source_, or in added_ when rewritten
        std::size_t length = 0;  // including the line ending
        // Section name or key, and value, relative to the start of the line.
        std::uint32_t nameBegin = 0;
        std::uint32_t nameLength = 0;
        std::uint32_t valueBegin = 0;
        std::uint32_t valueLength = 0;
        std::uint32_t nameHash = 0;  // case-blind, so a key scan rarely compares text
        Kind kind = Kind::Other;
        bool rewritten = false;
    };
    // A section is its header and the lines after it up to the next header.
    // New keys always go right after the last entry, so they form one block
    // (added) after lines_[anchor]; the file's own lines never move.
    struct Section {
        std::size_t header = 0;  // index in lines_
        std::size_t end = 0;     // one past its last line in lines_
        std::size_t anchor = 0;  // its last entry, or the header
        std::vector<Line> added;
    };
    // Case-blind hashing and comparison, so lookups need no lower-case copy.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const noexcept;
    };
    struct NameEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const noexcept;
    };

    static void classify(std::string_view content, Line& line);
    std::string_view lineText(const Line& line) const;
    std::string_view lineName(const Line& line) const;
    const Section* findSection(std::string_view name) const;
    const Line* findKey(const Section& section, std::string_view key) const;
    void store(Line& line, std::string_view text);
    void storeKeyLine(Line& line, std::string_view key, std::string_view value);
    void compact();
    Line* lastLine();
    void terminate(Line& line);
    void indexSection(std::size_t section);

    std::string source_;
    std::size_t bomLength_ = 0;
    std::vector<Line> lines_;  // the file's lines in order, then appended sections
    std::vector<Section> sections_;
    std::string added_;             // text of rewritten and new lines, appended
    std::size_t deadBytes_ = 0;     // of added_, replaced since
    std::string scratch_;           // a new line is built here, to save allocations
    std::unordered_map<std::string, std::size_t, NameHash, NameEqual> index_;  // first occurrence
};

// Parses the integer text the way readInt does (exposed for the tests and for
// other readers of numbers in the same files).
int32_t parseProfileInt(std::string_view text);

}  // namespace zat
