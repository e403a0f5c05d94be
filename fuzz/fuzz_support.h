#pragma once
// Shared by the harnesses that go through files: a folder of the process for them, the
// whole-file helpers, a fresh process state per input, and the check that stops the fuzzer
// when a promise of the core is broken.
//
// The saves flush their files; point TMPDIR at a tmpfs (/dev/shm) when fuzzing for long.

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/app/system.h"
#include "core/doc/process_state.h"

namespace zarvik::fuzz {

// Aborts, so that the fuzzer keeps the input and the replay test fails.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

inline void Require(bool ok, const char* what) {
    if (!ok) {
        Fail(what);
    }
}

// A folder of its own, made on first use and removed when the process ends normally.
inline const std::filesystem::path& ScratchFolder() {
    struct Folder {
        std::filesystem::path path;
        Folder() {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "zarvik_fuzz.XXXXXX").string();
            Require(::mkdtemp(pattern.data()) != nullptr, "cannot make a scratch folder");
            path = pattern;
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

inline std::string ScratchPath(const char* name) {
    return (ScratchFolder() / name).string();
}

inline void WriteFile(const std::string& path, const uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Require(static_cast<bool>(out.flush()), "cannot write the input to the scratch folder");
}

inline std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The process as at start, with the default reference files written to and read from the
// scratch folder rather than beside the program.
inline void ResetForInput() {
    ResetProcessState();
    System().SetDefaultFolders(HDefaultFolders{(ScratchFolder() / "defaults").string(), ""});
}

}  // namespace zarvik::fuzz
