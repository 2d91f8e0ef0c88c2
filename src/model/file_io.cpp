#include "model/file_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Why a file of this type is not read or replaced. A folder keeps the
// system's own words, as it always had them.
FileResult notARegularFile(mode_t mode) {
    if (S_ISDIR(mode)) return failure(EISDIR);
    const char* kind = S_ISCHR(mode)    ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISFIFO(mode) ? "a named pipe (FIFO)"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "a special file";
    FileResult result;
    result.reason = std::string("Is ") + kind + ", not a regular file";
    return result;
}

FileResult tooLarge() {
    FileResult result;
    result.reason = "File too large: over " + std::to_string(kMaxFileSize / (1024 * 1024)) + " MiB";
    return result;
}

FileResult tooLargeToReadBack() {
    FileResult result;
    result.reason = "File too large: it would pass " + std::to_string(kMaxFileSize / (1024 * 1024)) +
                    " MiB, more than this program can open again";
    return result;
}

// Temporary files are "." + the target's name (cut to fit) + "." + six
// letters or digits, the form mkstemp makes; one of ours left behind is
// recognised by that form alone.
constexpr std::size_t kTempNameLimit = 200;
constexpr std::size_t kTempSuffixLength = 6;
constexpr std::string_view kTempLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

std::string tempPrefix(const std::string& target) {
    std::string name = baseNameOf(target);
    if (name.size() > kTempNameLimit) name.resize(kTempNameLimit);
    return "." + name + ".";
}

bool isTempNameOf(std::string_view entry, std::string_view prefix) {
    if (entry.size() != prefix.size() + kTempSuffixLength || entry.substr(0, prefix.size()) != prefix) return false;
    return entry.substr(prefix.size()).find_first_not_of(kTempLetters) == std::string_view::npos;
}

std::string randomSuffix() {
    unsigned char random[kTempSuffixLength];
    if (::getrandom(random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random)) {
        // No entropy yet (early boot): any spread will do, a clash is retried.
        static std::uint64_t counter = 0;
        std::uint64_t mix = static_cast<std::uint64_t>(::getpid()) * 0x9E3779B97F4A7C15ull ^
                            static_cast<std::uint64_t>(std::time(nullptr)) ^ ++counter * 0xBF58476D1CE4E5B9ull;
        for (unsigned char& byte : random) {
            byte = static_cast<unsigned char>(mix);
            mix = (mix >> 8) | (mix << 56);
        }
    }
    std::string suffix;
    for (unsigned char byte : random) suffix += kTempLetters[byte % kTempLetters.size()];
    return suffix;
}

// A temporary file being written. It holds an exclusive flock for as long as
// it is open, so that another save's clean-up leaves it alone.
struct TempFileState {
    int fd = -1;
    std::string name;  // empty while unnamed
};

// Gives a finished unnamed file a name beside the target. Linking through
// /proc needs no privilege; AT_EMPTY_PATH is tried where /proc is missing.
bool nameUnnamedFile(int fd, const std::string& prefix, const std::string& directory, std::string& name, int& error) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int tries = 0; tries < 100; ++tries) {
        name = directory + "/" + prefix + randomSuffix();
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
        if (errno == EEXIST) continue;
        if (errno == ENOENT && ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) return true;
        if (errno == EEXIST) continue;
        error = errno;
        name.clear();
        return false;
    }
    error = EEXIST;
    name.clear();
    return false;
}

// Removes what interrupted saves of the target left: regular files of ours
// named like our temporary files and not locked by a save still running.
// Anything else, or anything that changes under us, is left alone.
void removeLeftovers(const std::string& directory, const std::string& prefix) {
    DIR* folder = ::opendir(directory.c_str());
    if (folder == nullptr) return;
    const int folderFd = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        if (!isTempNameOf(entry->d_name, prefix)) continue;
        const int fd = ::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(folderFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_ino == opened.st_ino &&
            named.st_dev == opened.st_dev) {
            ::unlinkat(folderFd, entry->d_name, 0);
        }
        ::close(fd);
    }
    ::closedir(folder);
}

// The fallback for a folder in which no file can be made: the target itself
// is rewritten, if the user may write it. Not crash-safe, but no worse than
// what the user could do with any editor.
bool mayRewriteInPlace(int tempError) { return tempError == EACCES || tempError == EPERM || tempError == EROFS; }

FileResult rewriteInPlace(const std::string& target, const std::string& bytes, int tempError) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return failure(tempError);  // the folder's refusal says more than the file's
    struct stat st {};
    int error = 0;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return failure(tempError);
    }
    if (!writeAll(fd, bytes, error) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd) != 0) {
        if (error == 0) error = errno;
        ::close(fd);
        return failure(error);
    }
    if (::close(fd) != 0) return failure(errno);
    return success();
}

}  // namespace

