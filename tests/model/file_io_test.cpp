#include "model/database_file.h"
#include "model/file_io.h"
#include "model/profile_document.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zat {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

std::set<std::string> entriesOf(const std::string& directory) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) names.insert(entry.path().filename().string());
    return names;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

// Restores the umask when the test ends, whatever it asserts.
class UmaskGuard {
public:
    explicit UmaskGuard(mode_t mask) : old_(::umask(mask)) {}
    ~UmaskGuard() { ::umask(old_); }

private:
    mode_t old_;
};

// Runs `body` in a child process, as an unprivileged user if asked and we are
// root, and hands back what it returned; nothing when privileges cannot be
// dropped here. An alarm ends a child that blocks, so a hang fails the test.
std::optional<std::string> inChild(const std::function<std::string()>& body, bool unprivileged = false) {
    int channel[2];
    if (::pipe(channel) != 0) return std::string("pipe failed");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::alarm(20);
        if (unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        const std::string message = body();
        const ssize_t sent = ::write(channel[1], message.data(), message.size());
        ::_exit(sent == static_cast<ssize_t>(message.size()) ? 0 : 3);
    }
    ::close(channel[1]);
    std::string message;
    char buffer[256];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 2) return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "child failed, status " + std::to_string(status);
    return message;
}

std::string outcome(const FileResult& result) { return result.ok ? "ok" : result.reason; }

// --- Reading ---------------------------------------------------------------------

TEST(FileIoRead, ReadsEveryByte) {
    test::TempDir dir;
    const std::string bytes = "[S]\r\nA=1\0\xFF\r\n"s + std::string(300000, 'z');  // beyond one read chunk
    test::writeFile(dir.file("db.zat"), bytes);
    std::string read = "stale";
    const FileResult result = readWholeFile(dir.file("db.zat"), read);
    EXPECT_TRUE(result.ok) << result.reason;
    EXPECT_FALSE(result.missing);
    EXPECT_EQ(read, bytes);
}

TEST(FileIoRead, ReadsAnEmptyFile) {
    test::TempDir dir;
    test::writeFile(dir.file("empty.zat"), "");
    std::string read = "stale";
    EXPECT_TRUE(readWholeFile(dir.file("empty.zat"), read).ok);
    EXPECT_EQ(read, "");
}

TEST(FileIoRead, MissingFileIsReportedAsMissing) {
    test::TempDir dir;
    std::string read = "stale";
    const FileResult result = readWholeFile(dir.file("nothing.zat"), read);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.missing);
    EXPECT_EQ(result.reason, std::strerror(ENOENT));
    EXPECT_EQ(read, "");
}

TEST(FileIoRead, DirectoryFailsWithAReason) {
    test::TempDir dir;
    std::string read;
    const FileResult result = readWholeFile(dir.path(), read);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.missing);
    EXPECT_EQ(result.reason, std::strerror(EISDIR));
}

// A FIFO used to block the open, a device to be read without end.
TEST(FileIoRead, OnlyRegularFilesAreRead) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir.file("zero.zat"));
    struct Case {
        std::string path;
        std::string reason;
    };
    const std::string device = "Is a character device, not a regular file";
    for (const Case& c : {Case{dir.file("fifo"), "Is a named pipe (FIFO), not a regular file"},
                          Case{dir.file("zero.zat"), device}, Case{"/dev/null", device}}) {
        const auto reason = inChild([&c] {
            std::string read;
            return outcome(readWholeFile(c.path, read)) + (read.empty() ? "" : " with bytes");
        });
        EXPECT_EQ(reason, c.reason) << c.path;
    }
}

TEST(FileIoRead, FilesOverTheLimitAreRefused) {
    test::TempDir dir;
    for (const std::size_t size : {kMaxFileSize, kMaxFileSize + 1}) {
        test::writeFile(dir.file("big.zat"), "");
        ASSERT_EQ(::truncate(dir.file("big.zat").c_str(), static_cast<off_t>(size)), 0);  // sparse: no disk used
        std::string read;
        const FileResult result = readWholeFile(dir.file("big.zat"), read);
        EXPECT_EQ(outcome(result), size == kMaxFileSize ? "ok" : "File too large: over 16 MiB") << size;
        EXPECT_EQ(read.size(), size == kMaxFileSize ? size : 0u);
    }
}

TEST(FileIoRead, PathThroughARegularFileIsNotMissing) {
    test::TempDir dir;
    test::writeFile(dir.file("plain"), "x");
    std::string read;
    const FileResult result = readWholeFile(dir.file("plain") + "/db.zat", read);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.missing);
    EXPECT_EQ(result.reason, std::strerror(ENOTDIR));
}

// --- Writing ---------------------------------------------------------------------

