#include "core/fp/info_col.h"

#include "core/store/ini_file.h"
#include "core/text/number_text.h"

namespace zarvik {

void SaveColList(HIniFile& ini, const std::string& section, const char* prefix,
                 const std::vector<HInfoCol>& list) {
    if (list.empty()) {
        return;
    }
    const std::string namePrefix = std::string(prefix) + "_NAME_";
    const std::string infoPrefix = std::string(prefix) + "_INFO_";
    // One key string serves every entry: undo snapshots write these lists for every item.
    std::string key;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int n = static_cast<int>(i);
        key.clear();
        AppendNumberedKey(key, namePrefix, n);
        ini.SetString(section, key, list[i].name);
        key.clear();
        AppendNumberedKey(key, infoPrefix, n);
        ini.SetString(section, key, list[i].info);
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
