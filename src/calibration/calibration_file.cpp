#include "calibration/calibration_file.h"

#include "calibration/calibration_map.h"
#include "model/profile_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

void writeCalibrationTo(ProfileDocument& doc, const ConfigDatabase& db) {
    visitConstants(db, [&doc](const char* section, const std::string& key, const CalibrationItem&,
                              std::uint16_t constant) { doc.write(section, key, std::to_string(constant)); });
}

Outcome writeCalibrationFile(const ConfigDatabase& db, const std::string& path, Prompts& prompts) {
    ProfileDocument doc;
    FileResult outcome = readProfileForUpdate(path, doc);
    if (outcome.ok) {
        writeCalibrationTo(doc, db);
        outcome = writeFileAtomically(path, doc.serialize());
    }
    if (!outcome.ok) {
        reportUnableToWrite(prompts, path, outcome.reason);
        return Outcome::Failed;
    }
    return Outcome::Ok;
}

CalibrationFileRead readCalibrationDocument(const ProfileDocument& doc, const std::string& name, ConfigDatabase& db) {
    // Every value is checked before any constant changes, so a refused file
    // leaves the constants as they were.
    std::vector<std::uint16_t> constants;
    bool holdsAny = false;
    CalibrationFileRead read;
    visitConstants(std::as_const(db), [&](const char* section, const std::string& key, const CalibrationItem& item,
                                          std::uint16_t) {
        if (!read.ok()) return;
        // As readInt takes it: a missing or empty value gives the default.
        const std::optional<std::string_view> text = doc.value(section, key);
        if (!text || text->empty()) {
            constants.push_back(item.fileDefault);
            return;
        }
        holdsAny = true;
        const auto value = parseProfileIntWithin(*text, 0, UINT16_MAX);
        if (!value) {
            read.error = "Invalid calibration constant " + key + "=" + std::string(*text) + " in section " + section +
                         " of " + name + ": valid range 0 to " + std::to_string(UINT16_MAX);
            return;
        }
        constants.push_back(static_cast<std::uint16_t>(*value));
    });
    if (read.ok() && !holdsAny) read.error = name + " holds no calibration constants";
    if (!read.ok()) return read;
    std::size_t next = 0;
    visitConstants(db, [&](const char*, const std::string&, const CalibrationItem&, std::uint16_t& constant) {
        constant = constants[next++];
    });
    return read;
}

CalibrationFileRead readCalibrationConstants(const std::string& path, ConfigDatabase& db) {
    ProfileDocument doc;
    const FileResult file = readProfileFile(path, doc);
    if (!file.ok) return CalibrationFileRead{unableToReadMessage(path, file.reason)};
    return readCalibrationDocument(doc, path, db);
}

Outcome readCalibrationFile(ConfigDatabase& db, const std::string& path, Prompts& prompts) {
    const CalibrationFileRead read = readCalibrationConstants(path, db);
    if (read.ok()) return Outcome::Ok;
    prompts.show(read.error, "Error", MessageIcon::Stop, MessageButtons::Ok);
    return Outcome::Failed;
}

}  // namespace zat
