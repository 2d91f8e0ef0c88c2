#include "printing/paper.h"

namespace zat {

std::optional<Paper> parsePaper(std::string_view word) {
    if (word == "a4") return Paper::A4;
    if (word == "letter") return Paper::Letter;
    return std::nullopt;
}

}  // namespace zat
