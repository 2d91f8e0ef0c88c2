// A folder on a nearly full disk: an 8 KiB tmpfs mounted on it where this
// process may mount (root with CAP_SYS_ADMIN), else a file-size limit of the
// same size on this process and the programs it starts, which makes a longer
// write fail (EFBIG) where the full disk would (ENOSPC). Either way a file
// written there stops short part way, after its first bytes went through.
#pragma once

#include "support/temp_dir.h"

#include <csignal>
#include <string>
#include <sys/resource.h>

namespace zat::test {

class SmallDisk {
public:
    static constexpr unsigned long kBytes = 8 * 1024;

    SmallDisk();
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    std::string file(const std::string& name) const { return dir_.file(name); }
    const std::string& path() const { return dir_.path(); }
    bool mounted() const { return mounted_; }

private:
    TempDir dir_;
    bool mounted_ = false;
    struct rlimit savedLimit_ {};
    void (*savedHandler_)(int) = SIG_DFL;
};

}  // namespace zat::test
