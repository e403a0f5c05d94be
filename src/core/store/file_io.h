#pragma once
// Whole-file reads and safe whole-file writes.

#include <string>
#include <string_view>

namespace zarvik {

// Reads a whole regular file into out. Returns 0 when it is missing, is not a regular file
// or cannot be read, else 1.
int ReadWholeFile(const std::string& path, std::string& out);

// Writes bytes to path through a temporary file in the same folder, which is flushed to
// disk and then renamed over the target, so a failed write never destroys the previous
// file. A symbolic link is followed and its target replaced. A new file gets the usual
// permissions, an existing one keeps its own. Returns 1 on success, 0 otherwise.
int WriteFileAtomically(const std::string& path, std::string_view bytes);

// The chosen name with ext appended when its file name has no extension; a dot that
// starts the file name does not count as one. Empty stays empty.
std::string PathWithDefaultExtension(const std::string& chosen, std::string_view ext);

}  // namespace zarvik
