// Private-profile files read for lookup or for updating in place, and the
// messages that tell the user when a file cannot be read or written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "userio/user_io.h"
#include "model/file_io.h"
#include "model/profile_document.h"

namespace zat {

// Reads a file that must exist.
FileResult readProfileFile(const std::string& path, ProfileDocument& doc);

// Reads a file that is about to be updated in place: a missing file is an
// empty document. A file that exists but cannot be read is an error, since
// writing over it would lose what it holds.
FileResult readProfileForUpdate(const std::string& path, ProfileDocument& doc);

// "Unable to write file <path>\n<reason>" and its reading counterpart, shown
// with caption "Error" and the stop icon.
void reportUnableToWrite(Prompts& prompts, const std::string& path, const std::string& reason);
void reportUnableToRead(Prompts& prompts, const std::string& path, const std::string& reason);
std::string unableToReadMessage(const std::string& path, const std::string& reason);

// The leading number of a value read as ProfileDocument::readInt reads it
// (blanks, a sign, decimal digits up to the first other character; no digits
// read 0), or nothing when that number lies outside lowest..highest. readInt
// wraps instead, so a 16-bit field would take 99999999999999 as 16383.
[[nodiscard]] std::optional<std::int32_t> parseProfileIntWithin(std::string_view text, std::int32_t lowest,
                                                                std::int32_t highest);

}  // namespace zat
