#include "sim/fault_plan.h"

#include <utility>

namespace zat::sim {

std::string_view toString(Fault fault) {
    switch (fault) {
        case Fault::None:
            return "none";
        case Fault::Drop:
            return "drop";
        case Fault::Garble:
            return "garble";
        case Fault::Refuse:
            return "refuse";
        case Fault::Truncate:
            return "truncate";
        case Fault::Late:
            return "late";
        case Fault::BadValue:
            return "bad-value";
    }
    return "?";
}

FaultPlan::FaultPlan(FaultRates rates, std::uint32_t randomStart) : rates_(rates), random_(randomStart) {}

void FaultPlan::scheduleAt(std::uint64_t requestNumber, Fault fault) { scheduled_[requestNumber] = fault; }

void FaultPlan::failRequests(RequestFault rule) { rules_.push_back(std::move(rule)); }

Fault FaultPlan::decide(std::uint64_t requestNumber, std::string_view request) {
    if (const auto found = scheduled_.find(requestNumber); found != scheduled_.end()) {
        const Fault fault = found->second;
        scheduled_.erase(found);
        return fault;
    }
    for (const RequestFault& rule : rules_)
        if (request.starts_with(rule.request)) return rule.fault;
    const double total = rates_.drop + rates_.garble + rates_.refuse + rates_.truncate + rates_.late;
    // No draw at all without rates, so a plan that only schedules never
    // consumes the generator.
    if (total <= 0) return Fault::None;

    // One raw draw scaled by hand: std:: distributions differ between
    // standard libraries, and a given random start must give the same faults anywhere.
    const double roll = static_cast<double>(random_()) / 4294967296.0 * 100.0;
    double bound = 0;
    const std::pair<double, Fault> bands[] = {
        {rates_.drop, Fault::Drop},         {rates_.garble, Fault::Garble}, {rates_.refuse, Fault::Refuse},
        {rates_.truncate, Fault::Truncate}, {rates_.late, Fault::Late},
    };
    for (const auto& [rate, fault] : bands) {
        bound += rate;
        if (roll < bound) return fault;
    }
    return Fault::None;
}

}  // namespace zat::sim
