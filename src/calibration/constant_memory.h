// What Revert puts back: the first value read of each constant since the
// dialog opened, and which of them the dialog has written since.
#pragma once

#include <cstdint>
#include <map>
#include <utility>

namespace zat {

class ConstantMemory {
public:
    using Key = std::pair<char, int>;  // item letter, index (0 without one)

    // Keeps the first value only: a later read may already show an adjustment.
    void read(Key key, std::uint16_t value) { originals_.emplace(key, value); }
    void written(Key key) { changed_[key] = originals_.at(key); }
    void reverted(Key key) { changed_.erase(key); }
    // The constants written since opening, with the values read on opening.
    [[nodiscard]] const std::map<Key, std::uint16_t>& changed() const { return changed_; }

private:
    std::map<Key, std::uint16_t> originals_;
    std::map<Key, std::uint16_t> changed_;
};

}  // namespace zat