FileResult readWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    int fd;
    // Non-blocking, so that a FIFO without a writer cannot hold the open; it
    // is refused below like every other file that is not a regular one.
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
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
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return notARegularFile(st.st_mode);
    }
    if (st.st_size < 0 || static_cast<std::uint64_t>(st.st_size) > kMaxFileSize) {
        ::close(fd);
        return tooLarge();
    }

    // Read until end of file rather than trusting the size, which may change
    // or be unknown (/proc), but never more than one byte beyond the limit:
    // a file that grows while it is read is caught too.
    std::size_t capacity = static_cast<std::size_t>(st.st_size) + 1;
    bytes.resize(capacity);
    std::size_t got = 0;
    for (;;) {
        if (got == capacity) {
            capacity = std::min(std::max(capacity * 2, std::size_t{4096}), kMaxFileSize + 1);
            bytes.resize(capacity);
        }
        const ssize_t n = ::read(fd, bytes.data() + got, capacity - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            bytes.clear();
            return failure(error);
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
        if (got > kMaxFileSize) {
            ::close(fd);
            bytes.clear();
            bytes.shrink_to_fit();
            return tooLarge();
        }
    }
    ::close(fd);
    bytes.resize(got);
    return success();
}

FileResult writeFileAtomically(const std::string& path, const std::string& bytes) {
    return file_io_detail::writeFileAtomically(path, bytes, file_io_detail::TempFile::Unnamed);
}

FileResult file_io_detail::writeFileAtomically(const std::string& path, const std::string& bytes, TempFile how) {
    if (path.empty()) return failure(ENOENT);
    // A file the reader would refuse is not written: it would open blank.
    if (bytes.size() > kMaxFileSize) return tooLargeToReadBack();

    std::string target;
    int error = 0;
    if (!resolveTarget(path, target, error)) return failure(error);

    mode_t mode = 0;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        // Renaming over a device or a FIFO would put a plain file in its
        // place (think of /dev/null): only regular files are replaced.
        if (!S_ISREG(existing.st_mode)) return notARegularFile(existing.st_mode);
        mode = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        return failure(errno);
    } else {
        mode = newFileMode();
    }

    const std::string directory = directoryOf(target);
    const std::string prefix = tempPrefix(target);
    TempFileState temp;
    // Unnamed until complete, so that a save killed part way leaves nothing.
    if (how == TempFile::Unnamed) temp.fd = ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (temp.fd < 0) {
        // No O_TMPFILE here (or it was refused): a named file, which the
        // next save clears away if this one is interrupted.
        temp.name = directory + "/" + prefix + "XXXXXX";
        temp.fd = ::mkostemp(temp.name.data(), O_CLOEXEC);
        if (temp.fd < 0) {
            error = errno;
            if (exists && mayRewriteInPlace(error)) return rewriteInPlace(target, bytes, error);
            return failure(error);
        }
    }
    ::flock(temp.fd, LOCK_EX);  // our own new file: only a clean-up could contend, and it does not wait

    auto abandon = [&temp](int why) {
        if (temp.fd >= 0) ::close(temp.fd);
        if (!temp.name.empty()) ::unlink(temp.name.c_str());
        return failure(why);
    };

    if (!writeAll(temp.fd, bytes, error)) return abandon(error);
    if (exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
        // Best effort: only a privileged user can give a file away, and the
        // file is still good with our ownership.
        const int ignored = ::fchown(temp.fd, existing.st_uid, existing.st_gid);
        (void)ignored;
    }
    // Mode first, so that the sync covers it too.
    if (::fchmod(temp.fd, mode) != 0) return abandon(errno);
    if (::fsync(temp.fd) != 0) return abandon(errno);
    if (temp.name.empty() && !nameUnnamedFile(temp.fd, prefix, directory, temp.name, error)) {
        // Linking needs /proc or a privilege; without either, save the slow way.
        ::close(temp.fd);
        return file_io_detail::writeFileAtomically(path, bytes, TempFile::Named);
    }
    // A failing close can report a lost write (e.g. on network file systems).
    // It also lifts the lock; a clean-up could take the file before the
    // rename only in the instant between the two.
    const int fd = temp.fd;
    temp.fd = -1;
    if (::close(fd) != 0) return abandon(errno);
    if (::rename(temp.name.c_str(), target.c_str()) != 0) return abandon(errno);
    removeLeftovers(directory, prefix);
    syncDirectory(directory);
    return success();
}

}  // namespace zat
