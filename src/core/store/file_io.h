#pragma once
// Whole-file reads and safe whole-file writes.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/store/big_buffer.h"

namespace zarvik {

// The most any file the program reads may hold: far beyond any document, settings or
// table file, and small enough that reading one cannot exhaust the machine.
inline constexpr std::size_t kMaxReadBytes = std::size_t{512} * 1024 * 1024;

// Reads a whole regular file into out. Returns 0 when it is missing, is not a regular file,
// holds more than maxBytes (errno is then EFBIG; nothing past the limit is read) or cannot
// be read, else 1.
int ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes = kMaxReadBytes);
// The same into a buffer that suits files of megabytes.
int ReadWholeFile(const std::string& path, HBigBuffer& out, std::size_t maxBytes = kMaxReadBytes);

// Writes bytes to path so that a failed or interrupted write never destroys the previous
// file nor leaves a partial one in sight: the bytes go to a file in the same folder that
// has no name (or a temporary name the next write of the same path removes) until they
// are complete and flushed, and then replace the target in one step. Symbolic links are
// followed, a dangling one to the file it names, which is created. A new file gets the
// usual permissions; a replaced one keeps its owner, group and permissions. An existing
// target that is not a regular file, has no write permission bit or cannot be opened for
// writing is refused and left as it is, as is one whose owner could not be kept. Returns
// 1 on success, 0 otherwise.
int WriteFileAtomically(const std::string& path, std::string_view bytes);

// The chosen name with ext appended when its file name has no extension; a dot that
// starts the file name does not count as one. Empty stays empty.
std::string PathWithDefaultExtension(const std::string& chosen, std::string_view ext);

// The extension of path's file name in lower case, without the dot; empty when the file
// name has no dot.
std::string LowerExtension(const std::string& path);

}  // namespace zarvik
