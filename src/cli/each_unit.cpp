#include "cli/each_unit.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace zat::cli {

int forEachUnit(Context& context, const UnitOptions& options, bool csv,
                const std::function<UnitRun(const UnitOptions& one)>& run) {
    if (options.addresses.size() <= 1) return run(options).exitStatus;
    std::vector<std::pair<int, UnitRun>> runs;
    for (int address : options.addresses) {
        UnitOptions one = options;
        one.address = address;
        one.addresses = {address};
        runs.emplace_back(address, run(one));
    }
    bool anyFailed = false;
    bool anyDiffer = false;
    if (csv) std::fputs("address,result\n", context.out);
    for (const auto& [address, unit] : runs) {
        anyFailed = anyFailed || (unit.exitStatus != kExitOk && unit.exitStatus != kExitDiffer);
        anyDiffer = anyDiffer || unit.exitStatus == kExitDiffer;
        std::fprintf(context.out, csv ? "%d,%s\n" : "Address %d: %s\n", address, unit.result.c_str());
    }
    if (anyFailed) return kExitUnitFailure;
    return anyDiffer ? kExitDiffer : kExitOk;
}

}  // namespace zat::cli
