// A symbolic link to the unit's device at a fixed path, so a client can be
// configured once; made at start-up and removed at exit.
#pragma once

#include <string>

namespace zat::sim {

class DeviceLink {
public:
    DeviceLink() = default;
    ~DeviceLink();  // removes the link if it still points at the device
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Makes `path` point at `target`, replacing a symbolic link there but no
    // other kind of file. An empty string on success, else what went wrong.
    std::string create(const std::string& path, const std::string& target);

private:
    std::string path_;
    std::string target_;
};

}  // namespace zat::sim
