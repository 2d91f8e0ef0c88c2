// Any bytes read as a calibration file without harm. A refused file leaves
// the constants as they were; constants taken come back the same once
// written, over the same bytes or into an empty file.
#include "calibration/calibration_file.h"
#include "model/profile_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool sameConstants(const zat::ConfigDatabase& a, const zat::ConfigDatabase& b) {
    for (int k = 0; k < zat::kPhysicalAnalogOutputCount; ++k)
        if (a.analogOutputs[k].calZero != b.analogOutputs[k].calZero ||
            a.analogOutputs[k].calSpan != b.analogOutputs[k].calSpan)
            return false;
    return a.inputCalibration == b.inputCalibration && a.coldJunctionZero == b.coldJunctionZero;
}

// The constants of a database whose every constant is 1, so that a reader
// which skipped one would show.
zat::ConfigDatabase marked() {
    zat::ConfigDatabase db;
    for (auto& input : db.inputCalibration) input = {1, 1};
    for (auto& output : db.analogOutputs) output.calZero = output.calSpan = 1;
    db.coldJunctionZero = 1;
    return db;
}

zat::ConfigDatabase readBack(const zat::ProfileDocument& doc) {
    zat::ConfigDatabase db = marked();
    check(zat::readCalibrationDocument(doc, "unit.cal", db).ok(), "a written file is taken");
    return db;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    zat::ProfileDocument doc = zat::ProfileDocument::parse(input);
    zat::ConfigDatabase db = marked();
    const zat::CalibrationFileRead read = zat::readCalibrationDocument(doc, "unit.cal", db);
    if (!read.ok()) {
        check(read.error.find("unit.cal") != std::string::npos, "a refusal names the file");
        check(sameConstants(db, marked()), "a refused file changes nothing");
        return 0;
    }
    zat::writeCalibrationTo(doc, db);
    check(sameConstants(readBack(doc), db), "written over the same bytes");
    zat::ProfileDocument fresh;
    zat::writeCalibrationTo(fresh, db);
    check(sameConstants(readBack(fresh), db), "written into an empty file");
    return 0;
}
