#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/store/file_io.h"
#include "test_support.h"

namespace zarvik {
namespace {

namespace fs = std::filesystem;
using test_support::FileBytes;
using test_support::TempDir;

void PutFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

unsigned Mode(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// The id of a process that has ended.
pid_t DeadPid() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

std::string RandomBytes(std::size_t size) {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    return bytes;
}

// While it lives, a write past limit bytes fails as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }

private:
    rlimit saved_{};
    void (*handler_)(int) = nullptr;
};

TEST(ReadWholeFile, ReadsEveryByte) {
    TempDir dir;
    const std::string bytes = RandomBytes(300000);
    PutFile(dir / "data", bytes);
    PutFile(dir / "empty", "");
    std::string out = "previous";
    ASSERT_EQ(ReadWholeFile(dir / "data", out), 1);
    EXPECT_EQ(out, bytes);
    ASSERT_EQ(ReadWholeFile(dir / "empty", out), 1);
    EXPECT_EQ(out, "");
}

TEST(ReadWholeFile, RefusesWhatIsNoRegularFile) {
    TempDir dir;
    fs::create_directory(dir / "folder");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    std::string out = "kept";
    EXPECT_EQ(ReadWholeFile(dir / "missing", out), 0);
    EXPECT_EQ(ReadWholeFile(dir / "folder", out), 0);
    EXPECT_EQ(ReadWholeFile(dir / "fifo", out), 0);  // without waiting for a writer
    EXPECT_EQ(out, "kept");
}

TEST(WriteFileAtomically, CreatesAndReplacesWholeFiles) {
    TempDir dir;
    const std::string path = dir / "doc.zvk";
    const std::string big = RandomBytes(200000);
    ASSERT_EQ(WriteFileAtomically(path, big), 1);
    EXPECT_EQ(FileBytes(path), big);
    ASSERT_EQ(WriteFileAtomically(path, "short"), 1);
    EXPECT_EQ(FileBytes(path), "short");
    ASSERT_EQ(WriteFileAtomically(path, ""), 1);
    EXPECT_EQ(FileBytes(path), "");
    EXPECT_EQ(dir.Count(), 1);  // no temporary file left behind
}

TEST(WriteFileAtomically, PermissionsOfNewAndExistingFiles) {
    TempDir dir;
    const mode_t saved = ::umask(027);
    const int ok = WriteFileAtomically(dir / "new", "x");
    ::umask(saved);
    ASSERT_EQ(ok, 1);
    EXPECT_EQ(Mode(dir / "new"), 0640u);

    for (unsigned mode : {0600u, 0755u, 0640u, 0604u}) {
        const std::string path = dir / std::to_string(mode);
        PutFile(path, "old");
        fs::permissions(path, static_cast<fs::perms>(mode));
        ASSERT_EQ(WriteFileAtomically(path, "new"), 1) << std::oct << mode;
        EXPECT_EQ(Mode(path), mode) << std::oct << mode;
        EXPECT_EQ(FileBytes(path), "new");
    }
}

// Regression: a read-only file was silently replaced.
TEST(WriteFileAtomically, ReadOnlyTargetIsRefusedAndKept) {
    TempDir dir;
    const std::string path = dir / "doc.zvk";
    PutFile(path, "old");
    fs::permissions(path, static_cast<fs::perms>(0444));
    EXPECT_EQ(WriteFileAtomically(path, "new"), 0);  // even for the superuser
    fs::create_directory(dir / "folder");
    EXPECT_EQ(WriteFileAtomically(dir / "folder", "new"), 0);
    EXPECT_EQ(FileBytes(path), "old");
    EXPECT_EQ(Mode(path), 0444u);
    EXPECT_EQ(dir.Count(), 2);
}

// Regression: a replaced file changed owner to whoever saved it.
TEST(WriteFileAtomically, ReplacedFileKeepsItsOwner) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a file to another user needs the superuser";
    }
    constexpr uid_t kOwner = 4242;
    constexpr uid_t kOtherUser = 4343;
    TempDir dir;
    fs::permissions(dir.Path(), fs::perms::all);
    const std::string path = dir / "doc.zvk";
    PutFile(path, "old");
    ASSERT_EQ(::chown(path.c_str(), kOwner, kOwner), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(WriteFileAtomically(path, "new"), 1);
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_uid, kOwner);
    EXPECT_EQ(st.st_gid, kOwner);
    EXPECT_EQ(st.st_mode & 07777, 0666u);

