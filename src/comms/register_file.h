// The unit's working registers (B output values, D output groups, S
// registers) saved to and loaded from a ".reg" file.
#pragma once

#include "comms/protocol.h"
#include "userio/outcome.h"
#include "userio/user_io.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace zat {

class ProfileDocument;

constexpr int kOutputValueCount = 40;  // B registers
constexpr int kOutputGroupCount = 7;   // D registers
constexpr int kSRegisterCount = 6;
constexpr int kRegisterCount = kOutputValueCount + kOutputGroupCount + kSRegisterCount;

// A register file's values as they are written to the unit: nothing for a B
// or D register that is "?" or missing (the unit's value stays); an S
// register so marked is written as 0.
struct RegisterValues {
    std::array<std::optional<std::int16_t>, kOutputValueCount> outputValues{};
    std::array<std::optional<std::int16_t>, kOutputGroupCount> outputGroups{};
    std::array<std::int16_t, kSRegisterCount> sRegisters{};
};

struct RegisterFileRead {
    std::string error;  // why the file is refused; empty when it can be loaded
    RegisterValues values;
    bool ok() const { return error.empty(); }
};

// Reads a register file's document; `name` is the file as messages name it.
// Refused: a document with none of the register keys (an empty or foreign
// file would otherwise write 0 to every S register) -- "<name> holds no
// register values"; and a value outside the registers' signed 16 bits, the
// first in register order -- "Invalid register value B00=99999999999999 in
// <name>: valid range -32768 to 32767". A key that is missing reads "?".
[[nodiscard]] RegisterFileRead readRegisterDocument(const ProfileDocument& doc, const std::string& name);
// The same from the file; one that cannot be read is refused with the reason.
[[nodiscard]] RegisterFileRead readRegisterFile(const std::string& path);

// How a register save ended.
enum class RegisterSave {
    Saved,       // the file holds the snapshot (with the warning about registers not set)
    LineFailed,  // a read went unanswered or came back damaged after every try: nothing
                 // written, and nothing shown but the beep; the caller decides what next
    Stopped,     // the probe went unanswered or the file cannot be written: the user has
                 // been told, and an existing file is left as it was
};

// Reads the 53 registers and updates the file in place with them. "?" marks a
// register the unit returns as not set (it refuses the read, or its value does
// not parse); a read that fails on the line is a communication failure and
// leaves the file alone.
[[nodiscard]] RegisterSave saveRegisters(UnitProtocol& protocol, const std::string& path, const UserIo& io);

// Writes the values to the unit, skipping protected outputs and "?" values.
// Ok when it ran to its end; Failed when the unit did not answer the probe
// or a B register could not be read or written (the user has been told).
[[nodiscard]] Outcome loadRegisters(UnitProtocol& protocol, const RegisterValues& values, const UserIo& io);

// Reads the file and writes its values. Failed also when the file is refused
// (the user is shown why; nothing is sent).
[[nodiscard]] Outcome loadRegisters(UnitProtocol& protocol, const std::string& path, const UserIo& io);

}  // namespace zat
