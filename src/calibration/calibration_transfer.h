// The unit's calibration constants moved between the unit and the staging
// area in the configuration (input zero/span, output zero/span of the 20
// physical outputs, cold junction zero).
#pragma once

#include "comms/protocol.h"
#include "model/config_database.h"
#include "userio/outcome.h"
#include "userio/user_io.h"

namespace zat {

constexpr int kCalibrationSteps = 56;  // the indexed constants; the cold junction has no step

// Reads every constant, holding each within its bounds. Stops at the first
// failed read, but the cold junction zero is always read. Failed if the
// probe or any read failed.
[[nodiscard]] Outcome readCalibrationFromUnit(ConfigDatabase& db, UnitProtocol& protocol, Progress& progress);

// Writes every constant as it stands. Stops at the first failed write unless
// errors are ignored; the cold junction zero is always written. Failed if the
// probe failed, or if any write failed while not ignoring errors.
[[nodiscard]] Outcome writeCalibrationToUnit(const ConfigDatabase& db, UnitProtocol& protocol, Progress& progress,
                                             bool ignoreErrors);

}  // namespace zat
