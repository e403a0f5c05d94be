#pragma once
// The reference tables every measurement rule owns: productivity by field and size, the
// fourteen adjustment factors, the development item ratios by field and the language
// ratios. Each kind keeps one program-wide default list, filled from its default file,
// that a rule's table is reset to.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarvik {

class HIniFile;

inline constexpr int kSeisanBands = 6;
inline constexpr int kHirituItems = 25;

struct HInfoSeisan {
    virtual ~HInfoSeisan() = default;
    std::string name;
    std::string info;
    std::array<int32_t, kSeisanBands> values{};  // FP per person-month x100, by size band
};

struct HInfoTyousei {
    virtual ~HInfoTyousei() = default;
    std::string name;
    std::string info;
    int32_t degree = 0;  // 0 to 5
};

struct HInfoHiritu {
    virtual ~HInfoHiritu() = default;
    std::string name;
    std::string info;
    std::array<int32_t, kHirituItems> ratios{};  // percent x100, by development item
};

struct HInfoLangHiritu {
    virtual ~HInfoLangHiritu() = default;
    std::string name;
    std::string info;
    int32_t ratio = 0;  // percent x100
};

// Where the default files live: the program's folder first and, when that cannot be
// written, the user's configuration folder. Either may be empty (not used).
struct HDefaultFolders {
    std::string primary;
    std::string fallback;
};

// The label of an adjustment degree 0 to 5, empty for another value.
std::string_view TyouseiDegreeLabel(int32_t degree);

class HInfoSysMgrCore {
public:
    virtual ~HInfoSysMgrCore() = default;
    // Refills this table's default list from its default file, which is
    // written from the built-in text first when missing; with no usable file the built-in
    // text is read directly. usedPath receives the file read, empty for the built-in text.
    // Returns 1.
    virtual int LoadDefaults(const HDefaultFolders& folders, const std::string& fileName,
                             std::string* usedPath = nullptr) = 0;
    virtual void ResetToDefaults() = 0;
    virtual void Save(HIniFile& ini, std::string_view section) const = 0;
    virtual void Load(const HIniFile& ini, std::string_view section) = 0;
};

class HInfoSysMgrSeisan : public HInfoSysMgrCore {
public:
    int LoadDefaults(const HDefaultFolders& folders, const std::string& fileName,
                     std::string* usedPath = nullptr) override;
    void ResetToDefaults() override;
    void Save(HIniFile& ini, std::string_view section) const override;
    void Load(const HIniFile& ini, std::string_view section) override;
    void CopyFrom(const HInfoSysMgrSeisan& other);

    // Productivity x100 for an unadjusted FP total: the typed value when SeisanManual is
    // set, else the band of the selected row; 0 when the selected row does not exist.
    int32_t GetProductivityX100(int32_t ufp) const;
    // The value at (row, band), 0 outside the table.
    int32_t GetValue(int row, int band) const;
    // 1 when the value differs from the default list at the same place (0 outside either).
    int DiffersFromDefault(int row, int band) const;

    // The rows of the default file, as last loaded.
    const std::vector<HInfoSeisan>& Defaults() const { return m_defaults; }

    int32_t Bunya = 0;
    std::vector<HInfoSeisan> rows;
    int32_t SeisanManual = 0;
    int32_t FpSeisanManual = 0;

private:
    std::vector<HInfoSeisan> m_defaults;
};

class HInfoSysMgrTyousei : public HInfoSysMgrCore {
public:
    int LoadDefaults(const HDefaultFolders& folders, const std::string& fileName,
                     std::string* usedPath = nullptr) override;
    void ResetToDefaults() override;
    void Save(HIniFile& ini, std::string_view section) const override;
    void Load(const HIniFile& ini, std::string_view section) override;
    void CopyFrom(const HInfoSysMgrTyousei& other);

    // The total degree of influence: the sum of the degrees (0 for no factors).
    int32_t GetTdi() const;
    // VAF x100: TDI + 65 from the factor list, the typed value, or 0 for no adjustment.
    int32_t GetVafX100() const;

    const std::vector<HInfoTyousei>& Defaults() const { return m_defaults; }

    std::vector<HInfoTyousei> rows;
    int32_t SelectTyouseiType = 0;  // 0 none, 1 from the factors, 2 typed
    int32_t FpTyouseiManual = 100;

private:
    std::vector<HInfoTyousei> m_defaults;
};

class HInfoSysMgrHiritu : public HInfoSysMgrCore {
public:
    int LoadDefaults(const HDefaultFolders& folders, const std::string& fileName,
                     std::string* usedPath = nullptr) override;
    void ResetToDefaults() override;
    void Save(HIniFile& ini, std::string_view section) const override;
    void Load(const HIniFile& ini, std::string_view section) override;
    void CopyFrom(const HInfoSysMgrHiritu& other);

    int32_t GetValue(int row, int item) const;
    int DiffersFromDefault(int row, int item) const;

    const std::vector<HInfoHiritu>& Defaults() const { return m_defaults; }
    const std::vector<std::string>& DefaultItemNames() const { return m_defaultItemNames; }

    std::vector<std::string> itemNames;
    std::vector<HInfoHiritu> rows;
    int32_t SelectHirituType = 0;

private:
    std::vector<HInfoHiritu> m_defaults;
    std::vector<std::string> m_defaultItemNames;
};

// Kept with every rule but not stored with it: its defaults come from the built-in text.
class HInfoSysMgrLang : public HInfoSysMgrCore {
public:
    int LoadDefaults(const HDefaultFolders& folders, const std::string& fileName,
                     std::string* usedPath = nullptr) override;
    void ResetToDefaults() override;
    void Save(HIniFile& ini, std::string_view section) const override;
    void Load(const HIniFile& ini, std::string_view section) override;

    const std::vector<HInfoLangHiritu>& Defaults() const { return m_defaults; }

    std::vector<HInfoLangHiritu> rows;

private:
    std::vector<HInfoLangHiritu> m_defaults;
};

}  // namespace zarvik