TEST(FileIoWrite, WrittenBytesReadBack) {
    test::TempDir dir;
    const std::string bytes = "[S]\r\nA=1\0\xFF\r\n"s + std::string(200000, 'q');
    const FileResult written = writeFileAtomically(dir.file("db.zat"), bytes);
    ASSERT_TRUE(written.ok) << written.reason;
    std::string read;
    ASSERT_TRUE(readWholeFile(dir.file("db.zat"), read).ok);
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{"db.zat"});
}

// What the reader would refuse is not written at all: the old file stays.
TEST(FileIoWrite, NothingIsWrittenThatCouldNotBeReadBack) {
    test::TempDir dir;
    test::writeFile(dir.file("db.zat"), "old contents");
    for (const std::size_t size : {kMaxFileSize, kMaxFileSize + 1}) {
        const FileResult written = writeFileAtomically(dir.file("db.zat"), std::string(size, ';'));
        EXPECT_EQ(outcome(written), size == kMaxFileSize
                                        ? "ok"
                                        : "File too large: it would pass 16 MiB, more than this program can open again")
            << size;
        if (size > kMaxFileSize) {
            EXPECT_EQ(fs::file_size(dir.file("db.zat")), kMaxFileSize);
        }
    }
    EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{"db.zat"});
}

TEST(FileIoWrite, EmptyContentMakesAnEmptyFile) {
    test::TempDir dir;
    test::writeFile(dir.file("db.zat"), "old contents");
    ASSERT_TRUE(writeFileAtomically(dir.file("db.zat"), "").ok);
    EXPECT_EQ(test::readFile(dir.file("db.zat")), "");
    EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{"db.zat"});
}

TEST(FileIoWrite, ReplacesTheFileRatherThanOverwritingIt) {
    test::TempDir dir;
    test::writeFile(dir.file("db.zat"), "old contents");
    // A second name for the old file sees the old bytes only if the new file
    // was written beside it and renamed over it.
    ASSERT_EQ(::link(dir.file("db.zat").c_str(), dir.file("old.zat").c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(dir.file("db.zat"), "new").ok);
    EXPECT_EQ(test::readFile(dir.file("db.zat")), "new");
    EXPECT_EQ(test::readFile(dir.file("old.zat")), "old contents");
    EXPECT_EQ(entriesOf(dir.path()), (std::set<std::string>{"db.zat", "old.zat"}));
}

TEST(FileIoWrite, ReplacingKeepsTheFileMode) {
    test::TempDir dir;
    for (const mode_t mode : {mode_t{0640}, mode_t{0604}, mode_t{0600}, mode_t{0755}}) {
        const std::string path = dir.file("db.zat");
        test::writeFile(path, "old");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(writeFileAtomically(path, "new").ok);
        EXPECT_EQ(modeOf(path), mode);
        EXPECT_EQ(test::readFile(path), "new");
    }
}

TEST(FileIoWrite, NewFileGetsTheUsualModeForTheUmask) {
    test::TempDir dir;
    {
        UmaskGuard guard(027);
        ASSERT_TRUE(writeFileAtomically(dir.file("a.zat"), "x").ok);
    }
    {
        UmaskGuard guard(0);
        ASSERT_TRUE(writeFileAtomically(dir.file("b.zat"), "x").ok);
    }
    EXPECT_EQ(modeOf(dir.file("a.zat")), mode_t{0640});
    EXPECT_EQ(modeOf(dir.file("b.zat")), mode_t{0666});
}

TEST(FileIoWrite, WritingThroughASymlinkKeepsTheLink) {
    test::TempDir dir;
    fs::create_directory(dir.file("real"));
    test::writeFile(dir.file("real/target.zat"), "old");
    ASSERT_EQ(::chmod(dir.file("real/target.zat").c_str(), 0640), 0);
    fs::create_symlink("real/target.zat", dir.file("link.zat"));  // relative to the link's folder
    fs::create_symlink("link.zat", dir.file("chain.zat"));

    ASSERT_TRUE(writeFileAtomically(dir.file("link.zat"), "via link").ok);
    EXPECT_TRUE(fs::is_symlink(dir.file("link.zat")));
    EXPECT_EQ(fs::read_symlink(dir.file("link.zat")), "real/target.zat");
    EXPECT_EQ(test::readFile(dir.file("real/target.zat")), "via link");
    EXPECT_EQ(modeOf(dir.file("real/target.zat")), mode_t{0640});

    ASSERT_TRUE(writeFileAtomically(dir.file("chain.zat"), "via chain").ok);
    EXPECT_TRUE(fs::is_symlink(dir.file("chain.zat")));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.zat")));
    EXPECT_EQ(test::readFile(dir.file("real/target.zat")), "via chain");

    // The temporary file was made beside the target, and is gone.
    EXPECT_EQ(entriesOf(dir.path()), (std::set<std::string>{"real", "link.zat", "chain.zat"}));
    EXPECT_EQ(entriesOf(dir.file("real")), std::set<std::string>{"target.zat"});
}

TEST(FileIoWrite, DanglingSymlinkCreatesTheFileItNames) {
    test::TempDir dir;
    fs::create_symlink(dir.file("new.zat"), dir.file("link.zat"));  // absolute
    ASSERT_TRUE(writeFileAtomically(dir.file("link.zat"), "made").ok);
    EXPECT_TRUE(fs::is_symlink(dir.file("link.zat")));
    EXPECT_EQ(test::readFile(dir.file("new.zat")), "made");
    EXPECT_EQ(entriesOf(dir.path()), (std::set<std::string>{"link.zat", "new.zat"}));
}

TEST(FileIoWrite, RelativePathWritesInTheWorkingDirectory) {
    test::TempDir dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    const FileResult result = writeFileAtomically("db.zat", "here");
    fs::current_path(before);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(test::readFile(dir.file("db.zat")), "here");
    EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{"db.zat"});
}

