// The zatctl commands that move the configuration or the calibration
// between a file and the unit.
#pragma once

#include "cli/command_args.h"
#include "cli/commands.h"

#include <string>
#include <vector>

namespace zat::cli {

// The options of each command besides the unit options.
constexpr unsigned kExportOptions = kTakesGroups | kTakesRetry | kTakesCsv | kTakesSince;
constexpr unsigned kImportOptions = kTakesGroups | kTakesRetry | kTakesOutput;
constexpr unsigned kSaveCalibrationOptions = kTakesRetry;
constexpr unsigned kRestoreCalibrationOptions = kTakesRetry | kTakesIgnoreErrors;

inline constexpr const char* kExportSynopsis =
    "export DB.zat [--groups LIST] [--since OLD.zat] [--retry N] [--csv] [UNIT OPTIONS]";

int runExport(Context& context, const std::vector<std::string>& args);
int runImport(Context& context, const std::vector<std::string>& args);
int runSaveCalibration(Context& context, const std::vector<std::string>& args);
int runRestoreCalibration(Context& context, const std::vector<std::string>& args);

}  // namespace zat::cli
