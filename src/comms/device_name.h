// Which device file a port number names. "COM n" is /dev/ttyS<n-1> unless the
// environment variable ZAT_COM<n> names another device (ZAT_COM4=/dev/ttyUSB0).
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace zat {

using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The process environment.
std::optional<std::string> processEnvironment(const std::string& name);

std::string comPortDevicePath(int port, const EnvironmentLookup& environment = processEnvironment);

// "ZAT_COM4" for port 4: the variable that overrides that port's device.
std::string comPortVariable(int port);

}  // namespace zat