TEST(FileIoWrite, MissingDirectoryFails) {
    test::TempDir dir;
    const FileResult result = writeFileAtomically(dir.file("no/such/dir/db.zat"), "x");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, std::strerror(ENOENT));
    EXPECT_TRUE(entriesOf(dir.path()).empty());
}

TEST(FileIoWrite, ParentThatIsAFileFails) {
    test::TempDir dir;
    test::writeFile(dir.file("plain"), "keep");
    const FileResult result = writeFileAtomically(dir.file("plain") + "/db.zat", "x");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, std::strerror(ENOTDIR));
    EXPECT_EQ(test::readFile(dir.file("plain")), "keep");
    EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{"plain"});
}

TEST(FileIoWrite, TargetThatIsADirectoryFails) {
    test::TempDir dir;
    fs::create_directory(dir.file("db.zat"));
    fs::create_symlink("db.zat", dir.file("link.zat"));
    for (const char* name : {"db.zat", "link.zat"}) {
        const FileResult result = writeFileAtomically(dir.file(name), "x");
        EXPECT_FALSE(result.ok) << name;
        EXPECT_EQ(result.reason, std::strerror(EISDIR)) << name;
    }
    EXPECT_TRUE(fs::is_directory(dir.file("db.zat")));
    EXPECT_TRUE(fs::is_empty(dir.file("db.zat")));
    EXPECT_EQ(entriesOf(dir.path()), (std::set<std::string>{"db.zat", "link.zat"}));
}

