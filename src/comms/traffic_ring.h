// The newest exchanges, at most a fixed number of them: the traffic window's
// rows. Records are numbered from 0 as they come, so a view can tell what it
// has not shown yet and whether older rows have gone.
#pragma once

#include "userio/traffic.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zat {

class TrafficRing final : public TrafficObserver {
public:
    static constexpr std::size_t kCapacity = 100'000;

    explicit TrafficRing(std::size_t capacity = kCapacity);

    void exchanged(const ExchangeRecord& record) override;
    // Forgets every record held; numbering goes on.
    void clear();

    std::size_t size() const { return size_; }
    std::size_t capacity() const { return capacity_; }
    // The index-th record held, the oldest at 0.
    const ExchangeRecord& at(std::size_t index) const;
    // The number of the oldest record held, and of the next to come.
    std::uint64_t firstNumber() const { return next_ - size_; }
    std::uint64_t nextNumber() const { return next_; }

private:
    std::size_t capacity_;
    std::vector<ExchangeRecord> slots_;  // grows to capacity_, then the oldest is overwritten
    std::size_t oldest_ = 0;             // the oldest record's slot
    std::size_t size_ = 0;
    std::uint64_t next_ = 0;
};

}  // namespace zat
