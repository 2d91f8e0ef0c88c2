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
    // value can never break the line structure.
    void write(std::string_view section, std::string_view key, std::string_view value);

    bool hasSection(std::string_view section) const;

    // The whole document as file bytes.
    std::string serialize() const;

private:
    // A line as it stands in the file: a range of source_ until it is
    // rewritten, then its own text. Offsets of the key and the value are
    // relative to the start of the line, so copies of the document stay valid.
    enum class Kind : std::uint8_t { Other, Content, Header, Key };
    struct Line {
        std::size_t begin = 0;          // in source_, when not rewritten
        std::size_t length = 0;         // including the line ending
        std::size_t contentLength = 0;  // without the line ending
        std::size_t nameBegin = 0;      // section name or key
        std::size_t nameLength = 0;
        std::size_t valueBegin = 0;
        std::size_t valueLength = 0;
        Kind kind = Kind::Other;
        bool rewritten = false;
        std::string text;               // when rewritten
    };
    struct Section {
        Line header;
        std::vector<Line> lines;
        std::size_t insertAt = 0;  // where a new key goes: after the last entry
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

    std::string_view lineText(const Line& line) const;
    std::string_view lineName(const Line& line) const;
    const Line* findKey(const Section& section, std::string_view key) const;
    Line* findKey(Section& section, std::string_view key);
    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    Line* lastLine();
    void terminate(Line& line);
    static void classify(std::string_view content, Line& line);
    static Line makeLine(std::string text);

    std::string source_;
    std::size_t bomLength_ = 0;
    std::vector<Line> preamble_;    // lines before the first section
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t, NameHash, NameEqual> index_;  // first occurrence
};

// Parses the integer text the way readInt does (exposed for the tests and for
// other readers of numbers in the same files).
int32_t parseProfileInt(std::string_view text);

}  // namespace zat
