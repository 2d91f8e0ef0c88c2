// The command line of zat-unit-sim.
#pragma once

#include "options/option_table.h"
#include "sim/fault_plan.h"
#include "sim/pty_unit.h"
#include "sim/unit_state.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace zat::sim {

struct SimOptions {
    UnitConfig unit;
    std::vector<int> moreAddresses;  // further units on the same line (--address 1,2,5)
    LineTiming timing;
    FaultRates faultRates;
    std::vector<RequestFault> requestFaults;  // in the order given
    std::uint32_t randomStart = 1;            // for the unit's signals and the fault draws
    std::vector<int> brokenSensors;           // analog input numbers
    std::vector<int> invalidOutputs;          // analog output numbers whose status says "invalid"
    int silentAfterSeconds = -1;              // the unit stops answering after this long; -1 = never
    std::string plantPath;                    // a database file whose controllers, profilers and profiles to run
    std::string linkPath;                     // empty = no link
    std::string logPath;                      // empty = no log, "-" = standard output
    bool help = false;
};

// The options, or a one-line message saying what is wrong with them.
std::variant<SimOptions, std::string> parseSimOptions(const std::vector<std::string>& args);

// The fault plan the options describe: the rates and the request rules.
FaultPlan faultPlanOf(const SimOptions& options);

// The options, one row each.
const options::OptionTable<SimOptions>& simOptionTable();

// The --help text, and its description, which the manual page shares.
std::string simUsage();
std::string simDescription();

}  // namespace zat::sim
