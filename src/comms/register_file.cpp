#include "comms/register_file.h"

#include "comms/frames.h"
#include "comms/unit_items.h"
#include "model/profile_file.h"

#include <cstdint>
#include <cstdio>

namespace zat {
namespace {

struct RegisterKind {
    char letter;  // the unit's item
    int count;
    const char* section;  // of the file
    const char* keyFormat;
};

constexpr RegisterKind kOutputValues{kOutputValueItem, kOutputValueCount, "B REGS", "B%02d"};
constexpr RegisterKind kOutputGroups{kDigitalOutputsItem, kOutputGroupCount, "D REGS", "D%02d"};
constexpr RegisterKind kSRegisters{kProfilerRunsProfileItem, kSRegisterCount, "S REGS", "S%02d"};
constexpr RegisterKind kKinds[] = {kOutputValues, kOutputGroups, kSRegisters};

constexpr char kIllegal[] = "?";
constexpr std::size_t kValueBuffer = 50;

std::string keyOf(const RegisterKind& kind, int n) {
    char key[16];
    std::snprintf(key, sizeof key, kind.keyFormat, n);
    return key;
}

bool isIllegal(const std::string& text) { return !text.empty() && text[0] == kIllegal[0]; }

// Reads each register of a kind in turn: nothing for "?" or a missing key,
// else its value. False, with the message, at the first value too wide.
template <typename Take>
bool readKind(const ProfileDocument& doc, const RegisterKind& kind, const std::string& name, std::string& error,
              Take&& take) {
    for (int n = 0; n < kind.count; ++n) {
        const std::string key = keyOf(kind, n);
        const std::string text = doc.readString(kind.section, key, kIllegal, kValueBuffer);
        if (isIllegal(text)) {
            take(n, std::optional<std::int16_t>());
            continue;
        }
        // The leading number counts ("12abc" is 12), but it must fit the register.
        const auto value = parseProfileIntWithin(text, INT16_MIN, INT16_MAX);
        if (!value) {
            error = "Invalid register value " + key + "=" + text + " in " + name + ": valid range " +
                    std::to_string(INT16_MIN) + " to " + std::to_string(INT16_MAX);
            return false;
        }
        take(n, std::optional<std::int16_t>(static_cast<std::int16_t>(*value)));
    }
    return true;
}

bool holdsAnyRegister(const ProfileDocument& doc) {
    for (const RegisterKind& kind : kKinds)
        for (int n = 0; n < kind.count; ++n)
            if (doc.value(kind.section, keyOf(kind, n))) return true;
    return false;
}

enum class RegisterRead { Value, NotSet, LineFailed };

// A failed read is the unit's answer when it refused the request or its
// accepted reply held no value that parses; anything else failed on the line.
RegisterRead readRegister(UnitProtocol& protocol, char letter, int n, std::int16_t& value) {
    if (succeeded(protocol.readDecimalIndexed(letter, n, value))) return RegisterRead::Value;
    if (protocol.lastRefused()) return RegisterRead::NotSet;
    const UnitLink& link = protocol.link();
    const std::string request = readIndexedFrame(protocol.settings().address, letter, n);
    const bool answered = link.replyComplete() && !link.reply().empty() && link.reply()[0] == kAccepted &&
                          echoMatches(request, link.reply(), kEchoIndexed);
    return answered ? RegisterRead::NotSet : RegisterRead::LineFailed;
}

void showError(Prompts& prompts, const std::string& text) {
    prompts.show(text, "Error", MessageIcon::Stop, MessageButtons::Ok);
}

void showWarning(Prompts& prompts, const char* text) {
    prompts.show(text, "Warning", MessageIcon::Exclamation, MessageButtons::Ok);
}

}  // namespace

RegisterSave saveRegisters(UnitProtocol& protocol, const std::string& path, const UserIo& io) {
    if (failed(protocol.checkUnit(true))) return RegisterSave::Stopped;
    // Other sections and keys of an existing file stay; one that cannot be
    // read is not written over.
    ProfileDocument doc;
    FileResult outcome = readProfileForUpdate(path, doc);
    if (!outcome.ok) {
        reportUnableToWrite(io.prompts, path, outcome.reason);
        return RegisterSave::Stopped;
    }

    bool notSet = false;
    {
        ProgressSession progress(io.progress, kRegisterCount, "Reading current register status");
        for (const RegisterKind& kind : kKinds) {
            for (int n = 0; n < kind.count; ++n) {
                std::int16_t value = 0;
                switch (readRegister(protocol, kind.letter, n, value)) {
                    case RegisterRead::Value:
                        doc.write(kind.section, keyOf(kind, n), std::to_string(value));
                        break;
                    case RegisterRead::NotSet:
                        doc.write(kind.section, keyOf(kind, n), kIllegal);
                        notSet = true;
                        break;
                    case RegisterRead::LineFailed:
                        return RegisterSave::LineFailed;
                }
                progress.step();
            }
        }
    }

    outcome = writeFileAtomically(path, doc.serialize());
    if (!outcome.ok) {
        reportUnableToWrite(io.prompts, path, outcome.reason);
        return RegisterSave::Stopped;
    }
    if (notSet) {
        showWarning(io.prompts,
                    "One or more B Register values returned were illegal.\n"
                    "This probably means that the values have never been set.\n"
                    "These values will NOT be restored when the registers are reloaded");
    }
    return RegisterSave::Saved;
}

RegisterFileRead readRegisterDocument(const ProfileDocument& doc, const std::string& name) {
    RegisterFileRead read;
    if (!holdsAnyRegister(doc)) {
        read.error = name + " holds no register values";
        return read;
    }
    RegisterValues& values = read.values;
    const bool fits =
        readKind(doc, kOutputValues, name, read.error, [&](int n, auto value) { values.outputValues[n] = value; }) &&
        readKind(doc, kOutputGroups, name, read.error, [&](int n, auto value) { values.outputGroups[n] = value; }) &&
        readKind(doc, kSRegisters, name, read.error,
                 [&](int n, auto value) { values.sRegisters[n] = value.value_or(0); });
    if (!fits) read.values = RegisterValues{};
    return read;
}

RegisterFileRead readRegisterFile(const std::string& path) {
    // A file that cannot be read must not load as all "?": that would write
    // 0 to every S register.
    ProfileDocument doc;
    const FileResult file = readProfileFile(path, doc);
    if (!file.ok) return RegisterFileRead{unableToReadMessage(path, file.reason), {}};
    return readRegisterDocument(doc, path);
}

Outcome loadRegisters(UnitProtocol& protocol, const std::string& path, const UserIo& io) {
    const RegisterFileRead file = readRegisterFile(path);
    if (!file.ok()) {
        showError(io.prompts, file.error);
        return Outcome::Failed;
    }
    return loadRegisters(protocol, file.values, io);
}

Outcome loadRegisters(UnitProtocol& protocol, const RegisterValues& values, const UserIo& io) {
    if (failed(protocol.checkUnit(true))) return Outcome::Failed;

    bool illegal = false;
    ProgressSession progress(io.progress, kRegisterCount, "Writing register values from file");
    for (int n = 0; n < kOutputValues.count; ++n) {
        std::int16_t status = 0;
        if (failed(protocol.readDecimalIndexed(kOutputStatusItem, n, status))) {
            progress.close();
            // "occured" here and below is kept as the unit's users know these messages.
            showError(io.prompts, "A communications error occured while attempting to read register status");
            return Outcome::Failed;
        }
        // Skipped outputs take no step, so the bar may stop short of its end.
        if ((status & kOutputProtected) != 0) continue;
        const std::optional<std::int16_t>& value = values.outputValues[n];
        if (!value) {
            illegal = true;
        } else if (failed(protocol.writeDecimalIndexed(kOutputValues.letter, n, *value))) {
            progress.close();
            showError(io.prompts, "A communications error occured while attempting to write register value");
            return Outcome::Failed;
        }
        progress.step();
    }
    // D and S register writes that fail are only beeped at; loading goes on.
    for (int n = 0; n < kOutputGroups.count; ++n) {
        const std::optional<std::int16_t>& value = values.outputGroups[n];
        if (!value)
            illegal = true;
        else
            (void)protocol.writeDecimalIndexed(kOutputGroups.letter, n, *value);
        progress.step();
    }
    // An S register marked "?" is written as 0 and not counted as illegal.
    for (int n = 0; n < kSRegisters.count; ++n) {
        (void)protocol.writeDecimalIndexed(kSRegisters.letter, n, values.sRegisters[n]);
        progress.step();
    }
    progress.close();
    if (illegal) {
        showWarning(io.prompts,
                    "One or more B Register values read were illegal.\n"
                    "This probably means that the values have never been set.\n"
                    "These values will NOT be restored.");
    }
    return Outcome::Ok;
}

}  // namespace zat
