// Pieces of a bash completion script written from the option tables.
#pragma once

#include "options/option_table.h"

#include <string>
#include <vector>

namespace zat::options {

// The shell functions the pieces below call: _zat_files GLOB, _zat_words
// WORDS, _zat_list WORDS (a comma list). They complete "$cur".
[[nodiscard]] std::string bashHelpers();

// The bash command that completes a value or word the way `completion` says;
// empty when nothing is offered.
[[nodiscard]] std::string bashCompleting(const Completion& completion);

// "--quiet -q --port": every name of the options, for compgen -W.
[[nodiscard]] std::string bashNames(const std::vector<OptionText>& options);

// case arms for "$prev", one per option that takes a value: the value is
// completed and the function returns. An option whose value offers nothing
// still returns, so no file name is offered as a number.
[[nodiscard]] std::string bashValueArms(const std::vector<OptionText>& options);

// The positional words of a synopsis ("listing io|if DB.zat [-o FILE.txt]"
// gives io|if and DB.zat) as completions: words with '|' are choices, a word
// with an extension is a file of that kind, anything else a file.
[[nodiscard]] std::vector<Completion> synopsisWords(std::string_view synopsis);

}  // namespace zat::options
