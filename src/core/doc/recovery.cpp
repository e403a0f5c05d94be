#include "core/doc/recovery.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <numeric>
#include <system_error>

#include "core/store/file_io.h"
#include "core/store/ini_store.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCopyExtension = ".zvk";
constexpr const char* kAboutExtension = ".info";
constexpr const char* kLockExtension = ".lock";
constexpr const char* kAboutSection = "Recovery";

// Opens base's lock file (made when missing) and takes its lock without waiting; -1 when
// another holds it or it cannot be opened.
int TakeLock(const std::string& base, bool create) {
    const int fd = ::open((base + kLockExtension).c_str(),
                          O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0), 0600);
    if (fd < 0) {
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Deletes the slot's files; the lock file last, while its lock is still held.
void RemoveSlotFiles(const std::string& base) {
    std::error_code ignored;
    fs::remove(base + kCopyExtension, ignored);
    fs::remove(base + kAboutExtension, ignored);
    fs::remove(base + kLockExtension, ignored);
}

HRecoveryCopy ReadAbout(const std::string& base) {
    HInfoIniFile about;
    about.Read(base + kAboutExtension);
    HRecoveryCopy copy;
    copy.copyPath = base + kCopyExtension;
    copy.originalPath = about.GetValue(kAboutSection, "OriginalPath", "");
    copy.flowName = about.GetValue(kAboutSection, "FlowName", "");
    copy.savedAt = about.GetValue(kAboutSection, "SavedAt", "");
    return copy;
}

}  // namespace

std::string RecoveryFolder() {
    if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg != nullptr && *xdg == '/') {
        return std::string(xdg) + "/zarvik/recovery";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::string(home) + "/.local/state/zarvik/recovery";
    }
    return {};
}

HRecoverySlot::HRecoverySlot(std::string folder) {
    std::error_code error;
    if (folder.empty() || (fs::create_directories(folder, error), error)) {
        return;
    }
    // The copies are the user's documents: the folder is the user's alone.
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
    // A name no other run takes: the process and the time, and a number for a second
    // slot in the same second.
    for (int attempt = 0; attempt < 100 && m_lock < 0; ++attempt) {
        m_base = folder + "/" +
                 Format("%d-%lld-%d", static_cast<int>(::getpid()),
                        static_cast<long long>(std::time(nullptr)), attempt);
        if (!fs::exists(m_base + kLockExtension, error)) {
            m_lock = TakeLock(m_base, true);
        }
    }
    m_copyPath = m_lock >= 0 ? m_base + kCopyExtension : std::string();
}

HRecoverySlot::~HRecoverySlot() {
    if (m_lock >= 0) {
        RemoveSlotFiles(m_base);
        ::close(m_lock);
    }
}

int HRecoverySlot::Write(std::string_view bytes, const HRecoveryCopy& about) {
    if (m_lock < 0 || !WriteFileAtomically(m_copyPath, bytes)) {
        return 0;
    }
    HInfoIniFile text;
    text.SetValue(kAboutSection, "OriginalPath", about.originalPath);
    text.SetValue(kAboutSection, "FlowName", about.flowName);
    text.SetValue(kAboutSection, "SavedAt", about.savedAt);
    return text.Write(m_base + kAboutExtension);
}

void HRecoverySlot::Clear() {
    std::error_code ignored;
    if (m_lock >= 0) {
        fs::remove(m_copyPath, ignored);
        fs::remove(m_base + kAboutExtension, ignored);
    }
}

HOrphanedCopies::HOrphanedCopies(const std::string& folder) {
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) {
        return;
    }
    for (const fs::directory_entry& entry : entries) {
        const fs::path& path = entry.path();
        if (path.extension() != kLockExtension) {
            continue;
        }
        const std::string base = (path.parent_path() / path.stem()).string();
        const int lock = TakeLock(base, false);
        if (lock < 0) {
            continue;  // a running editor's slot
        }
        if (!fs::is_regular_file(base + kCopyExtension, error)) {
            // A slot left without a copy: nothing to offer.
            RemoveSlotFiles(base);
            ::close(lock);
            continue;
        }
        m_copies.push_back(ReadAbout(base));
        m_bases.push_back(base);
        m_locks.push_back(lock);
    }
    // Newest first: the time as documents write it sorts as text.
    std::vector<std::size_t> order(m_copies.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return m_copies[a].savedAt > m_copies[b].savedAt;
    });
    auto permuted = [&order](auto& items) {
        std::remove_reference_t<decltype(items)> sorted;
        for (const std::size_t i : order) {
            sorted.push_back(std::move(items[i]));
        }
        items = std::move(sorted);
    };
    permuted(m_copies);
    permuted(m_bases);
    permuted(m_locks);
}

HOrphanedCopies::~HOrphanedCopies() {
    for (const int lock : m_locks) {
        if (lock >= 0) {
            ::close(lock);
        }
    }
}

void HOrphanedCopies::Discard(std::size_t i) {
    if (i >= m_locks.size() || m_locks[i] < 0) {
        return;
    }
    RemoveSlotFiles(m_bases[i]);
    ::close(m_locks[i]);
    m_locks[i] = -1;
}

}  // namespace zarvik
