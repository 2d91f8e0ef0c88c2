// Which device a port names, and what a device is. "COM n" is
// /dev/ttyS<n-1> unless the environment variable ZAT_COM<n> names another
// device (ZAT_COM4=/dev/ttyUSB0, ZAT_COM2=rfc2217://10.0.0.7:4001).
//
// A device is a path (a serial device or a pseudo-terminal) or the address of
// a serial server: rfc2217://HOST:PORT (Telnet with the COM-PORT-OPTION, the
// port's settings set from ours) or tcp://HOST:PORT (raw, the port set up on
// the server).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zat {

using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The process environment.
std::optional<std::string> processEnvironment(const std::string& name);

std::string comPortDevicePath(int port, const EnvironmentLookup& environment = processEnvironment);

// "ZAT_COM4" for port 4: the variable that overrides that port's device.
std::string comPortVariable(int port);

enum class DeviceKind { Terminal, Rfc2217, RawTcp };

struct DeviceName {
    DeviceKind kind = DeviceKind::Terminal;
    std::string host;  // without the brackets of an IPv6 address
    std::string port;  // 1..65535, as written
};

// Whether the device is written as an address ("scheme://...").
bool isNetworkDevice(std::string_view device);
// The device read; none for an address with an unknown scheme, no host or
// no port in 1..65535.
std::optional<DeviceName> readDeviceName(std::string_view device);

}  // namespace zat
