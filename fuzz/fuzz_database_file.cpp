// Any bytes load as a database without harm, and what was loaded is stable
// under save and load: after one save and load, another changes nothing.
#include "model/database_file.h"
#include "model/profile_document.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

zat::ConfigDatabase loadFrom(std::string_view bytes) {
    zat::SilentProgress progress;
    zat::ConfigDatabase db;
    db.clear();
    zat::readDatabaseFrom(zat::ProfileDocument::parse(bytes), db, progress);
    return db;
}

std::string saveOver(std::string_view bytes, const zat::ConfigDatabase& db) {
    zat::SilentProgress progress;
    zat::ProfileDocument doc = zat::ProfileDocument::parse(bytes);
    zat::writeDatabaseTo(doc, db, progress);
    return doc.serialize();
}

bool sameFileContent(const zat::ConfigDatabase& a, const zat::ConfigDatabase& b) {
    for (int k = 0; k < zat::kPhysicalAnalogOutputCount; ++k)
        if (a.analogOutputs[k] != b.analogOutputs[k]) return false;
    for (int k = zat::kPhysicalAnalogOutputCount; k < zat::kAnalogOutputCount; ++k)
        if (a.analogOutputs[k].comment != b.analogOutputs[k].comment ||
            a.analogOutputs[k].from != b.analogOutputs[k].from || a.analogOutputs[k].to != b.analogOutputs[k].to)
            return false;
    return a.comms == b.comms && a.digitalInputComments == b.digitalInputComments &&
           a.digitalOutputComments == b.digitalOutputComments && a.analogInputs == b.analogInputs &&
           a.hotColdBlocks == b.hotColdBlocks && a.ifBlocks == b.ifBlocks && a.controllers == b.controllers &&
           a.profilers == b.profilers && a.profiles == b.profiles && a.ifBlockCount == b.ifBlockCount;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const zat::ConfigDatabase first = loadFrom(input);

    // Saving over the same bytes (in place) and into an empty file.
    const std::string inPlace = saveOver(input, first);
    const zat::ConfigDatabase second = loadFrom(inPlace);
    const zat::ConfigDatabase third = loadFrom(saveOver(inPlace, second));
    if (!sameFileContent(second, third)) std::abort();

    const zat::ConfigDatabase fresh = loadFrom(saveOver("", second));
    if (!sameFileContent(second, fresh)) std::abort();
    return 0;
}
