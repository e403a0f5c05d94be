#pragma once
// The measurement and estimation rules: the same-name DET check, the typed UFP, the
// coefficients and exponents of the reference estimates, the effort-to-schedule
// conversion, and the reference tables they use.

#include <cstdint>
#include <string_view>

#include "core/fp/sys_tables.h"

namespace zarvik {

class HIniFile;

inline constexpr const char* kRuleSectionName = "RULE";

// The program version a document was saved by ("FileVersion.*" of its "Zarvik" section).
struct HFileVersion {
    int32_t major = 0;
    int32_t minor = 0;
    int32_t build = 0;
};

// The version stored in the "Zarvik" section of ini (missing keys read 0).
HFileVersion ReadFileVersion(const HIniFile& ini);

class HInfoRule {
public:
    HInfoRule() = default;
    HInfoRule(const HInfoRule&) = delete;
    HInfoRule& operator=(const HInfoRule&) = delete;

    // On first use only: fills the tables from the default files in folders and resets the
    // coefficients. Returns 1 when it ran, 0 when the rule was already filled.
    int FirstUse(const HDefaultFolders& folders);
    int NeedsLoading() const { return m_needsLoading; }

    // The coefficients, exponents and the typed UFP back to their defaults
    // (TpCheckDetSameName is left alone).
    void ResetCoefficients();

    // The tables with their selections and the fourteen integer fields; the language
    // ratios and the needs-loading state stay as they are.
    void CopyFrom(const HInfoRule& other);

    // Writes the tables' keys, then the integer fields, into section. Returns 1.
    int Save(HIniFile& ini, std::string_view section = kRuleSectionName) const;
    // Reads the rule from section. Documents saved before 1.2.4 keep the default
    // coefficients whatever they hold; their tables and same-name check are read.
    // Returns 1.
    int Load(const HIniFile& ini, std::string_view section, const HFileVersion& version,
             const HDefaultFolders& folders);

    int32_t GetTdi() const { return tyousei.GetTdi(); }
    int32_t GetVafX100() const { return tyousei.GetVafX100(); }
    int32_t GetProductivityX100(int32_t ufp) const { return seisan.GetProductivityX100(ufp); }

    HInfoSysMgrSeisan seisan;
    HInfoSysMgrTyousei tyousei;
    HInfoSysMgrHiritu hiritu;
    HInfoSysMgrLang lang;

    int32_t TpCheckDetSameName = 0;
    int32_t IsFpUFPManual = 0;
    int32_t FpUFPManual = 0;
    int32_t FpGaisanPage1X100 = 0;
    int32_t FpGaisanPage2X100 = 0;
    int32_t FpGaisanTest1X100 = 0;
    int32_t FpGaisanTest2X100 = 0;
    int32_t FpGaisanBug1X100 = 0;
    int32_t FpGaisanBug2X100 = 0;
    int32_t FpGaisanKikan1X100 = 0;
    int32_t FpGaisanKikan2X100 = 0;
    int32_t FpKouki1X100 = 0;
    int32_t FpKouki2X100 = 0;
    int32_t FpKoukiMinX100 = 0;

private:
    int m_needsLoading = 1;
};

}  // namespace zarvik
