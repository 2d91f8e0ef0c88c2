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

    // Any bytes at all are accepted; what is not a section or a key line is
    // kept as it stands and never matches a lookup.
    static ProfileDocument parse(std::string_view bytes);

    // The value of a key with the blanks around it removed, or nothing when
    // the section or the key is missing.
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
    struct Impl;
    Impl* impl_;
};

// Parses the integer text the way readInt does (exposed for the tests and for
// other readers of numbers in the same files).
int32_t parseProfileInt(std::string_view text);

}  // namespace zat
