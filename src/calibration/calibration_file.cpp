#include "calibration/calibration_file.h"

#include <string>

#include "calibration/calibration_map.h"
#include "model/profile_file.h"

namespace zat {
namespace {

constexpr char kInputSection[] = "Analog Input";
constexpr char kOutputSection[] = "Analog Output";
constexpr char kColdJunctionSection[] = "Cold Junction";
constexpr char kColdJunctionKey[] = "Zero";

std::string zeroKey(int n) { return "Zero " + std::to_string(n); }
std::string spanKey(int n) { return "Span " + std::to_string(n); }

// One description of the file's keys, in the order written, for both
// directions: the writer stores each constant, the reader fills it.
template <typename Visit, typename Db>
void visitConstants(Db& db, Visit&& visit) {
    for (int i = 0; i < kInputCalibrationCount; ++i) {
        visit(kInputSection, zeroKey(i), kInputZero, db.inputCalibration[i].zero);
        visit(kInputSection, spanKey(i), kInputSpan, db.inputCalibration[i].span);
    }
    for (int i = 0; i < kPhysicalAnalogOutputCount; ++i) {
        visit(kOutputSection, zeroKey(i), kOutputZero, db.analogOutputs[i].calZero);
        visit(kOutputSection, spanKey(i), kOutputSpan, db.analogOutputs[i].calSpan);
    }
    visit(kColdJunctionSection, kColdJunctionKey, kColdJunctionZero, db.coldJunctionZero);
}

}  // namespace

bool writeCalibrationFile(const ConfigDatabase& db, const std::string& path, Prompts& prompts) {
    ProfileDocument doc;
    FileResult outcome = readProfileForUpdate(path, doc);
    if (outcome.ok) {
        visitConstants(db, [&doc](const char* section, const std::string& key, const CalibrationItem&,
                                  std::uint16_t constant) { doc.write(section, key, std::to_string(constant)); });
        outcome = writeFileAtomically(path, doc.serialize());
    }
    if (!outcome.ok) {
        reportUnableToWrite(prompts, path, outcome.reason);
        return false;
    }
    return true;
}

bool readCalibrationFile(ConfigDatabase& db, const std::string& path, Prompts& prompts) {
    ProfileDocument doc;
    const FileResult read = readProfileFile(path, doc);
    if (!read.ok) {
        reportUnableToRead(prompts, path, read.reason);
        return false;
    }
    // Unchecked: a value outside the unit's bounds goes to the unit as it is.
    visitConstants(db, [&doc](const char* section, const std::string& key, const CalibrationItem& item,
                              std::uint16_t& constant) {
        constant = static_cast<std::uint16_t>(doc.readInt(section, key, item.fileDefault));
    });
    return true;
}

}  // namespace zat
