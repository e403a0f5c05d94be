#pragma once
// Running the real zvk program for a test, and the files the tests hand it.

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

namespace zarvik::cli_test {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zvk_test.XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

struct RunResult {
    int status = -1;  // the exit status; -1 when the program did not exit by itself
    std::string out;
    std::string err;
};

struct RunOptions {
    std::string program = ZVK_PROGRAM;
    // Where the user's configuration folder and home are; the runner's own when empty.
    std::string home;
    // Standard output goes to this file instead of being captured (for /dev/full).
    std::string stdoutPath;
};

// Runs the program with args, waits at most 30 s (then kills it) and collects its output.
RunResult RunZvk(const std::vector<std::string>& args, const RunOptions& options = {});

std::string FileBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// UTF-8 text with LF line ends as a document file: cp932, CR LF.
void WriteDocument(const std::string& path, const std::string& utf8);

// The sections of a minimal box and a relation line, in UTF-8 with LF line ends.
std::string FileSection(int id, const std::string& name, int type, int setting,
                        const std::vector<std::string>& dets, const std::vector<std::string>& rets);
std::string TaskSection(int id, const std::string& name, int type, int setting);
std::string LineSection(int id, const std::string& from, const std::string& to);

// The expected file of the golden folder; with ZARVIK_GOLDEN_UPDATE=1 it is first
// rewritten from actual.
std::string Golden(const std::string& name, const std::string& actual);

}  // namespace zarvik::cli_test
