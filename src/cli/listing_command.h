// zatctl listing: the I/O or IF block listing as text, as it would be printed.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace zat::cli {

int runListing(Context& context, const std::vector<std::string>& args);

}  // namespace zat::cli
