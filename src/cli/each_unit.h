// Commands that serve several units on one line (--address 1,3,5-7): each
// unit in turn, a failure on one does not stop the others, and a summary.
#pragma once

#include "cli/commands.h"
#include "cli/unit_options.h"

#include <functional>
#include <string>

namespace zat::cli {

struct UnitRun {
    int exitStatus = kExitOk;
    std::string result;  // for the summary: "exported", "failed", ...
};

// Runs `run` once with `options` as they are when they name at most one
// address (its exit status is the command's). With several it runs once per
// address and then writes the summary ("Address 3: exported", or
// "address,result" lines with `csv`): exit 0 when every unit succeeded,
// 3 when none failed but some differ, 1 otherwise.
int forEachUnit(Context& context, const UnitOptions& options, bool csv,
                const std::function<UnitRun(const UnitOptions& one)>& run);

}  // namespace zat::cli
