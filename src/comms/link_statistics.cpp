#include "comms/link_statistics.h"

#include <cstdio>

namespace zat {

void UnitStatistics::add(const ExchangeRecord& record) {
    ++sent;
    if (record.attempt > 1) ++retries;
    switch (record.result) {
        case ExchangeResult::Answered:
            ++answered;
            ++replyMsCounts_[record.replyMs];
            break;
        case ExchangeResult::TimedOut:
        case ExchangeResult::CutShort:
            ++timedOut;
            break;
        case ExchangeResult::BadEcho:
            ++badEcho;
            break;
        case ExchangeResult::Refused:
            ++refused;
            break;
    }
}

void UnitStatistics::merge(const UnitStatistics& other) {
    sent += other.sent;
    answered += other.answered;
    timedOut += other.timedOut;
    badEcho += other.badEcho;
    refused += other.refused;
    retries += other.retries;
    for (const auto& [ms, count] : other.replyMsCounts_) replyMsCounts_[ms] += count;
}

std::optional<ReplyTimes> UnitStatistics::replyTimes() const {
    if (replyMsCounts_.empty()) return std::nullopt;
    std::uint64_t count = 0;
    long double sum = 0;
    for (const auto& [ms, n] : replyMsCounts_) {
        count += n;
        sum += static_cast<long double>(ms) * static_cast<long double>(n);
    }
    // Nearest rank: the smallest time at or below which 95 % of the replies came.
    const std::uint64_t rank = (count * 95 + 99) / 100;
    std::uint64_t seen = 0;
    int p95 = replyMsCounts_.rbegin()->first;
    for (const auto& [ms, n] : replyMsCounts_) {
        seen += n;
        if (seen >= rank) {
            p95 = ms;
            break;
        }
    }
    return ReplyTimes{.min = replyMsCounts_.begin()->first,
                      .mean = static_cast<int>(sum / static_cast<long double>(count) + 0.5L),
                      .p95 = p95,
                      .max = replyMsCounts_.rbegin()->first};
}

void LinkStatistics::exchanged(const ExchangeRecord& record) { units_[record.address].add(record); }

UnitStatistics LinkStatistics::total() const {
    UnitStatistics all;
    for (const auto& [address, unit] : units_) all.merge(unit);
    return all;
}

std::string statisticsText(const UnitStatistics& s) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "sent %llu, answered %llu, timed out %llu, bad echo %llu, refused %llu, retries %llu",
                  static_cast<unsigned long long>(s.sent), static_cast<unsigned long long>(s.answered),
                  static_cast<unsigned long long>(s.timedOut), static_cast<unsigned long long>(s.badEcho),
                  static_cast<unsigned long long>(s.refused), static_cast<unsigned long long>(s.retries));
    std::string line = text;
    if (const std::optional<ReplyTimes> times = s.replyTimes()) {
        std::snprintf(text, sizeof text, "; reply ms min %d mean %d p95 %d max %d", times->min, times->mean, times->p95,
                      times->max);
        line += text;
    }
    return line;
}

}  // namespace zat
