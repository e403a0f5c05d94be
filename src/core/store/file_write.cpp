// The one safe whole-file writer. The new bytes live in a file without a name (or, where
// the file system cannot make one, under a temporary name that the next save of the same
// file removes) until they are complete and on disk, and then replace the old file in one
// step, keeping its owner, group and permissions.

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <string>

#include "core/store/file_io.h"

namespace zarvik {
namespace {

// As many symbolic links as the kernel itself follows in one path.
constexpr int kMaxLinkLevels = 40;
constexpr int kMaxTempAttempts = 100;
// Temporary names are ".<name>.~zvk-<pid>-<n>"; a long name is cut so that they stay
// within the file system's limit.
constexpr std::string_view kTempMark = ".~zvk-";
constexpr std::size_t kMaxTempStem = 200;

std::atomic<unsigned> g_tempCount{0};

// The file a write replaces or creates, symbolic links followed.
struct Target {
    std::string path;
    std::string folder;  // "." for a bare name
    std::string name;
};

// What a replaced file keeps.
struct Existing {
    bool present = false;
    uid_t uid = 0;
    gid_t gid = 0;
    mode_t mode = 0;
};

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return 0;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 1;
}

// Follows path while it names a symbolic link, reading each link's text relative to the
// link's own folder, so that a dangling link leads to the file it names. Returns 0 for a
// link that cannot be read, a loop or too long a chain, and for a path without a file name.
int FindTarget(std::string path, Target& target) {
    for (int level = 0;; ++level) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            break;
        }
        char text[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), text, sizeof text);
        if (level == kMaxLinkLevels || length <= 0 ||
            static_cast<std::size_t>(length) >= sizeof text) {
            return 0;
        }
        const std::size_t slash = path.rfind('/');
        const std::string_view link(text, static_cast<std::size_t>(length));
        if (link.front() == '/' || slash == std::string::npos) {
            path.assign(link);
        } else {
            path.resize(slash + 1);
            path += link;
        }
    }
    const std::size_t slash = path.rfind('/');
    target.name = slash == std::string::npos ? path : path.substr(slash + 1);
    target.folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    target.path = std::move(path);
    return !target.name.empty() && target.name != "." && target.name != "..";
}

// Whether the file may be replaced: it is absent, or a regular file that has a write
// permission bit and opens for writing. The bits are looked at because they do not stop
// the superuser, and a file made read-only stays as it is for everyone.
int CheckReplaceable(const std::string& path, Existing& existing) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) {
        return errno == ENOENT;
    }
    if (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0) {
        return 0;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    const int ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    existing = {true, st.st_uid, st.st_gid, static_cast<mode_t>(st.st_mode & 07777)};
    return ok;
}

std::string_view TempStem(std::string_view name) {
    return name.substr(0, kMaxTempStem);
}

std::string NextTempPath(const Target& target) {
    return target.folder + "/." + std::string(TempStem(target.name)) + std::string(kTempMark) +
           std::to_string(::getpid()) + "-" + std::to_string(g_tempCount++);
}

// The process that made entry as a temporary file for name, else 0.
pid_t TempFileOwner(std::string_view entry, std::string_view name) {
    const std::string_view stem = TempStem(name);
    if (entry.size() <= 1 + stem.size() + kTempMark.size() || entry[0] != '.' ||
        entry.substr(1, stem.size()) != stem ||
        entry.substr(1 + stem.size(), kTempMark.size()) != kTempMark) {
        return 0;
    }
    entry.remove_prefix(1 + stem.size() + kTempMark.size());
    const char* const end = entry.data() + entry.size();
    pid_t pid = 0;
    unsigned count = 0;
    const auto [afterPid, pidError] = std::from_chars(entry.data(), end, pid);
    if (pidError != std::errc() || afterPid == end || *afterPid != '-' || pid <= 0) {
        return 0;
    }
    const auto [afterCount, countError] = std::from_chars(afterPid + 1, end, count);
    return countError == std::errc() && afterCount == end ? pid : 0;
}

// Removes the temporary files that saves of the target by processes no longer running
// left behind. Only regular files of ours with exactly our temporary names are touched.
void RemoveStaleTempFiles(const Target& target) {
    DIR* const dir = ::opendir(target.folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t pid = TempFileOwner(entry->d_name, target.name);
        if (pid == 0 || pid == self || ::kill(pid, 0) == 0 || errno != ESRCH) {
            continue;
        }
        struct stat st;
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode) && st.st_uid == ::geteuid()) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

// Writes bytes, gives the file the owner, group and permissions of the one it replaces
// (refusing when the owner cannot be kept) and flushes it to disk.
int FillFile(int fd, std::string_view bytes, const Existing& existing) {
    if (!WriteAll(fd, bytes)) {
        return 0;
    }
    if (existing.present) {
        struct stat st;
        if (::fstat(fd, &st) != 0) {
            return 0;
        }
        // A change of owner clears the set-id bits, so the mode comes after it.
        if ((st.st_uid != existing.uid || st.st_gid != existing.gid) &&
            ::fchown(fd, existing.uid, existing.gid) != 0) {
            return 0;
        }
        if (::fchmod(fd, existing.mode) != 0) {
            return 0;
        }
    }
    return ::fsync(fd) == 0;
}

// Gives the complete unnamed file its name: the target's when there is no file there yet,
// else a temporary one that is renamed over the target at once.
int LinkUnnamedFile(int fd, const Target& target, bool replace) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (!replace) {
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.path.c_str(), AT_SYMLINK_FOLLOW) ==
            0) {
            return 1;
        }
        if (errno != EEXIST) {
            return 0;
        }
    }
    for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
        const std::string temp = NextTempPath(target);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST) {
                continue;
            }
            return 0;
        }
        if (::rename(temp.c_str(), target.path.c_str()) != 0) {
            ::unlink(temp.c_str());
            return 0;
        }
        return 1;
    }
    return 0;
}

int WriteThroughNamedFile(const Target& target, std::string_view bytes, const Existing& existing) {
    for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
        const std::string temp = NextTempPath(target);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return 0;
        }
        int ok = FillFile(fd, bytes, existing);
        ok = (::close(fd) == 0) && ok;
        ok = ok && ::rename(temp.c_str(), target.path.c_str()) == 0;
        if (!ok) {
            ::unlink(temp.c_str());
        }
        return ok;
    }
    return 0;
}

}  // namespace

int WriteFileAtomically(const std::string& path, std::string_view bytes) {
    Target target;
    if (FindTarget(path, target) == 0) {
        return 0;
    }
    RemoveStaleTempFiles(target);
    Existing existing;
    if (CheckReplaceable(target.path, existing) == 0) {
        return 0;
    }
    // An unnamed file is named through /proc, without which it cannot be.
    static const bool canNameUnnamed = ::access("/proc/self/fd", X_OK) == 0;
    const int fd =
        canNameUnnamed ? ::open(target.folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666) : -1;
    if (fd < 0) {
        const bool unsupported =
            !canNameUnnamed || errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
        return unsupported ? WriteThroughNamedFile(target, bytes, existing) : 0;
    }
    const int ok = FillFile(fd, bytes, existing) && LinkUnnamedFile(fd, target, existing.present);
    ::close(fd);
    return ok;
}

}  // namespace zarvik
