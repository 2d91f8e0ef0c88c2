// A plain-text summary of a configuration, for a terminal.
#pragma once

#include "model/config_database.h"

#include <string>

namespace zat::cli {

// Lists what is configured: communication settings, the scanned analog
// inputs, commented outputs and digital points, and the blocks in use.
// Comments are converted from Windows-1252 to UTF-8.
std::string summarize(const ConfigDatabase& db);

}  // namespace zat::cli
