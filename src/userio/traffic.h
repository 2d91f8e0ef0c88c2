// What became of each exchange with the unit, as the protocol's exchange loop
// decided it: one record per try. The status bar's traffic fields, the
// traffic window, the link statistics, the logs of both programs and the
// tests all read these records; nothing else watches the line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zat {

enum class ExchangeResult {
    Answered,  // a whole reply that echoes the request and starts with "*"
    TimedOut,  // nothing came before the reply timeout
    BadEcho,   // a whole reply that does not echo the request
    Refused,   // a whole echoing reply that does not start with "*" (the unit's "!")
    CutShort,  // part of a reply, without its carriage return, at the timeout
};

struct ExchangeRecord {
    std::int64_t sentAtMs = 0;  // wall clock when the request went out, ms since 1970
    std::string request;        // as sent, without its carriage return
    std::string reply;          // as received, without its carriage return; empty when none came
    int replyMs = 0;            // from sending to the reply's end, or to the end of the wait
    ExchangeResult result = ExchangeResult::Answered;
    std::int64_t attempt = 1;   // which try of the exchange this was, from 1
    std::int64_t attempts = 1;  // of how many it may make
    int address = 0;            // the unit address the request went to
};

class TrafficObserver {
public:
    virtual ~TrafficObserver() = default;
    virtual void exchanged(const ExchangeRecord& record) = 0;
};

class SilentTraffic final : public TrafficObserver {
public:
    void exchanged(const ExchangeRecord&) override {}
};

// Hands each record to every observer added, in the order they were added.
class TrafficFanOut final : public TrafficObserver {
public:
    void add(TrafficObserver* observer) { observers_.push_back(observer); }
    void exchanged(const ExchangeRecord& record) override {
        for (TrafficObserver* observer : observers_) observer->exchanged(record);
    }

private:
    std::vector<TrafficObserver*> observers_;
};

}  // namespace zat
