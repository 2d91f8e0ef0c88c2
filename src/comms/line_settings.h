// The terminal settings of the unit's line: raw 7-bit characters with odd
// parity and one stop bit, no flow control, no translation of carriage
// returns, and damaged characters marked by the driver (0xFF 0x00 c) so the
// reply collector can turn them into "?".
#pragma once

#include <termios.h>

namespace zat {

// Changes what the line needs and leaves the driver's other settings alone.
// False when the baud rate has no terminal speed.
bool makeUnitLine(termios& tio, int baudRate);

// Whether the settings the driver holds are the ones asked for. Drivers that
// carry no character format (a pseudo-terminal forces 8 bits without parity)
// refuse those bits; everything else must be as asked.
bool unitLineHeld(const termios& wanted, const termios& held);

}  // namespace zat
