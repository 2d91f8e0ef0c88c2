// Why the link could not do what it was asked: what failed and the system's
// error number. The link only reports; the commands and the windows turn a
// reason into the message a person reads (linkMessage).
#pragma once

#include "userio/field_check.h"

#include <string>

namespace zat {

enum class LinkFailure {
    None,
    NotOpen,              // an exchange on a port that is not open
    OpenFailed,           // the device cannot be opened or another program holds it
    NotATerminal,         // the device is no terminal (a file, a FIFO, /dev/null)
    Directory,            // the device names a folder
    SetStateFailed,       // the line settings were refused; the port stays open
    NoKernelRs485,        // the driver has no RS-485 mode; RTS is switched by us (a note)
    BadAddress,           // a network address that cannot be read
    HostNotFound,         // the name of the serial server is unknown
    ConnectFailed,        // refused, unreachable or no answer within the connect timeout
    PortSettingsRefused,  // the serial server did not take the line settings (RFC 2217)
    ConnectionLost,       // the serial server closed the connection
};

struct LinkReason {
    LinkFailure failure = LinkFailure::None;
    int error = 0;       // errno (getaddrinfo's code for HostNotFound), 0 when none applies
    std::string device;  // the device or address concerned

    bool ok() const { return failure == LinkFailure::None; }
    // Whether the port is open all the same (a refused line setting, a note).
    bool portKept() const { return failure == LinkFailure::SetStateFailed || failure == LinkFailure::NoKernelRs485; }
};

// The message box for a reason that is not ok.
FieldMessage linkMessage(const LinkReason& reason);

}  // namespace zat
