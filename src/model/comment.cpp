#include "model/comment.h"

#include "model/cp1252.h"

#include <algorithm>

namespace zat {

void Comment::assign(std::string_view text) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    const std::size_t length = std::min(text.size(), kMaxLength);
    bytes_.fill('\0');
    std::copy_n(text.data(), length, bytes_.data());
}

std::string_view Comment::view() const {
    const auto end = std::find(bytes_.begin(), bytes_.end(), '\0');
    return std::string_view(bytes_.data(), static_cast<std::size_t>(end - bytes_.begin()));
}

Comment commentFromText(std::string_view utf8) {
    // Windows-1252 has one byte per character, so the field's byte limit is
    // its character limit.
    return Comment(utf8ToCp1252(utf8));
}

std::string commentText(const Comment& comment) { return cp1252ToUtf8(comment.view()); }

}  // namespace zat
