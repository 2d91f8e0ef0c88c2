#include "comms/register_file.h"

#include <cstdio>

#include "model/profile_file.h"

namespace zat {
namespace {

struct RegisterKind {
    char letter;          // the unit's item
    int count;
    const char* section;  // of the file
    const char* keyFormat;
};

constexpr RegisterKind kOutputValues{'B', 40, "B REGS", "B%02d"};
constexpr RegisterKind kOutputGroups{'H', 7, "D REGS", "D%02d"};
constexpr RegisterKind kSRegisters{'S', 6, "S REGS", "S%02d"};
constexpr RegisterKind kKinds[] = {kOutputValues, kOutputGroups, kSRegisters};
static_assert(kOutputValues.count + kOutputGroups.count + kSRegisters.count == kRegisterCount);

constexpr char kOutputStatus = 'E';
constexpr std::int16_t kOutputProtected = 0x08;  // the unit keeps this output's value itself
constexpr char kIllegal[] = "?";
constexpr std::size_t kValueBuffer = 50;

std::string keyOf(const RegisterKind& kind, int n) {
    char key[16];
    std::snprintf(key, sizeof key, kind.keyFormat, n);
    return key;
}

// The file's text for a register, "?" when the key is missing.
std::string fileValue(const ProfileDocument& doc, const RegisterKind& kind, int n) {
    return doc.readString(kind.section, keyOf(kind, n), kIllegal, kValueBuffer);
}

bool isIllegal(const std::string& text) { return !text.empty() && text[0] == kIllegal[0]; }

// The leading number of the text; text that is not a number gives 0. The
// unit's registers are 16 bits wide.
std::int16_t registerValue(const std::string& text) {
    return static_cast<std::int16_t>(parseProfileInt(text));
}

void showError(Prompts& prompts, const char* text) {
    prompts.show(text, "Error", MessageIcon::Stop, MessageButtons::Ok);
}

void showWarning(Prompts& prompts, const char* text) {
    prompts.show(text, "Warning", MessageIcon::Exclamation, MessageButtons::Ok);
}

}  // namespace

bool saveRegisters(UnitProtocol& protocol, const std::string& path, const UserPorts& ports) {
    if (protocol.checkUnit(true)) return false;
    // Other sections and keys of an existing file stay; one that cannot be
    // read is not written over.
    ProfileDocument doc;
    FileResult outcome = readProfileForUpdate(path, doc);
    if (!outcome.ok) {
        reportUnableToWrite(ports.prompts, path, outcome.reason);
        return false;
    }

    bool illegal = false;
    {
        ProgressSession progress(ports.progress, kRegisterCount, "Reading current register status");
        for (const RegisterKind& kind : kKinds) {
            for (int n = 0; n < kind.count; ++n) {
                std::int16_t value = 0;
                const bool failed = protocol.readDecimalIndexed(kind.letter, n, value);
                doc.write(kind.section, keyOf(kind, n), failed ? kIllegal : std::to_string(value));
                illegal = illegal || failed;
                progress.step();
            }
        }
    }

    outcome = writeFileAtomically(path, doc.serialize());
    if (!outcome.ok) {
        reportUnableToWrite(ports.prompts, path, outcome.reason);
        return false;
    }
    if (illegal) {
        showWarning(ports.prompts,
                    "One or more B Register values returned were illegal.\n"
                    "This probably means that the values have never been set.\n"
                    "These values will NOT be restored when the registers are reloaded");
    }
    return true;
}

bool loadRegisters(UnitProtocol& protocol, const std::string& path, const UserPorts& ports) {
    // A file that cannot be read must not load as all "?": that would write
    // 0 to every S register.
    ProfileDocument doc;
    const FileResult read = readProfileFile(path, doc);
    if (!read.ok) {
        reportUnableToRead(ports.prompts, path, read.reason);
        return false;
    }
    if (protocol.checkUnit(true)) return false;

    bool illegal = false;
    ProgressSession progress(ports.progress, kRegisterCount, "Writing register values from file");
    for (int n = 0; n < kOutputValues.count; ++n) {
        std::int16_t status = 0;
        if (protocol.readDecimalIndexed(kOutputStatus, n, status)) {
            progress.close();
            showError(ports.prompts, "A communications error occured while attempting to read register status");
            return false;
        }
        // Skipped outputs take no step, so the bar may stop short of its end.
        if ((status & kOutputProtected) != 0) continue;
        const std::string text = fileValue(doc, kOutputValues, n);
        if (isIllegal(text)) {
            illegal = true;
        } else if (protocol.writeDecimalIndexed(kOutputValues.letter, n, registerValue(text))) {
            progress.close();
            showError(ports.prompts, "A communications error occured while attempting to write register value");
            return false;
        }
        progress.step();
    }
    // D and S register writes that fail are only beeped at; loading goes on.
    for (int n = 0; n < kOutputGroups.count; ++n) {
        const std::string text = fileValue(doc, kOutputGroups, n);
        if (isIllegal(text))
            illegal = true;
        else
            protocol.writeDecimalIndexed(kOutputGroups.letter, n, registerValue(text));
        progress.step();
    }
    // An S register marked "?" is written as 0 and not counted as illegal.
    for (int n = 0; n < kSRegisters.count; ++n) {
        const std::string text = fileValue(doc, kSRegisters, n);
        protocol.writeDecimalIndexed(kSRegisters.letter, n, isIllegal(text) ? 0 : registerValue(text));
        progress.step();
    }
    progress.close();
    if (illegal) {
        showWarning(ports.prompts,
                    "One or more B Register values read were illegal.\n"
                    "This probably means that the values have never been set.\n"
                    "These values will NOT be restored.");
    }
    return true;
}

}  // namespace zat
