// zatctl's manual page and bash completion, written from the command table
// and the option tables, as its help is.
#pragma once

#include <string>
#include <string_view>

namespace zat::cli {

std::string zatctlManual(std::string_view version);
std::string zatctlCompletion();

}  // namespace zat::cli
