#pragma once
// Shared by the table managers: the program-wide default lists, finding or writing a
// default file, and the row format of the default files.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/fp/sys_tables.h"
#include "core/store/ini_store.h"

namespace zarvik {
class HIniFile;
}

namespace zarvik::systable {

// The rows a count key asks for, bounded by the keys the section holds: every stored row
// has keys of its own, so a larger count is a damaged file and must not make us allocate
// what it claims. Negative counts give 0.
int32_t StoredRowCount(const HIniFile& ini, std::string_view section, const std::string& count);

// Fills store from fileName in the first folder that has the file or can be given it
// (written from builtin), else from builtin itself. Returns the path read, empty for the
// built-in text.
std::string ReadDefaultFile(const HDefaultFolders& folders, const std::string& fileName,
                            std::string_view builtin, HInfoIniFile& store);

// Writes text (UTF-8) as cp932 to path through the atomic writer. Returns 1 on success.
int WriteTextFile(const std::string& path, std::string_view text);

// A default file row: count comma-separated integers, then the name after the last comma
// (blank, CR, tab and LF trimmed). Missing fields read 0.
void ParseRow(std::string_view line, int32_t* values, int count, std::string& name);

// The text trimmed of blank, CR, tab and LF on both sides.
std::string TrimmedName(std::string_view text);

// The values of keys "000", "001", ... of a section, stopping at a value that begins with
// "<End>": as many keys as the section holds, or keys 0 to fixedCount - 1 when fixedCount
// is not negative (a missing key reads as empty).
std::vector<std::string> ReadListedValues(const HInfoIniFile& store, std::string_view section,
                                          int fixedCount = -1);

}  // namespace zarvik::systable
