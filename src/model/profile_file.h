// Private-profile files read for lookup or for updating in place, and the
// messages that tell the user when a file cannot be read or written.
#pragma once

#include "model/file_io.h"
#include "model/profile_document.h"
#include "userio/user_io.h"

#include <string>

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

}  // namespace zat
