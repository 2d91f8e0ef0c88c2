// The 30-byte comment field that begins every record: a NUL-terminated string
// of at most 29 Windows-1252 characters, and its one conversion to and from
// the UTF-8 that editors, monitors, printouts and zatctl show.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zat {

class Comment {
public:
    static constexpr std::size_t kFieldSize = 30;
    static constexpr std::size_t kMaxLength = kFieldSize - 1;

    Comment() = default;
    explicit Comment(std::string_view text) { assign(text); }

    // Stores at most the first 29 bytes, stopping at an embedded NUL.
    void assign(std::string_view text);
    void clear() { bytes_.fill('\0'); }

    std::string_view view() const;
    bool empty() const { return bytes_[0] == '\0'; }

    friend bool operator==(const Comment& a, const Comment& b) { return a.view() == b.view(); }

private:
    std::array<char, kFieldSize> bytes_{};
};

// A typed comment as its record keeps it: each character without a
// Windows-1252 form becomes "?", and only the first 29 characters are kept.
Comment commentFromText(std::string_view utf8);

// A stored comment for display.
std::string commentText(const Comment& comment);

}  // namespace zat
