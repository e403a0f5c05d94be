#pragma once
// One entry of a DET or RET list.

#include <cstdint>
#include <string>
#include <vector>

namespace zarvik {

class HInfoFile;
class HIniFile;

struct HInfoCol {
    const HInfoFile* owner = nullptr;  // the data function the entry belongs to or came from
    std::string name;
    std::string info;         // remarks; a line break is stored as backslash n
    int32_t placeholder = 0;  // 1: stands for one of a data function's fixed DETs
};

// Most entries a list reads back from a document.
inline constexpr int kMaxListEntries = 1000;

// Writes the list as prefix"_NAME_%03d" and prefix"_INFO_%03d" pairs from 000 on.
void SaveColList(HIniFile& ini, const std::string& section, const char* prefix,
                 const std::vector<HInfoCol>& list);

// Reads entries from 000 on until the first missing or empty name, at most
// kMaxListEntries; each entry gets owner.
std::vector<HInfoCol> LoadColList(const HIniFile& ini, const std::string& section,
                                  const char* prefix, const HInfoFile* owner);

}  // namespace zarvik
