#include "sim/device_link.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zat::sim {

namespace {

std::string linkTarget(const std::string& path) {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
    return length > 0 ? std::string(buffer.data(), static_cast<std::size_t>(length)) : std::string();
}

}  // namespace

std::string DeviceLink::create(const std::string& path, const std::string& target) {
    struct stat existing {};
    if (lstat(path.c_str(), &existing) == 0 && !S_ISLNK(existing.st_mode)) {
        return path + " exists and is not a symbolic link";
    }
    // Made beside it and renamed over it, so the path never goes missing
    // for a client that is looking at it.
    const std::string temporary = path + ".new-" + std::to_string(getpid());
    std::remove(temporary.c_str());
    if (symlink(target.c_str(), temporary.c_str()) != 0) {
        return "cannot make link " + path + ": " + std::strerror(errno);
    }
    if (rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        return "cannot make link " + path + ": " + reason;
    }
    path_ = path;
    target_ = target;
    return {};
}

DeviceLink::~DeviceLink() {
    if (!path_.empty() && linkTarget(path_) == target_) unlink(path_.c_str());
}

}  // namespace zat::sim
