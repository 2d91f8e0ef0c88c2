// The 40 digital inputs in five groups of eight. Each group shows one lit
// input that walks along the group every two seconds, so a monitor sees them
// change; a group can be pinned to a fixed pattern instead.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace zat::sim {

class DigitalInputs {
public:
    static constexpr int kGroups = 5;

    void advance(double seconds);
    std::uint8_t group(int index) const;
    bool input(int number) const;  // 0..39
    void pin(int index, std::uint8_t pattern);

private:
    double seconds_ = 0;
    std::array<std::optional<std::uint8_t>, kGroups> pinned_{};
};

}  // namespace zat::sim
