// The ".cal" file: the calibration constants in three sections, updated in
// place. The constants are never part of the database file.
#pragma once

#include <string>

#include "app/ports.h"
#include "model/config_database.h"

namespace zat {

// Writes the constants, updating an existing file in place and replacing it
// atomically. False (and the user told why) when it cannot be written.
bool writeCalibrationFile(const ConfigDatabase& db, const std::string& path, Prompts& prompts);

// Reads every constant from the file (its low 16 bits; a missing key gives
// the default), unchecked. False (and the user told why, nothing changed)
// when the file cannot be read.
bool readCalibrationFile(ConfigDatabase& db, const std::string& path, Prompts& prompts);

}  // namespace zat
