// The unit's working registers (B output values, D output groups, S
// registers) saved to and loaded from a ".reg" file.
#pragma once

#include <string>

#include "app/ports.h"
#include "comms/protocol.h"

namespace zat {

constexpr int kRegisterCount = 53;  // 40 B, 7 D and 6 S registers

// Reads the 53 registers into the file, updating it in place ("?" for a
// register that could not be read). True when the snapshot ran to its end
// (with or without the warning about illegal values); false when the unit
// did not answer the probe or the file could not be written (the user has
// been told; an existing file is left as it was).
bool saveRegisters(UnitProtocol& protocol, const std::string& path, const UserPorts& ports);

// Writes the registers of the file to the unit, skipping protected outputs
// and "?" values. True when it ran to its end; false when the file could not
// be read (nothing is sent), the unit did not answer the probe, or a B
// register could not be read or written (the user has been told).
bool loadRegisters(UnitProtocol& protocol, const std::string& path, const UserPorts& ports);

}  // namespace zat
