// What a monitor has read, kept for its trend: per series (a channel, or one
// line of a loop) the newest readings in a ring of fixed size, a failed or
// missing reading kept as a gap, and marks (an Apply of new terms). Every
// page the monitor polled stays, so a page shown again has its past.
//
// Memory is bounded: at most kMaxSeries series of `capacity` samples of 16
// bytes each, and kMaxMarks marks (bytesBound()); a ring grows only as it
// fills (bytesUsed()).
#pragma once

#include "monitoring/monitor_reading.h"

#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zat {

class MonitorHistory {
public:
    using Clock = std::chrono::system_clock;
    // As many as any monitor polls: the 96 digital channels (40 inputs, 56
    // outputs); 40 analog channels, three lines of 8 loops.
    static constexpr std::size_t kMaxSeries = 96;
    static constexpr std::size_t kMaxMarks = 1024;
    // How far back a monitor keeps its readings.
    static constexpr std::chrono::hours kSpan{8};

    struct Sample {
        std::int64_t millis = 0;  // since the epoch
        double value = NAN;       // NaN: a gap
        [[nodiscard]] bool gap() const { return std::isnan(value); }
    };
    struct Mark {
        std::int64_t millis = 0;
        std::string series;  // the loop's, "PID1 MV"
        std::string text;    // "Apply P=40 I=120 D=20"
    };

    explicit MonitorHistory(std::size_t capacity) : capacity_(capacity == 0 ? 1 : capacity) {}

    // Samples per series for kSpan of readings each `period` apart.
    [[nodiscard]] static std::size_t capacityFor(std::chrono::milliseconds period);
    [[nodiscard]] static std::int64_t millisOf(Clock::time_point time);

    // Every point of every reading; false when a new series would pass kMaxSeries (it is not kept).
    bool add(Clock::time_point time, const std::vector<MonitorReading>& readings);
    bool add(Clock::time_point time, std::string_view series, std::optional<double> value);
    void mark(Clock::time_point time, std::string series, std::string text);

    // Oldest first; empty for a series never read.
    [[nodiscard]] std::vector<Sample> samples(std::string_view series) const;
    // Calls `visit` for each sample from `fromMillis` on, oldest first, without copying.
    template <class Visit>
    void forEach(std::string_view series, std::int64_t fromMillis, Visit&& visit) const;
    [[nodiscard]] const std::vector<Mark>& marks() const { return marks_; }
    // The time of the oldest sample kept; none for a series never read.
    [[nodiscard]] std::optional<std::int64_t> oldestMillis(std::string_view series) const;
    [[nodiscard]] std::vector<std::string> seriesNames() const;

    [[nodiscard]] std::size_t capacity() const { return capacity_; }
    [[nodiscard]] std::size_t bytesBound() const;
    // What the samples and marks hold now, with the rings' spare room.
    [[nodiscard]] std::size_t bytesUsed() const;

private:
    struct Ring {
        std::vector<Sample> samples;  // grows to the capacity, then wraps
        std::size_t next = 0;         // where the next sample goes once full
    };

    std::size_t capacity_;
    std::map<std::string, Ring, std::less<>> series_;
    std::vector<Mark> marks_;
};

template <class Visit>
void MonitorHistory::forEach(std::string_view series, std::int64_t fromMillis, Visit&& visit) const {
    const auto found = series_.find(series);
    if (found == series_.end()) return;
    const Ring& ring = found->second;
    const std::size_t count = ring.samples.size();
    const std::size_t oldest = count < capacity_ ? 0 : ring.next;
    for (std::size_t i = 0; i < count; ++i) {
        const Sample& sample = ring.samples[(oldest + i) % count];
        if (sample.millis >= fromMillis) visit(sample);
    }
}

}  // namespace zat
