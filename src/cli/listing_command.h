// zatctl listing: the I/O or IF block listing as text, as it would be printed.
#pragma once

#include "cli/commands.h"
#include "options/option_table.h"

#include <optional>
#include <string>
#include <vector>

namespace zat::cli {

struct ListingArgs {
    std::optional<std::string> output;  // the text file; standard output when none
};

const options::OptionTable<ListingArgs>& listingOptionTable();

int runListing(Context& context, const std::vector<std::string>& args);

}  // namespace zat::cli
