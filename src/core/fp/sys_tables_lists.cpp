// The adjustment factor, development item ratio and language ratio tables.

#include <algorithm>
#include <limits>

#include "core/fp/sys_table_defaults.h"
#include "core/fp/sys_table_files.h"
#include "core/fp/sys_tables.h"
#include "core/store/ini_file.h"
#include "core/text/cp932.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

int32_t Saturate(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// The rows a table reads from a rule section: none to take the defaults instead, for a
// missing count or one of 0 or less. A table is saved with its row count, so an empty one
// is saved as 0, which reads as the defaults: were a negative count read as no rows, a save
// would turn them into the defaults and change the estimate.
int32_t ListedRowCount(const HIniFile& ini, std::string_view section, const char* countKey,
                       int& takeDefaults) {
    const std::string count = ini.GetString(section, countKey);
    takeDefaults = count.empty() || Atoi(count) <= 0 ? 1 : 0;
    return takeDefaults == 1 ? 0 : systable::StoredRowCount(ini, section, count);
}

}  // namespace

std::string_view TyouseiDegreeLabel(int32_t degree) {
    static constexpr const char* kLabels[] = {"影響なし", "影響度軽微", "影響度小",
                                              "影響度中", "影響度大",   "影響度重大"};
    return degree >= 0 && degree <= 5 ? kLabels[degree] : "";
}

// ---- adjustment factors

int HInfoSysMgrTyousei::LoadDefaults(const HDefaultFolders& folders, const std::string& fileName,
                                     std::string* usedPath) {
    auto& defaults = m_defaults;
    defaults.clear();
    HInfoIniFile store;
    const std::string path =
        systable::ReadDefaultFile(folders, fileName, BuiltinTyouseiText(), store);
    for (const std::string& line : systable::ReadListedValues(store, "TYOUSEI")) {
        HInfoTyousei row;
        systable::ParseRow(line, &row.degree, 1, row.name);
        defaults.push_back(std::move(row));
    }
    if (usedPath != nullptr) {
        *usedPath = path;
    }
    return 1;
}

void HInfoSysMgrTyousei::ResetToDefaults() {
    rows = Defaults();
}

void HInfoSysMgrTyousei::Save(HIniFile& ini, std::string_view section) const {
    ini.SetInt(section, "TYOUSEI_MAP_CNT", static_cast<int32_t>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int index = static_cast<int>(i);
        ini.SetString(section, Format("TYOUSEI_MAP_%03d_NAME", index), rows[i].name);
        ini.SetString(section, Format("TYOUSEI_MAP_%03d_INFO", index), rows[i].info);
        ini.SetInt(section, Format("TYOUSEI_MAP_%03d_NUM", index), rows[i].degree);
    }
    ini.SetInt(section, "SelectTyouseiType", SelectTyouseiType);
    ini.SetInt(section, "FpTyouseiManual", FpTyouseiManual);
}

void HInfoSysMgrTyousei::Load(const HIniFile& ini, std::string_view section) {
    int takeDefaults = 0;
    const int32_t count = ListedRowCount(ini, section, "TYOUSEI_MAP_CNT", takeDefaults);
    if (takeDefaults == 1) {
        ResetToDefaults();
    } else {
        rows.assign(static_cast<std::size_t>(count), {});
        for (int i = 0; i < count; ++i) {
            HInfoTyousei& row = rows[static_cast<std::size_t>(i)];
            row.name = ini.GetString(section, Format("TYOUSEI_MAP_%03d_NAME", i));
            row.info = ini.GetString(section, Format("TYOUSEI_MAP_%03d_INFO", i));
            row.degree = ini.GetInt(section, Format("TYOUSEI_MAP_%03d_NUM", i));
        }
    }
    SelectTyouseiType = ini.GetInt(section, "SelectTyouseiType");
    FpTyouseiManual = ini.GetInt(section, "FpTyouseiManual");
}

void HInfoSysMgrTyousei::CopyFrom(const HInfoSysMgrTyousei& other) {
    m_defaults = other.m_defaults;
    rows = other.rows;
    SelectTyouseiType = other.SelectTyouseiType;
    FpTyouseiManual = other.FpTyouseiManual;
}

// Degrees in a file are taken as they are, so the sum saturates rather than overflows.
int32_t HInfoSysMgrTyousei::GetTdi() const {
    int64_t sum = 0;
    for (const HInfoTyousei& row : rows) {
        sum = std::clamp<int64_t>(sum + row.degree, std::numeric_limits<int32_t>::min(),
                                  std::numeric_limits<int32_t>::max());
    }
    return static_cast<int32_t>(sum);
}

int32_t HInfoSysMgrTyousei::GetVafX100() const {
    if (SelectTyouseiType == 1) {
        return Saturate(static_cast<int64_t>(GetTdi()) + 65);
    }
    return SelectTyouseiType == 2 ? FpTyouseiManual : 0;
}

// ---- development item ratios

int HInfoSysMgrHiritu::LoadDefaults(const HDefaultFolders& folders, const std::string& fileName,
                                    std::string* usedPath) {
    auto& names = m_defaultItemNames;
    auto& defaults = m_defaults;
    names.clear();
    defaults.clear();
    HInfoIniFile store;
    const std::string path =
        systable::ReadDefaultFile(folders, fileName, BuiltinKoumokuText(), store);
    for (const std::string& name : systable::ReadListedValues(store, "KOUMOKU_NAME", 25)) {
        names.push_back(systable::TrimmedName(name));
    }
    if (names.size() == kHirituItems) {
        for (const std::string& line : systable::ReadListedValues(store, "KOUMOKU_DATA", 25)) {
            HInfoHiritu row;
            systable::ParseRow(line, row.ratios.data(), kHirituItems, row.name);
            defaults.push_back(std::move(row));
        }
    }
    if (usedPath != nullptr) {
        *usedPath = path;
    }
    return 1;
}

