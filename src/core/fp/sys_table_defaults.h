#pragma once
// The built-in texts of the default reference table files, written out when a file is
// missing and read directly when no folder can hold one. UTF-8 here; the files are cp932
// with CR LF line ends.

#include <string_view>

namespace zarvik {

inline constexpr const char* kDefSeisanFile = "def_Seisan.ini";
inline constexpr const char* kDefTyouseiFile = "def_Tyousei.ini";
inline constexpr const char* kDefKoumokuFile = "def_Koumoku.ini";

std::string_view BuiltinSeisanText();
std::string_view BuiltinTyouseiText();
std::string_view BuiltinKoumokuText();
// The language ratio defaults have no file of their own.
std::string_view BuiltinLangHirituText();

}  // namespace zarvik
