#include "core/fp/sys_tables.h"

#include <algorithm>

#include "core/fp/sys_table_defaults.h"
#include "core/fp/sys_table_files.h"
#include "core/store/ini_file.h"
#include "core/text/number_text.h"

namespace zarvik {

namespace systable {

int32_t StoredRowCount(const HIniFile& ini, std::string_view section, const std::string& count) {
    const int32_t wanted = Atoi(count);
    const int keys = std::max(0, ini.Store().GetKeyCount(section));
    return std::clamp(wanted, 0, keys);
}

}  // namespace systable

// ---- productivity

int HInfoSysMgrSeisan::LoadDefaults(const HDefaultFolders& folders, const std::string& fileName,
                                    std::string* usedPath) {
    auto& defaults = m_defaults;
    defaults.clear();
    HInfoIniFile store;
    const std::string path =
        systable::ReadDefaultFile(folders, fileName, BuiltinSeisanText(), store);
    for (const std::string& line : systable::ReadListedValues(store, "SEISAN")) {
        HInfoSeisan row;
        systable::ParseRow(line, row.values.data(), kSeisanBands, row.name);
        defaults.push_back(std::move(row));
    }
    if (usedPath != nullptr) {
        *usedPath = path;
    }
    return 1;
}

void HInfoSysMgrSeisan::ResetToDefaults() {
    rows = Defaults();
    Bunya = 0;
}

void HInfoSysMgrSeisan::Save(HIniFile& ini, std::string_view section) const {
    ini.SetInt(section, "SEISAN_MAP_CNT", static_cast<int32_t>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int index = static_cast<int>(i);
        for (int j = 0; j < kSeisanBands; ++j) {
            ini.SetInt(section, Format("SEISAN_MAP_%03d_%03d", index, j), rows[i].values[j]);
        }
        ini.SetString(section, Format("SEISAN_MAP_%03d_NAME", index), rows[i].name);
        ini.SetString(section, Format("SEISAN_MAP_%03d_INFO", index), rows[i].info);
    }
    ini.SetInt(section, "Bunya", Bunya);
    ini.SetInt(section, "SeisanManual", SeisanManual);
    ini.SetInt(section, "FpSeisanManual", FpSeisanManual);
}

void HInfoSysMgrSeisan::Load(const HIniFile& ini, std::string_view section) {
    const std::string count = ini.GetString(section, "SEISAN_MAP_CNT");
    if (count.empty()) {
        ResetToDefaults();
    } else {
        rows.assign(static_cast<std::size_t>(systable::StoredRowCount(ini, section, count)), {});
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int index = static_cast<int>(i);
            for (int j = 0; j < kSeisanBands; ++j) {
                const auto value =
                    ini.Store().FindValue(section, Format("SEISAN_MAP_%03d_%03d", index, j));
                if (!value) {
                    break;
                }
                rows[i].values[j] = Atoi(*value);
            }
            rows[i].name = ini.GetString(section, Format("SEISAN_MAP_%03d_NAME", index));
            rows[i].info = ini.GetString(section, Format("SEISAN_MAP_%03d_INFO", index));
        }
    }
    Bunya = ini.GetInt(section, "Bunya");
    SeisanManual = ini.GetInt(section, "SeisanManual");
    FpSeisanManual = ini.GetInt(section, "FpSeisanManual");
}

void HInfoSysMgrSeisan::CopyFrom(const HInfoSysMgrSeisan& other) {
    m_defaults = other.m_defaults;
    Bunya = other.Bunya;
    rows = other.rows;
    SeisanManual = other.SeisanManual;
    FpSeisanManual = other.FpSeisanManual;
}

int32_t HInfoSysMgrSeisan::GetProductivityX100(int32_t ufp) const {
    if (Bunya < 0 || static_cast<std::size_t>(Bunya) >= rows.size()) {
        return 0;
    }
    if (SeisanManual != 0) {
        return FpSeisanManual;
    }
    int band = 5;
    if (ufp < 10) {
        band = 0;
    } else if (ufp < 100) {
        band = 1;
    } else if (ufp < 1000) {
        band = 2;
    } else if (ufp < 10000) {
        band = 3;
    } else if (ufp < 100000) {
        band = 4;
    }
    return rows[static_cast<std::size_t>(Bunya)].values[band];
}

namespace {

template <typename Row, typename Array>
int32_t CellOf(const std::vector<Row>& rows, int row, int column, Array Row::*field) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) {
        return 0;
    }
    const Array& values = rows[static_cast<std::size_t>(row)].*field;
    if (column < 0 || static_cast<std::size_t>(column) >= values.size()) {
        return 0;
    }
    return values[static_cast<std::size_t>(column)];
}

template <typename Row>
int InTable(const std::vector<Row>& rows, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < rows.size() ? 1 : 0;
}

}  // namespace

int32_t HInfoSysMgrSeisan::GetValue(int row, int band) const {
    return CellOf(rows, row, band, &HInfoSeisan::values);
}

int HInfoSysMgrSeisan::DiffersFromDefault(int row, int band) const {
    if (band < 0 || band >= kSeisanBands || InTable(rows, row) == 0 ||
        InTable(Defaults(), row) == 0) {
        return 0;
    }
    return GetValue(row, band) != CellOf(Defaults(), row, band, &HInfoSeisan::values) ? 1 : 0;
}

// ---- development item ratios

int32_t HInfoSysMgrHiritu::GetValue(int row, int item) const {
    return CellOf(rows, row, item, &HInfoHiritu::ratios);
}

int HInfoSysMgrHiritu::DiffersFromDefault(int row, int item) const {
    if (item < 0 || item >= kHirituItems || InTable(rows, row) == 0 ||
        InTable(Defaults(), row) == 0) {
        return 0;
    }
    return GetValue(row, item) != CellOf(Defaults(), row, item, &HInfoHiritu::ratios) ? 1 : 0;
}

}  // namespace zarvik
