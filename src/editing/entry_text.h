// The texts of editor fields: the numbers typed into scalar and constant
// edits, and register texts. Comments convert with commentFromText and
// commentText of model/comment.h, which every editor rule uses.
#pragma once

#include "model/comment.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zat {

// Numbers in edits are typed as an optional sign and digits, nothing else;
// the empty text and a lone sign are allowed while typing.
bool isSignedDigits(std::string_view text);
// Digits-only edits: the digits 0-9 and nothing else, not even a digit of
// another script, which the reading below would take for no digit at all.
bool isDigits(std::string_view text);

// The length an edit has to allow so that `shown` fits whole: its own limit,
// or more for a loaded value that is longer. Cutting such a value would show
// and store a number the record never held.
std::size_t editLength(std::string_view shown, std::size_t limit);

// The whole text read as a decimal integer from its start: blanks, a sign,
// then digits up to the first other character. Text without digits reads 0.
// Values beyond 32 bits read as the nearest 32-bit limit, so they stay out of
// any field's range.
int32_t readLeadingInteger(std::string_view text);

// Register edits turn typed letters to upper case; a page given lower case
// letters reads the same. Only a..z change.
std::string registerTextUpperCase(std::string text);

}  // namespace zat
