// One field of a CSV line, quoted where CSV needs it (a comment may hold a
// comma, a quote or a line break); every CSV the programs write uses it.
#pragma once

#include <string>
#include <string_view>

namespace zat {

[[nodiscard]] inline std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace zat
