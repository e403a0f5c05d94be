#pragma once
// Files dropped on the canvas: the first one is opened when it is a document.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zarvik {

// A first path of this many characters or more is not looked at.
inline constexpr std::size_t kDropPathLimit = 260;

// The extension of the file name of path with its dot ("" for a name without one).
std::string_view PathExtension(std::string_view path);

// Of the dropped paths only the first counts. A ".zvk" file (in any case) goes straight to
// open, without the save question; any other file gets the format message. Returns what
// open returned, 0 when it was not called.
int DropFiles(const std::vector<std::string>& paths,
              const std::function<int(const std::string&)>& open);

}  // namespace zarvik
