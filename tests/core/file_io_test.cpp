#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

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

    for (unsigned mode : {0600u, 0755u, 0444u, 0604u}) {
        const std::string path = dir / std::to_string(mode);
        PutFile(path, "old");
        fs::permissions(path, static_cast<fs::perms>(mode));
        ASSERT_EQ(WriteFileAtomically(path, "new"), 1) << std::oct << mode;
        EXPECT_EQ(Mode(path), mode) << std::oct << mode;
        EXPECT_EQ(FileBytes(path), "new");
    }
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
