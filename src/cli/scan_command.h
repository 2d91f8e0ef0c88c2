// zatctl scan: which units answer on the line, at which address and rate.
#pragma once

#include "cli/commands.h"
#include "options/option_table.h"

#include <string>
#include <vector>

namespace zat::cli {

extern const char* const kScanSynopsis;
extern const char* const kScanHelp;

// Its own options, for the help, the manual and the completion.
std::vector<options::OptionText> scanOptionTexts();

int runScan(Context& context, const std::vector<std::string>& args);

}  // namespace zat::cli
