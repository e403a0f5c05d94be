#include "core/doc/recovery.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "test_support.h"

namespace zarvik {
namespace {

using test_support::FileBytes;
using test_support::TempDir;

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
            m_had = true;
        }
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { m_had ? ::setenv(m_name, m_old.c_str(), 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

TEST(Recovery, FolderFollowsTheStateHome) {
    const ScopedEnv home("HOME", "/home/estimator");
    {
        const ScopedEnv state("XDG_STATE_HOME", "/var/state");
        EXPECT_EQ(RecoveryFolder(), "/var/state/zarvik/recovery");
    }
    const ScopedEnv relative("XDG_STATE_HOME", "state");
    EXPECT_EQ(RecoveryFolder(), "/home/estimator/.local/state/zarvik/recovery");
}

// A run killed after writing its copy leaves it to the next start, once; a running editor's
// copy and a normal end leave nothing to offer.
TEST(Recovery, OnlyTheCopiesOfRunsThatDiedAreOffered) {
    const TempDir folder;
    const std::string bytes = "[Zarvik]\r\nFlowName=\x8C\xA9\x90\xCF\r\n";
    const HRecoveryCopy about{"", "/home/estimator/受注.zvk", "受注", "2026/12/08 10:00:00"};
    auto running = std::make_unique<HRecoverySlot>(folder.Path().string());
    ASSERT_EQ(running->Claimed(), 1);
    ASSERT_EQ(running->Write("[Zarvik]\r\n", about), 1);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        HRecoverySlot slot(folder.Path().string());
        const int written = slot.Write(bytes, about);
        ::_exit(written == 1 ? 0 : 1);  // no normal end: the slot stays behind
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    HOrphanedCopies orphans(folder.Path().string());
    ASSERT_EQ(orphans.Copies().size(), 1u);
    const HRecoveryCopy& found = orphans.Copies()[0];
    EXPECT_EQ(FileBytes(found.copyPath), bytes);
    EXPECT_EQ(found.originalPath, about.originalPath);
    EXPECT_EQ(found.flowName, about.flowName);
    EXPECT_EQ(found.savedAt, about.savedAt);
    // Another editor starting meanwhile neither sees nor removes it.
    EXPECT_TRUE(HOrphanedCopies(folder.Path().string()).Copies().empty());
    EXPECT_EQ(folder.Count(), 6);

    orphans.Discard(0);
    EXPECT_EQ(folder.Count(), 3);
    running->Clear();
    EXPECT_EQ(folder.Count(), 1);  // the running slot's lock
    running.reset();
    EXPECT_EQ(folder.Count(), 0);
    EXPECT_TRUE(HOrphanedCopies(folder.Path().string()).Copies().empty());
}

}  // namespace
}  // namespace zarvik
