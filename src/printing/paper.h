// The paper a listing is written on when there is no printer to ask: a PDF
// file takes A4, or Letter where people measure in inches.
#pragma once

#include <optional>
#include <string_view>

namespace zat {

enum class Paper { A4, Letter };

// "a4" or "letter".
std::optional<Paper> parsePaper(std::string_view word);

// Letter where lengths are measured in inches, A4 elsewhere.
constexpr Paper paperForMeasurement(bool inches) { return inches ? Paper::Letter : Paper::A4; }

}  // namespace zat
