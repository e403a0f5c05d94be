#pragma once
// Where the bundled help pages are: beside the program in a build tree, under the
// installation's share folder once installed.

#include <string>

namespace zarvik {

// The contents page; without it there is no help.
inline constexpr const char* kHelpContentsPage = "index.html";

// The program folder's "help" when it holds the contents page, else
// "<program folder>/../share/zarvik/help" (normalised), where an installation keeps them.
std::string HelpFolder();

// The contents page in HelpFolder(): the file whose absence is reported.
std::string HelpFilePath();

// 1 when HelpFilePath() is a regular file.
int HelpFileExists();

// What the user is told when HelpFilePath() is missing.
std::string MissingHelpMessage();

}  // namespace zarvik
