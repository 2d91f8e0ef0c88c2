// zatctl listing: the I/O or IF block listing as text, as it would be printed.
#pragma once

#include "cli/commands.h"

#include <string>
#include <vector>

namespace zat::cli {

int runListing(Context& context, const std::vector<std::string>& args);

}  // namespace zat::cli
