#include "support/small_disk.h"

#include <string>
#include <sys/mount.h>

namespace zat::test {

SmallDisk::SmallDisk() {
    const std::string options = "size=" + std::to_string(kBytes);
    mounted_ = ::mount("tmpfs", dir_.path().c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (mounted_) return;
    ::getrlimit(RLIMIT_FSIZE, &savedLimit_);
    // The write then fails instead of the process being killed.
    savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = savedLimit_;
    small.rlim_cur = kBytes;
    ::setrlimit(RLIMIT_FSIZE, &small);
}

SmallDisk::~SmallDisk() {
    if (mounted_) {
        ::umount2(dir_.path().c_str(), MNT_DETACH);
        return;
    }
    ::setrlimit(RLIMIT_FSIZE, &savedLimit_);
    std::signal(SIGXFSZ, savedHandler_);
}

}  // namespace zat::test
