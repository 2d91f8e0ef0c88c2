// Any bytes must parse, come back unchanged, and stay consistent through
// writes: what a document answers, the file it writes answers too.
#include "model/profile_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <string_view>

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(std::string text) {
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first])) ++first;
    std::size_t last = text.size();
    while (last > first && isBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

bool hasAny(std::string_view text, std::string_view bytes) {
    return text.find_first_of(bytes) != std::string_view::npos;
}

// Names that, once written as new lines, read back as the same names.
bool plainSection(const std::string& name) { return !hasAny(name, std::string_view("\r\n\0]", 4)); }

bool plainKey(const std::string& name) {
    const std::string t = trimmed(name);
    if (hasAny(name, std::string_view("\r\n\0=", 4))) return false;
    return t.empty() || (t[0] != ';' && t[0] != '#' && t[0] != '[');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    zat::ProfileDocument doc = zat::ProfileDocument::parse(input);
    check(doc.serialize() == input, "unchanged document differs from its input");

    // The same bytes also choose the edits, so names often hit the document's own.
    FuzzedDataProvider provider(data, size);
    for (int step = 0; step < 6 && provider.remaining_bytes() > 0; ++step) {
        const std::string section = provider.ConsumeRandomLengthString(40);
        const std::string key = provider.ConsumeRandomLengthString(40);
        const std::string value = provider.ConsumeRandomLengthString(80);

        (void)doc.readInt(section, key, -7);
        (void)doc.readString(section, key, value, provider.ConsumeIntegralInRange<std::size_t>(0, 64));
        (void)zat::parseProfileInt(value);

        const zat::ProfileDocument before = doc;
        const std::string beforeBytes = before.serialize();
        zat::ProfileDocument copy = doc;
        copy.write(section, key, value);
        doc = std::move(copy);
        check(before.serialize() == beforeBytes, "a write changed a copy");

        const std::string written = doc.serialize();
        const zat::ProfileDocument reread = zat::ProfileDocument::parse(written);
        check(reread.serialize() == written, "written document does not come back unchanged");
        check(reread.value(section, key) == doc.value(section, key), "document and its file disagree");
        check(reread.hasSection(section) == doc.hasSection(section), "document and its file disagree on a section");

        if (plainSection(section) && plainKey(key)) {
            std::string expected = value;
            for (char& c : expected) {
                if (c == '\r' || c == '\n' || c == '\0') c = ' ';
            }
            expected = trimmed(expected);
            check(doc.value(section, key) == std::string_view(expected), "written value does not read back");
            check(reread.value(section, key) == std::string_view(expected), "written value lost in the file");
        }
    }
    return 0;
}
