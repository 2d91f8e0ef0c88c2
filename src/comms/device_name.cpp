#include "comms/device_name.h"

#include <cstdlib>

namespace zat {

std::optional<std::string> processEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

std::string comPortVariable(int port) { return "ZAT_COM" + std::to_string(port); }

std::string comPortDevicePath(int port, const EnvironmentLookup& environment) {
    if (auto named = environment(comPortVariable(port)); named && !named->empty()) return *named;
    return "/dev/ttyS" + std::to_string(port - 1);
}

}  // namespace zat
