#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/app/system.h"
#include "core/doc/process_state.h"
#include "core/store/file_io.h"

namespace zarvik::test_support {

std::string FileBytes(const std::string& path) {
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

std::string WithoutLastUpdate(const std::string& text) {
    std::string out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("LastUpdate=", 0) != 0) {
            out += line + "\n";
        }
    }
    return out;
}

namespace {

// Every test starts as the process does: an empty clipboard, the counters at 0, fresh
// settings with the system rules in force, the headless ports. The default reference files
// are written to a folder of the test run rather than beside the test program.
class ProcessReset : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override {
        ResetProcessState();
        System().SetDefaultFolders(HDefaultFolders{m_folder.Path().string(), ""});
    }

private:
    TempDir m_folder;
};

const bool kInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new ProcessReset);
    return true;
}();

}  // namespace
}  // namespace zarvik::test_support
