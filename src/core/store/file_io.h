#pragma once
// Whole-file reads and safe whole-file writes.

#include <cstddef>
#include <string>
#include <string_view>

namespace zarvik {

// The most any file the program reads may hold: far beyond any document, settings or
// table file, and small enough that reading one cannot exhaust the machine.
inline constexpr std::size_t kMaxReadBytes = std::size_t{512} * 1024 * 1024;

// Reads a whole regular file into out. Returns 0 when it is missing, is not a regular file,
// holds more than maxBytes (errno is then EFBIG; nothing past the limit is read) or cannot
// be read, else 1.
int ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes = kMaxReadBytes);

// Writes bytes to path through a temporary file in the same folder, which is flushed to
// disk and then renamed over the target, so a failed write never destroys the previous
// file. A symbolic link is followed and its target replaced. A new file gets the usual
// permissions, an existing one keeps its own. Returns 1 on success, 0 otherwise.
int WriteFileAtomically(const std::string& path, std::string_view bytes);

// The chosen name with ext appended when its file name has no extension; a dot that
// starts the file name does not count as one. Empty stays empty.
std::string PathWithDefaultExtension(const std::string& chosen, std::string_view ext);

}  // namespace zarvik
