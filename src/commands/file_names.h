// File-name rules of the file commands: the extension each kind of file must
// carry, and the names proposed from the database's own.
#pragma once

#include "userio/user_io.h"

#include <string>
#include <string_view>

namespace zat {

// True when the file name (not the folder) ends in this extension, given with
// its dot (".zat"), compared without regard to case. A name that is only the
// extension does not count.
bool hasExtension(const std::string& path, std::string_view extension);

// The exclamation beep and "Must be a .ZAT file" (caption "Error", stop icon)
// when the name lacks the extension. True when the name is right.
bool checkExtension(const std::string& path, std::string_view extension, Prompts& prompts, Beep& beep);

// The file name with its extension replaced ("Default.zat" -> "Default.cal");
// a name without one gets it added.
std::string withExtension(const std::string& fileName, std::string_view extension);

// The name and extension of a path, without its folder.
std::string fileNameOnly(const std::string& path);

}  // namespace zat
