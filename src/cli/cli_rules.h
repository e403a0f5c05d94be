#pragma once
// Which system rules a run measures by, found without writing anything: the settings file
// named on the command line, else the editor's settings file, else the built-in defaults.

#include <optional>
#include <string>

#include "core/fp/sys_tables.h"

namespace zarvik::cli {

// The folders of the default reference files that the rules may read: a folder counts
// only when it already holds all three files, so that nothing is ever written into it.
// Empty entries leave the built-in texts in use.
HDefaultFolders ReadOnlyDefaultFolders();

// Sets up the settings holder. With settingsPath the file must exist and be readable;
// without it the editor's settings file is read when there is one. Returns an empty text
// on success, else the reason the settings file cannot be read.
std::string PrepareSystemRules(const std::optional<std::string>& settingsPath);

}  // namespace zarvik::cli
