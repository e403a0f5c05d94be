#pragma once
// Helpers shared by the tests: a temporary folder that cleans up after itself, the bytes
// of a file, and a program folder of the test's choosing.

#include <stdlib.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <utility>

#include "core/port/platform.h"

namespace zarvik::test_support {

// A platform whose program lives in the given folder, installed for its lifetime.
class FolderPlatform : public HPlatform {
public:
    explicit FolderPlatform(std::string folder) : m_folder(std::move(folder)) { SetPlatform(this); }
    ~FolderPlatform() override { SetPlatform(nullptr); }
    FolderPlatform(const FolderPlatform&) = delete;
    FolderPlatform& operator=(const FolderPlatform&) = delete;
    std::string ProgramDirectory() const override { return m_folder; }

private:
    std::string m_folder;
};

class TempDir {
public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zarvik_test.XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    // The number of entries in the folder.
    int Count() const {
        return static_cast<int>(std::distance(std::filesystem::directory_iterator(path_), {}));
    }

private:
    std::filesystem::path path_;
};

// The whole file, empty when it cannot be read.
std::string FileBytes(const std::string& path);

// A saved document without its save time, the one line two saves may differ in.
std::string WithoutLastUpdate(const std::string& text);

}  // namespace zarvik::test_support
