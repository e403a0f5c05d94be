#include "test_support.h"

#include <gtest/gtest.h>

#include "core/app/system.h"
#include "core/store/file_io.h"

namespace zarvik::test_support {

std::string FileBytes(const std::string& path) {
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

namespace {

// Every test starts with the system rules in force, and the default reference files are
// written to a folder of the test run rather than beside the test program.
class SystemReset : public ::testing::EmptyTestEventListener {
public:
    SystemReset() { System().SetDefaultFolders(HDefaultFolders{m_folder.Path().string(), ""}); }
    void OnTestStart(const ::testing::TestInfo&) override { System().UseSystemRules(); }

private:
    TempDir m_folder;
};

const bool kInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new SystemReset);
    return true;
}();

}  // namespace
}  // namespace zarvik::test_support
