// Any bytes read as a register file without harm. A file that is taken gives
// each register the number the plain reader gives it, which then fits 16
// bits; a refusal always says why.
#include "comms/register_file.h"
#include "model/profile_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// The value a register gets from its text, by the plain reader: none for "?".
std::optional<std::int16_t> plainValue(const zat::ProfileDocument& doc, const char* section, char letter, int n) {
    char key[8];
    std::snprintf(key, sizeof key, "%c%02d", letter, n);
    const std::string text = doc.readString(section, key, "?", 50);
    if (!text.empty() && text[0] == '?') return std::nullopt;
    const std::int32_t value = zat::parseProfileInt(text);
    check(value >= INT16_MIN && value <= INT16_MAX, "a value taken fits 16 bits");
    return static_cast<std::int16_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const zat::ProfileDocument doc = zat::ProfileDocument::parse(input);
    const zat::RegisterFileRead read = zat::readRegisterDocument(doc, "plant.reg");
    if (!read.ok()) {
        check(read.error.find("plant.reg") != std::string::npos, "a refusal names the file");
        return 0;
    }
    const zat::RegisterValues& values = read.values;
    for (int n = 0; n < zat::kOutputValueCount; ++n)
        check(values.outputValues[n] == plainValue(doc, "B REGS", 'B', n), "B register as read");
    for (int n = 0; n < zat::kOutputGroupCount; ++n)
        check(values.outputGroups[n] == plainValue(doc, "D REGS", 'D', n), "D register as read");
    for (int n = 0; n < zat::kSRegisterCount; ++n)
        check(values.sRegisters[n] == plainValue(doc, "S REGS", 'S', n).value_or(0), "S register as read");
    return 0;
}
