// Link statistics per unit address, from the exchange records: every try
// counts as sent, and as what became of it. A reply cut short at the timeout
// counts as timed out. Reply times are those of answered tries.
#pragma once

#include "userio/traffic.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace zat {

// Whole milliseconds; the mean rounded, the 95th percentile by nearest rank.
struct ReplyTimes {
    int min = 0;
    int mean = 0;
    int p95 = 0;
    int max = 0;
};

class UnitStatistics {
public:
    void add(const ExchangeRecord& record);
    void merge(const UnitStatistics& other);

    std::uint64_t sent = 0;
    std::uint64_t answered = 0;
    std::uint64_t timedOut = 0;
    std::uint64_t badEcho = 0;
    std::uint64_t refused = 0;
    std::uint64_t retries = 0;  // tries after the first of their exchange

    // None until a try was answered.
    std::optional<ReplyTimes> replyTimes() const;

private:
    std::map<int, std::uint64_t> replyMsCounts_;  // reply time -> answered tries that took it
};

class LinkStatistics final : public TrafficObserver {
public:
    void exchanged(const ExchangeRecord& record) override;
    void reset() { units_.clear(); }

    const std::map<int, UnitStatistics>& byAddress() const { return units_; }
    // Every address together.
    UnitStatistics total() const;

private:
    std::map<int, UnitStatistics> units_;
};

// "sent S, answered A, timed out T, bad echo E, refused F, retries R; reply ms
// min X mean Y p95 Z max W", without the reply figures when nothing was answered.
std::string statisticsText(const UnitStatistics& statistics);

}  // namespace zat
