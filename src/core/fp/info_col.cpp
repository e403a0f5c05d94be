#include "core/fp/info_col.h"

#include "core/doc/ini_file.h"
#include "core/text/number_text.h"

namespace zarvik {

void SaveColList(HIniFile& ini, const std::string& section, const char* prefix,
                 const std::vector<HInfoCol>& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int n = static_cast<int>(i);
        ini.SetString(section, NumberedKey(std::string(prefix) + "_NAME_", n), list[i].name);
        ini.SetString(section, NumberedKey(std::string(prefix) + "_INFO_", n), list[i].info);
    }
}

std::vector<HInfoCol> LoadColList(const HIniFile& ini, const std::string& section,
                                  const char* prefix, const HInfoFile* owner) {
    std::vector<HInfoCol> list;
    for (int n = 0; n < kMaxListEntries; ++n) {
        std::string name = ini.GetString(section, NumberedKey(std::string(prefix) + "_NAME_", n));
        if (name.empty()) {
            break;
        }
        HInfoCol entry;
        entry.owner = owner;
        entry.name = std::move(name);
        entry.info = ini.GetString(section, NumberedKey(std::string(prefix) + "_INFO_", n));
        list.push_back(std::move(entry));
    }
    return list;
}

}  // namespace zarvik
