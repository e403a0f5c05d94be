#pragma once
// The two lines of the About box, built from the program's version strings. A line whose
// strings are missing keeps the text the box was given.

#include <string>

namespace zarvik {

// "ProductName  ( Version 1.2.6.0 )": the product version with its blanks removed and its
// commas turned into points. keep when either string is empty.
std::string AboutProductLine(const std::string& productName, const std::string& productVersion,
                             const std::string& keep);
// The lower line: the copyright, or keep when it is empty.
std::string AboutCopyrightLine(const std::string& copyright, const std::string& keep);

}  // namespace zarvik
