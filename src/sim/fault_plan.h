// Faults the simulated unit can put on its replies, chosen by a repeatable random
// plan, by request number, by the request's text, or queued by a test for the
// next request.
#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace zat::sim {

enum class Fault {
    None,
    Drop,      // no reply at all
    Garble,    // the echo is damaged, so it no longer matches the request
    Refuse,    // a first character other than "*"
    Truncate,  // the first part of the reply, without its carriage return
    Late,      // the whole reply, but only after the late delay
    BadValue,  // accepted and echoing, but a read's value is no number ("????")
};

std::string_view toString(Fault fault);

struct FaultRates {
    // Percent of answered requests that get each fault (0..100 in total).
    double drop = 0, garble = 0, refuse = 0, truncate = 0, late = 0;
};

// Every request that starts with `request` (e.g. "R01B05", or "W01a05" for
// any value written there) gets the fault, each time it comes: all the tries
// of an exchange fail alike.
struct RequestFault {
    std::string request;
    Fault fault = Fault::None;
    bool operator==(const RequestFault&) const = default;
};

class FaultPlan {
public:
    FaultPlan() = default;
    FaultPlan(FaultRates rates, std::uint32_t randomStart);

    // Request numbers count from 1 over every request addressed to this unit.
    void scheduleAt(std::uint64_t requestNumber, Fault fault);
    void failRequests(RequestFault rule);

    // The fault for this request: one scheduled at its number wins, then the
    // first rule its text matches, else the random draw.
    Fault decide(std::uint64_t requestNumber, std::string_view request = {});

private:
    FaultRates rates_;
    std::mt19937 random_{1};
    std::map<std::uint64_t, Fault> scheduled_;
    std::vector<RequestFault> rules_;
};

}  // namespace zat::sim
