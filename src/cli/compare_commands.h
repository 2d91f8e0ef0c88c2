// zatctl verify (the unit against a database file) and zatctl diff (two
// database files): the fields that differ, as text or CSV.
#pragma once

#include "cli/command_args.h"
#include "cli/commands.h"

#include <string>
#include <vector>

namespace zat::cli {

constexpr unsigned kVerifyOptions = kTakesGroups | kTakesRetry | kTakesCsv;
constexpr unsigned kDiffOptions = kTakesGroups | kTakesCsv;

inline constexpr const char* kVerifySynopsis = "verify DB.zat [--groups LIST] [--retry N] [--csv] [UNIT OPTIONS]";
inline constexpr const char* kDiffSynopsis = "diff A.zat B.zat [--groups LIST] [--csv]";

int runVerify(Context& context, const std::vector<std::string>& args);
int runDiff(Context& context, const std::vector<std::string>& args);

}  // namespace zat::cli
