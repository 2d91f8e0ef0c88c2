// zatsetup --print: a listing written to a PDF file without showing a window.
#pragma once

#include "commands/app_options.h"

#include <cstdio>

namespace zat {

// Loads the database named in `options` and writes the listing to its PDF.
// Returns the exit status: 0, or 2 after saying on `err` why not.
int printWithoutWindow(const AppOptions& options, std::FILE* err);

}  // namespace zat
