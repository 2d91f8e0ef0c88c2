#include "model/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace zat {
namespace {

FileResult failure(int error) {
    FileResult result;
    result.reason = std::strerror(error);
    return result;
}

FileResult success() {
    FileResult result;
    result.ok = true;
    return result;
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links in the last part of the path, so that the rename
// replaces the file a link names rather than the link. A dangling link names
// the file to create.
bool resolveTarget(const std::string& path, std::string& target, int& error) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0) {
            if (errno == ENOENT) return true;
            error = errno;
            return false;
        }
        if (!S_ISLNK(st.st_mode)) return true;
        // Some links report no size; one that fills the buffer may have changed.
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<std::size_t>(n) >= link.size()) {
            error = n < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        link.resize(static_cast<std::size_t>(n));
        if (link.empty()) {
            error = ENOENT;
            return false;
        }
        target = link.front() == '/' ? link : directoryOf(target) + "/" + link;
    }
    error = ELOOP;
    return false;
}

// The mode a newly created file would get, read without changing the umask
// where the system allows it, as umask() itself is process-wide.
mode_t newFileMode() {
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (std::fgets(line, sizeof line, status) != nullptr) {
            if (std::sscanf(line, "Umask: %o", &mask) == 1) {
                found = true;
                break;
            }
        }
        std::fclose(status);
        if (found) return static_cast<mode_t>(0666 & ~mask);
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

bool writeAll(int fd, std::string_view bytes, int& error) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        if (n == 0) {  // no progress and no reason: do not spin
            error = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void syncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // some file systems refuse this; the data itself is already synced
    ::close(fd);
}

}  // namespace

FileResult readWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        FileResult result = failure(error);
        result.missing = error == ENOENT;
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return failure(error);
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        return failure(EISDIR);
    }
    if (S_ISREG(st.st_mode) && st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));

    // Read until end of file rather than trusting the size, which may change
    // or be unknown (pipes, /proc).
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            bytes.clear();
            return failure(error);
        }
        if (n == 0) break;
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return success();
}

FileResult writeFileAtomically(const std::string& path, const std::string& bytes) {
    if (path.empty()) return failure(ENOENT);

    std::string target;
    int error = 0;
    if (!resolveTarget(path, target, error)) return failure(error);

    mode_t mode = 0;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) return failure(EISDIR);
        mode = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        return failure(errno);
    } else {
        mode = newFileMode();
    }

    const std::string directory = directoryOf(target);
    // The temporary name must fit in a directory entry whatever the target's.
    std::string name = baseNameOf(target);
    if (name.size() > 200) name.resize(200);
    std::string temp = directory + "/." + name + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return failure(errno);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);

    auto abandon = [&temp](int fdToClose, int why) {
        if (fdToClose >= 0) ::close(fdToClose);
        ::unlink(temp.c_str());
        return failure(why);
    };

    if (!writeAll(fd, bytes, error)) return abandon(fd, error);
    if (exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
        // Best effort: only a privileged user can give a file away, and the
        // file is still good with our ownership.
        const int ignored = ::fchown(fd, existing.st_uid, existing.st_gid);
        (void)ignored;
    }
    // Mode first, so that the sync covers it too.
    if (::fchmod(fd, mode) != 0) return abandon(fd, errno);
    if (::fsync(fd) != 0) return abandon(fd, errno);
    // A failing close can report a lost write (e.g. on network file systems).
    if (::close(fd) != 0) return abandon(-1, errno);
    if (::rename(temp.c_str(), target.c_str()) != 0) return abandon(-1, errno);
    syncDirectory(directory);
    return success();
}

}  // namespace zat