    // Another user may write the file but cannot keep its owner, so the write is refused.
    const pid_t child = ::fork();
    if (child == 0) {
        const bool refused = ::setegid(kOtherUser) == 0 && ::seteuid(kOtherUser) == 0 &&
                             WriteFileAtomically(path, "other") == 0;
        ::_exit(refused ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(FileBytes(path), "new");
    EXPECT_EQ(dir.Count(), 1);
}

// Regression: a dangling symbolic link was replaced by a regular file.
TEST(WriteFileAtomically, DanglingLinkGetsTheFileItNames) {
    TempDir dir;
    fs::create_directory(dir / "links");
    fs::create_directory(dir / "real");
    fs::create_symlink("links/next", dir / "doc.zvk");
    fs::create_symlink("../real/doc.zvk", dir / "links/next");  // relative to its own folder
    ASSERT_EQ(WriteFileAtomically(dir / "doc.zvk", "new"), 1);
    EXPECT_TRUE(fs::is_symlink(dir / "doc.zvk"));
    EXPECT_TRUE(fs::is_symlink(dir / "links/next"));
    EXPECT_EQ(FileBytes(dir / "real/doc.zvk"), "new");

    fs::create_symlink("loop", dir / "loop");
    fs::create_symlink("missing/doc.zvk", dir / "nowhere");
    EXPECT_EQ(WriteFileAtomically(dir / "loop", "x"), 0);
    EXPECT_EQ(WriteFileAtomically(dir / "nowhere", "x"), 0);
    EXPECT_EQ(dir.Count(), 5);
}

// Regression: saves killed midway left full-size temporary files that nothing removed.
TEST(WriteFileAtomically, KilledWritesLeaveNoFileBehind) {
    TempDir dir;
    const std::string path = dir / "doc.zvk";
    const std::string big(4 << 20, 'x');
    for (int round = 1; round <= 4; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                WriteFileAtomically(path, big);
            }
        }
        ::usleep(static_cast<useconds_t>(round * 7000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    ASSERT_EQ(WriteFileAtomically(path, "last"), 1);
    EXPECT_EQ(dir.Count(), 1);
}

// Temporary files named by a save that died go with the next save of the same file;
// nothing else does.
TEST(WriteFileAtomically, NextWriteRemovesTemporaryFilesOfDeadSaves) {
    TempDir dir;
    const std::string dead = std::to_string(DeadPid());
    const std::string stale = ".doc.zvk.~zvk-" + dead + "-3";
    const std::vector<std::string> kept = {
        ".doc.zvk.~zvk-" + std::to_string(::getppid()) + "-0",  // a save still running
        ".other.zvk.~zvk-" + dead + "-0",
        ".doc.zvk.~zvk-" + dead + "-",
        ".doc.zvk.~zvk-" + dead + "-1x",
        "doc.zvk.~zvk-" + dead + "-0",
    };
    PutFile(dir / stale, "partial");
    for (const std::string& name : kept) {
        PutFile(dir / name, "x");
    }
    fs::create_directory(dir / (".doc.zvk.~zvk-" + dead + "-4"));
    ASSERT_EQ(WriteFileAtomically(dir / "doc.zvk", "new"), 1);
    EXPECT_FALSE(fs::exists(dir / stale));
    for (const std::string& name : kept) {
        EXPECT_TRUE(fs::exists(dir / name)) << name;
    }
    EXPECT_EQ(dir.Count(), 7);
}

TEST(WriteFileAtomically, WritesThroughASymbolicLink) {
    TempDir dir;
    fs::create_directory(dir / "real");
    PutFile(dir / "real/doc.zvk", "old");
    fs::create_symlink(dir / "real/doc.zvk", dir / "link.zvk");
    ASSERT_EQ(WriteFileAtomically(dir / "link.zvk", "new"), 1);
    EXPECT_TRUE(fs::is_symlink(dir / "link.zvk"));
    EXPECT_EQ(FileBytes(dir / "real/doc.zvk"), "new");
    EXPECT_EQ(dir.Count(), 2);
}

// A write that runs out of room leaves the previous file as it was and no partial file.
TEST(WriteFileAtomically, FailedWriteLeavesThePreviousFile) {
    TempDir dir;
    const std::string path = dir / "doc.zvk";
    PutFile(path, "[S]\r\nk=old\r\n");
    int ok;
    {
        FileSizeLimit limit(64 * 1024);
        ok = WriteFileAtomically(path, RandomBytes(1 << 20));
    }
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(FileBytes(path), "[S]\r\nk=old\r\n");
    EXPECT_EQ(dir.Count(), 1);
}

}  // namespace
}  // namespace zarvik
