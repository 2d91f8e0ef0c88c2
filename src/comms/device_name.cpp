#include "comms/device_name.h"

#include <charconv>
#include <cstdlib>

namespace zat {

namespace {

constexpr std::string_view kSchemeEnd = "://";

struct Scheme {
    std::string_view name;
    DeviceKind kind;
};
constexpr Scheme kSchemes[] = {{"rfc2217", DeviceKind::Rfc2217}, {"tcp", DeviceKind::RawTcp}};

bool validPort(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 1 && value <= 65535;
}

}  // namespace

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

bool isNetworkDevice(std::string_view device) {
    const std::size_t end = device.find(kSchemeEnd);
    if (end == std::string_view::npos || end == 0) return false;
    for (char c : device.substr(0, end)) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

std::optional<DeviceName> readDeviceName(std::string_view device) {
    if (!isNetworkDevice(device)) return DeviceName{DeviceKind::Terminal, {}, {}};
    const std::size_t schemeEnd = device.find(kSchemeEnd);
    const std::string_view scheme = device.substr(0, schemeEnd);
    std::string_view rest = device.substr(schemeEnd + kSchemeEnd.size());
    const Scheme* known = nullptr;
    for (const Scheme& s : kSchemes) {
        if (s.name == scheme) known = &s;
    }
    const std::size_t colon = rest.rfind(':');
    if (known == nullptr || colon == std::string_view::npos) return std::nullopt;
    std::string_view host = rest.substr(0, colon);
    const std::string_view port = rest.substr(colon + 1);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
    if (host.empty() || host.find_first_of("/[]") != std::string_view::npos || !validPort(port)) return std::nullopt;
    return DeviceName{known->kind, std::string(host), std::string(port)};
}

}  // namespace zat
