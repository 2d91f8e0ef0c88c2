#include "model/comment.h"

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

}  // namespace zat
