#include "comms/link_reason.h"

#include "userio/application_title.h"

#include <cerrno>
#include <cstring>
#include <netdb.h>

namespace zat {

namespace {

FieldMessage error(std::string text) { return FieldMessage{std::move(text), "Error", MessageIcon::Stop}; }

FieldMessage plain(std::string text) {
    return FieldMessage{std::move(text), std::string(kApplicationTitle), MessageIcon::None};
}

bool deviceMissing(int error) { return error == ENOENT || error == ENODEV || error == ENXIO; }

std::string systemText(int error) { return error != 0 ? std::string("\n") + std::strerror(error) : std::string(); }

}  // namespace

FieldMessage linkMessage(const LinkReason& reason) {
    switch (reason.failure) {
        case LinkFailure::None:
            return {};
        case LinkFailure::NotOpen:
            return error("The comms port " + reason.device + " is not open");
        case LinkFailure::OpenFailed:
            // "In use" would send the user looking for another program.
            return error("Failed to open the comms port.\n" +
                         (deviceMissing(reason.error) ? reason.device + " does not exist"
                                                      : std::string("It may be in use by another application")));
        case LinkFailure::NotATerminal:
            return plain("Failed to get port state");
        case LinkFailure::Directory:
            return error(reason.device + " is a directory, not a serial port");
        case LinkFailure::SetStateFailed:
            return plain("Failed to set port state");
        case LinkFailure::NoKernelRs485:
            return FieldMessage{
                "The serial driver does not offer RS-485 mode.\nRTS is switched by this program instead.",
                std::string(kApplicationTitle), MessageIcon::Information};
        case LinkFailure::BadAddress:
            return error(reason.device +
                         " is not a serial server address.\nWrite rfc2217://HOST:PORT or tcp://HOST:PORT");
        case LinkFailure::HostNotFound:
            return error("Cannot find the serial server " + reason.device + "\n" + ::gai_strerror(reason.error));
        case LinkFailure::ConnectFailed:
            return error("Failed to connect to the serial server " + reason.device + systemText(reason.error));
        case LinkFailure::PortSettingsRefused:
            return error("The serial server " + reason.device +
                         " did not take the port settings (RFC 2217).\nIs its port a telnet(rfc2217) accepter?");
        case LinkFailure::ConnectionLost:
            return error("The serial server " + reason.device + " closed the connection" + systemText(reason.error));
    }
    return {};
}

}  // namespace zat
