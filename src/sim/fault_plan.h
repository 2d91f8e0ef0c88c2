// Faults the simulated unit can put on its replies, chosen by a repeatable random
// plan, by request number, or queued by a test for the next request.
#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string_view>

namespace zat::sim {

enum class Fault {
    None,
    Drop,      // no reply at all
    Garble,    // the echo is damaged, so it no longer matches the request
    Refuse,    // a first character other than "*"
    Truncate,  // the first part of the reply, without its carriage return
    Late,      // the whole reply, but only after the late delay
    BadValue,  // "*" and the echo intact, the last character (a read's value) damaged; injected only
};

std::string_view toString(Fault fault);

struct FaultRates {
    // Percent of answered requests that get each fault (0..100 in total).
    double drop = 0, garble = 0, refuse = 0, truncate = 0, late = 0;
};

class FaultPlan {
public:
    FaultPlan() = default;
    FaultPlan(FaultRates rates, std::uint32_t randomStart);

    // Request numbers count from 1 over every request addressed to this unit.
    void scheduleAt(std::uint64_t requestNumber, Fault fault);

    // The fault for this request: a scheduled one wins, else the random draw.
    Fault decide(std::uint64_t requestNumber);

private:
    FaultRates rates_;
    std::mt19937 random_{1};
    std::map<std::uint64_t, Fault> scheduled_;
};

}  // namespace zat::sim
