// The ".cal" file: the calibration constants in three sections, updated in
// place. The constants are never part of the database file.
#pragma once

#include "model/config_database.h"
#include "userio/outcome.h"
#include "userio/user_io.h"

#include <string>

namespace zat {

class ProfileDocument;

// Writes the constants, updating an existing file in place and replacing it
// atomically. Failed (and the user told why) when it cannot be written.
[[nodiscard]] Outcome writeCalibrationFile(const ConfigDatabase& db, const std::string& path, Prompts& prompts);

// The same into a document: every constant's key, other content kept.
void writeCalibrationTo(ProfileDocument& doc, const ConfigDatabase& db);

struct CalibrationFileRead {
    std::string error;  // why the file is refused; empty when its constants were taken
    bool ok() const { return error.empty(); }
};

// Reads every constant from a calibration file's document; `name` is the file
// as messages name it. A missing key gives the constant's default; a value
// outside the unit's bounds goes to the unit as it is. Refused, with `db`
// left as it was: a document with none of the constants' values (an empty or
// foreign file would otherwise restore every default) -- "<name> holds no
// calibration constants"; and a value that does not fit 16 unsigned bits,
// the first in file order -- "Invalid calibration constant Span 3=70000 in
// section Analog Output of <name>: valid range 0 to 65535".
[[nodiscard]] CalibrationFileRead readCalibrationDocument(const ProfileDocument& doc, const std::string& name,
                                                          ConfigDatabase& db);
// The same from the file; one that cannot be read is refused with the reason.
[[nodiscard]] CalibrationFileRead readCalibrationConstants(const std::string& path, ConfigDatabase& db);

// readCalibrationConstants, with a refusal shown to the user (caption
// "Error", stop icon). Ok when the constants were taken.
[[nodiscard]] Outcome readCalibrationFile(ConfigDatabase& db, const std::string& path, Prompts& prompts);

}  // namespace zat
