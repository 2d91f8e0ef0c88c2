// Manual pages in roff, from the option tables and the programs' help texts.
#pragma once

#include "options/option_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace zat::options {

struct ManSection {
    std::string heading;  // "OPTIONS"
    std::string body;     // roff
};

struct ManPage {
    std::string_view name;     // "zatctl"
    std::string_view version;  // "0.1.0"
    std::string_view summary;  // the line after the name in NAME
    std::vector<ManSection> sections;
};

// One line of text as roff: minus signs and backslashes escaped, a leading
// dot or quote kept from being read as a request.
[[nodiscard]] std::string roffLine(std::string_view line);

// Help text as roff: a blank line starts a paragraph; indented lines
// (examples, lists) are kept as they are, unfilled.
[[nodiscard]] std::string roffText(std::string_view text);

// The options as a tagged list: the label in bold and italics, the help below.
[[nodiscard]] std::string roffOptions(const std::vector<OptionText>& options);

[[nodiscard]] std::string manPage(const ManPage& page);

}  // namespace zat::options
