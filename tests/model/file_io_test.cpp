#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "model/file_io.h"
#include "support/temp_dir.h"

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

// The write is tried in a child process as an unprivileged user when the tests
// run as root, since root may write into any directory.
TEST(FileIoWrite, UnwritableDirectoryFailsAndKeepsTheOldFile) {
    test::TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    fs::create_directory(dir.file("locked"));
    const std::string path = dir.file("locked/db.zat");
    test::writeFile(path, "old contents");
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(dir.file("locked").c_str(), 0555), 0);

    bool ok = true;
    std::string reason;
    if (::geteuid() != 0) {
        const FileResult result = writeFileAtomically(path, "new contents");
        ok = result.ok;
        reason = result.reason;
    } else {
        int channel[2];
        ASSERT_EQ(::pipe(channel), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(channel[0]);
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
            const FileResult result = writeFileAtomically(path, "new contents");
            const std::string message = (result.ok ? "1" : "0") + result.reason;
            const ssize_t sent = ::write(channel[1], message.data(), message.size());
            ::_exit(sent == static_cast<ssize_t>(message.size()) ? 0 : 3);
        }
        ::close(channel[1]);
        std::string message;
        char buffer[256];
        for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) message.append(buffer, static_cast<std::size_t>(n));
        ::close(channel[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 2) GTEST_SKIP() << "cannot drop privileges here";
        ASSERT_EQ(WEXITSTATUS(status), 0);
        ASSERT_FALSE(message.empty());
        ok = message[0] == '1';
        reason = message.substr(1);
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(reason, std::strerror(EACCES));
    EXPECT_EQ(test::readFile(path), "old contents");
    EXPECT_EQ(entriesOf(dir.file("locked")), std::set<std::string>{"db.zat"});
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

}  // namespace
}  // namespace zat
