#include "comms/traffic_ring.h"

#include <algorithm>

namespace zat {

TrafficRing::TrafficRing(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

void TrafficRing::exchanged(const ExchangeRecord& record) {
    ++next_;
    if (slots_.size() < capacity_) {
        // Taken at the first record, so a program that never talks holds nothing,
        // and exactly, so the ring never holds more than its capacity.
        if (slots_.empty()) slots_.reserve(capacity_);
        slots_.push_back(record);
        size_ = slots_.size();
        return;
    }
    slots_[oldest_] = record;
    oldest_ = (oldest_ + 1) % capacity_;
}

void TrafficRing::clear() {
    slots_.clear();  // keeps its storage: the memory was bounded before and stays so
    oldest_ = 0;
    size_ = 0;
}

const ExchangeRecord& TrafficRing::at(std::size_t index) const { return slots_[(oldest_ + index) % slots_.size()]; }

}  // namespace zat
