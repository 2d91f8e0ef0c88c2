#include "monitoring/monitor_history.h"

#include <algorithm>
#include <limits>

namespace zat {

std::size_t MonitorHistory::capacityFor(std::chrono::milliseconds period) {
    const auto each = std::max<std::chrono::milliseconds::rep>(period.count(), 1);
    const auto span = std::chrono::duration_cast<std::chrono::milliseconds>(kSpan).count();
    return static_cast<std::size_t>((span + each - 1) / each);
}

std::int64_t MonitorHistory::millisOf(Clock::time_point time) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
}

bool MonitorHistory::add(Clock::time_point time, const std::vector<MonitorReading>& readings) {
    bool kept = true;
    for (const MonitorReading& reading : readings)
        for (const TrendPoint& point : reading.points) kept = add(time, point.series, point.value) && kept;
    return kept;
}

bool MonitorHistory::add(Clock::time_point time, std::string_view series, std::optional<double> value) {
    auto found = series_.find(series);
    if (found == series_.end()) {
        if (series_.size() >= kMaxSeries) return false;
        found = series_.emplace(std::string(series), Ring{}).first;
    }
    Ring& ring = found->second;
    const Sample sample{.millis = millisOf(time), .value = value.value_or(NAN)};
    if (ring.samples.size() < capacity_) {
        ring.samples.push_back(sample);
    } else {
        ring.samples[ring.next] = sample;
        ring.next = (ring.next + 1) % capacity_;
    }
    return true;
}

void MonitorHistory::mark(Clock::time_point time, std::string series, std::string text) {
    if (marks_.size() >= kMaxMarks) marks_.erase(marks_.begin());
    marks_.push_back({.millis = millisOf(time), .series = std::move(series), .text = std::move(text)});
}

std::vector<MonitorHistory::Sample> MonitorHistory::samples(std::string_view series) const {
    std::vector<Sample> out;
    forEach(series, std::numeric_limits<std::int64_t>::min(), [&](const Sample& sample) { out.push_back(sample); });
    return out;
}

std::optional<std::int64_t> MonitorHistory::oldestMillis(std::string_view series) const {
    const auto found = series_.find(series);
    if (found == series_.end() || found->second.samples.empty()) return std::nullopt;
    const Ring& ring = found->second;
    return ring.samples[ring.samples.size() < capacity_ ? 0 : ring.next].millis;
}

std::vector<std::string> MonitorHistory::seriesNames() const {
    std::vector<std::string> names;
    for (const auto& entry : series_) names.push_back(entry.first);
    return names;
}

std::size_t MonitorHistory::bytesBound() const {
    return kMaxSeries * capacity_ * sizeof(Sample) + kMaxMarks * sizeof(Mark);
}

std::size_t MonitorHistory::bytesUsed() const {
    std::size_t bytes = marks_.capacity() * sizeof(Mark);
    for (const auto& [name, ring] : series_)
        bytes += sizeof(ring) + name.capacity() + ring.samples.capacity() * sizeof(Sample);
    return bytes;
}

}  // namespace zat
