// A one-byte register code as controllers and profilers hold it: letter in
// bits 6-7 (0 = A, 1 = B, 2 = C, 3 = D), number + 1 in bits 0-5, 0 = none.
#pragma once

#include <cstdint>
#include <optional>

namespace zat::sim {

struct RegisterCode {
    char letter;
    int number;
};

inline std::optional<RegisterCode> decodeRegister(std::uint16_t field) {
    const int number = (field & 0x3F) - 1;
    if (number < 0) return std::nullopt;
    return RegisterCode{static_cast<char>('A' + ((field >> 6) & 3)), number};
}

}  // namespace zat::sim