// Renaming over anything but a regular file would replace it with one
// (think of /dev/null): devices and FIFOs are refused, through links too.
TEST(FileIoWrite, OnlyRegularFilesAreReplaced) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    fs::create_symlink("fifo", dir.file("fifo-link.zat"));
    std::vector<std::string> names{"fifo", "fifo-link.zat"};
    if (::mknod(dir.file("null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) {  // where we may (root)
        fs::create_symlink(dir.file("null"), dir.file("null-link.zat"));
        names.insert(names.end(), {"null", "null-link.zat"});
    }
    const std::set<std::string> before = entriesOf(dir.path());
    for (const std::string& name : names) {
        const bool fifo = name.starts_with("fifo");
        EXPECT_EQ(outcome(writeFileAtomically(dir.file(name), "x")),
                  fifo ? "Is a named pipe (FIFO), not a regular file" : "Is a character device, not a regular file");
        EXPECT_EQ(fs::status(dir.file(name)).type(), fifo ? fs::file_type::fifo : fs::file_type::character);
    }
    EXPECT_EQ(entriesOf(dir.path()), before);
}

// Our temporary files left by interrupted saves go with the next save of the
// same target; anything merely alike, or a save still running, stays.
TEST(FileIoWrite, ASaveClearsAwayWhatInterruptedSavesLeft) {
    test::TempDir dir;
    std::set<std::string> kept{"db.zat",        ".db.zat.AbC12",     ".db.zat.AbC1234", ".db.zat.AbC-23",
                               "db.zat.AbC123", ".other.zat.AbC123", ".db.zat.Lck123"};
    for (const std::string& name : kept) test::writeFile(dir.file(name), "x");
    for (const char* name : {".db.zat.AbC123", ".db.zat.zz9ZZ9", ".db.zat.Own123"})
        test::writeFile(dir.file(name), "x");
    if (::chown(dir.file(".db.zat.Own123").c_str(), 65534, 65534) == 0) kept.insert(".db.zat.Own123");  // root only
    fs::create_directory(dir.file(".db.zat.Dir123"));
    fs::create_symlink(".db.zat.Lck123", dir.file(".db.zat.Lnk123"));
    kept.insert({".db.zat.Dir123", ".db.zat.Lnk123"});
    const int running = ::open(dir.file(".db.zat.Lck123").c_str(), O_RDONLY | O_CLOEXEC);  // a save in progress
    ASSERT_EQ(::flock(running, LOCK_EX), 0);
    const FileResult result = writeFileAtomically(dir.file("db.zat"), "new");
    ::close(running);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(entriesOf(dir.path()), kept);
}

// In a folder where no file can be made, a file the user may write is
// rewritten in place; one they may not is left alone. Tried as an
// unprivileged user when the tests run as root, who may write anywhere.
TEST(FileIoWrite, UnwritableDirectoryRewritesAWritableFileInPlace) {
    test::TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    fs::create_directory(dir.file("locked"));
    struct Case {
        mode_t mode;
        std::string outcome;
        std::string contents;
    };
    for (const Case& c : {Case{0666, "ok", "short"}, Case{0444, std::strerror(EACCES), "new"}}) {
        const std::string path = dir.file("locked/db.zat");
        ASSERT_EQ(::chmod(dir.file("locked").c_str(), 0755), 0);
        test::writeFile(path, "old contents");
        ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
        ASSERT_EQ(::chmod(dir.file("locked").c_str(), 0555), 0);
        const auto result = inChild([&] { return outcome(writeFileAtomically(path, c.contents)); }, true);
        if (!result) GTEST_SKIP() << "cannot drop privileges here";
        EXPECT_EQ(*result, c.outcome) << c.mode;
        EXPECT_EQ(test::readFile(path), c.outcome == "ok" ? c.contents : "old contents");
        EXPECT_EQ(modeOf(path), c.mode);
        EXPECT_EQ(entriesOf(dir.file("locked")), std::set<std::string>{"db.zat"});
    }
}

// A file-size limit makes the write stop part way (first short, then failing)
// after the temporary file exists: the cleanup path, even as root.
TEST(FileIoWrite, FailedWriteRemovesTheTemporaryFileAndKeepsTheOldOne) {
    test::TempDir dir;
    const std::string path = dir.file("db.zat");
    test::writeFile(path, "old contents");

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileResult result = writeFileAtomically(path, std::string(8192, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, std::strerror(EFBIG));
    EXPECT_EQ(test::readFile(path), "old contents");
    EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{"db.zat"});
}

TEST(FileIoWrite, LongFileNameStillGetsATemporaryFile) {
    test::TempDir dir;
    const std::string name = std::string(250, 'n') + ".zat";
    ASSERT_TRUE(writeFileAtomically(dir.file(name), "long").ok);
    EXPECT_EQ(test::readFile(dir.file(name)), "long");
    EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{name});
}

// Saves of a few megabytes killed at random moments, with an unnamed
// temporary file and with the named fallback: the file is always the old or
// the new one, whole, and the next save clears away what the killed ones left.
TEST(FileIoWrite, KilledSavesLeaveTheOldOrTheNewFileWholeAndNoDebris) {
    ProfileDocument doc;
    SilentProgress progress;
    writeDatabaseTo(doc, ConfigDatabase{}, progress);
    for (int i = 0; i < 12000; ++i) doc.write("Site note " + std::to_string(i), "Text", std::string(240, 'a'));
    const std::string a = doc.serialize();
    for (int i = 0; i < 12000; i += 2) doc.write("Site note " + std::to_string(i), "Text", "b");
    const std::string b = doc.serialize();
    std::mt19937 random(1234);
    for (const auto how : {file_io_detail::TempFile::Unnamed, file_io_detail::TempFile::Named}) {
        test::TempDir dir;
        const std::string path = dir.file("plant.zat");
        ASSERT_TRUE(writeFileAtomically(path, a).ok);
        for (int kill = 0; kill < 50; ++kill) {
            const pid_t child = ::fork();
            if (child == 0) {
                for (int i = 0;; ++i) (void)file_io_detail::writeFileAtomically(path, i % 2 == 0 ? b : a, how);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
            ::kill(child, SIGKILL);
            ASSERT_EQ(::waitpid(child, nullptr, 0), child);
            std::string now;
            ASSERT_TRUE(readWholeFile(path, now).ok);
            ASSERT_TRUE(now == a || now == b) << "kill " << kill << ": " << now.size() << " bytes";
        }
        ASSERT_TRUE(file_io_detail::writeFileAtomically(path, b, how).ok);
        EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{"plant.zat"});
    }
}

}  // namespace
}  // namespace zat