void HInfoSysMgrHiritu::ResetToDefaults() {
    rows = Defaults();
    itemNames = DefaultItemNames();
    SelectHirituType = 0;
}

void HInfoSysMgrHiritu::Save(HIniFile& ini, std::string_view section) const {
    ini.SetInt(section, "HIRITU_MAP_CNT", static_cast<int32_t>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int index = static_cast<int>(i);
        for (int j = 0; j < kHirituItems; ++j) {
            ini.SetInt(section, Format("HIRITU_MAP_%03d_%03d", index, j), rows[i].ratios[j]);
        }
        ini.SetString(section, Format("HIRITU_MAP_%03d_NAME", index), rows[i].name);
        ini.SetString(section, Format("HIRITU_MAP_%03d_INFO", index), rows[i].info);
    }
    for (std::size_t i = 0; i < itemNames.size() && i < kHirituItems; ++i) {
        ini.SetString(section, Format("HIRITU_MAP_NAME_%03d", static_cast<int>(i)), itemNames[i]);
    }
    ini.SetInt(section, "SelectHirituType", SelectHirituType);
}

void HInfoSysMgrHiritu::Load(const HIniFile& ini, std::string_view section) {
    int takeDefaults = 0;
    const int32_t count = ListedRowCount(ini, section, "HIRITU_MAP_CNT", takeDefaults);
    if (takeDefaults == 1) {
        ResetToDefaults();
    } else {
        rows.assign(static_cast<std::size_t>(count), {});
        for (int i = 0; i < count; ++i) {
            HInfoHiritu& row = rows[static_cast<std::size_t>(i)];
            for (int j = 0; j < kHirituItems; ++j) {
                row.ratios[j] = ini.GetInt(section, Format("HIRITU_MAP_%03d_%03d", i, j));
            }
            row.name = ini.GetString(section, Format("HIRITU_MAP_%03d_NAME", i));
            row.info = ini.GetString(section, Format("HIRITU_MAP_%03d_INFO", i));
        }
    }
    // The names the section holds, up to the first missing one: none leaves the list empty.
    itemNames.clear();
    for (int i = 0; i < kHirituItems; ++i) {
        const auto name = ini.Store().FindValue(section, Format("HIRITU_MAP_NAME_%03d", i));
        if (!name) {
            break;
        }
        itemNames.emplace_back(*name);
    }
    SelectHirituType = ini.GetInt(section, "SelectHirituType");
}

void HInfoSysMgrHiritu::CopyFrom(const HInfoSysMgrHiritu& other) {
    m_defaults = other.m_defaults;
    m_defaultItemNames = other.m_defaultItemNames;
    itemNames = other.itemNames;
    rows = other.rows;
    SelectHirituType = other.SelectHirituType;
}

// ---- language ratios

int HInfoSysMgrLang::LoadDefaults(const HDefaultFolders& folders, const std::string& fileName,
                                  std::string* usedPath) {
    auto& defaults = m_defaults;
    defaults.clear();
    HInfoIniFile store;
    std::string path;
    if (fileName.empty()) {
        store.ReadBytes(ToCp932(BuiltinLangHirituText()));
    } else {
        path = systable::ReadDefaultFile(folders, fileName, BuiltinLangHirituText(), store);
    }
    for (const std::string& line : systable::ReadListedValues(store, "LANGHIRITU")) {
        HInfoLangHiritu row;
        systable::ParseRow(line, &row.ratio, 1, row.name);
        defaults.push_back(std::move(row));
    }
    if (usedPath != nullptr) {
        *usedPath = path;
    }
    return 1;
}

void HInfoSysMgrLang::ResetToDefaults() {
    rows = Defaults();
}

void HInfoSysMgrLang::Save(HIniFile& ini, std::string_view section) const {
    ini.SetInt(section, "LANGHIRITU_MAP_CNT", static_cast<int32_t>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int index = static_cast<int>(i);
        ini.SetString(section, Format("LANGHIRITU_MAP_%03d_NAME", index), rows[i].name);
        ini.SetString(section, Format("LANGHIRITU_MAP_%03d_INFO", index), rows[i].info);
        ini.SetInt(section, Format("LANGHIRITU_MAP_%03d_DATA", index), rows[i].ratio);
    }
}

void HInfoSysMgrLang::Load(const HIniFile& ini, std::string_view section) {
    int takeDefaults = 0;
    const int32_t count = ListedRowCount(ini, section, "LANGHIRITU_MAP_CNT", takeDefaults);
    if (takeDefaults == 1) {
        ResetToDefaults();
        return;
    }
    rows.assign(static_cast<std::size_t>(count), {});
    for (int i = 0; i < count; ++i) {
        HInfoLangHiritu& row = rows[static_cast<std::size_t>(i)];
        row.name = ini.GetString(section, Format("LANGHIRITU_MAP_%03d_NAME", i));
        row.info = ini.GetString(section, Format("LANGHIRITU_MAP_%03d_INFO", i));
        row.ratio = ini.GetInt(section, Format("LANGHIRITU_MAP_%03d_DATA", i));
    }
}

}  // namespace zarvik
