#include "core/fp/info_rule.h"

#include "core/fp/sys_table_defaults.h"
#include "core/store/ini_file.h"

namespace zarvik {
namespace {

// The stored integer fields after the same-name check, in their stored order.
struct HRuleField {
    const char* key;
    int32_t HInfoRule::*field;
    int32_t initial;
};

constexpr HRuleField kCoefficientFields[] = {
    {"IsFpUFPManual", &HInfoRule::IsFpUFPManual, 0},
    {"FpUFPManual", &HInfoRule::FpUFPManual, 0},
    {"FpGaisanPage1X100", &HInfoRule::FpGaisanPage1X100, 100},
    {"FpGaisanPage2X100", &HInfoRule::FpGaisanPage2X100, 115},
    {"FpGaisanTest1X100", &HInfoRule::FpGaisanTest1X100, 100},
    {"FpGaisanTest2X100", &HInfoRule::FpGaisanTest2X100, 120},
    {"FpGaisanBug1X100", &HInfoRule::FpGaisanBug1X100, 100},
    {"FpGaisanBug2X100", &HInfoRule::FpGaisanBug2X100, 125},
    {"FpGaisanKikan1X100", &HInfoRule::FpGaisanKikan1X100, 100},
    {"FpGaisanKikan2X100", &HInfoRule::FpGaisanKikan2X100, 40},
    {"FpKouki1X100", &HInfoRule::FpKouki1X100, 240},
    {"FpKouki2X100", &HInfoRule::FpKouki2X100, 300},
    {"FpKoukiMinX100", &HInfoRule::FpKoukiMinX100, 70},
};

constexpr const char* kCheckSameNameKey = "TpCheckDetSameName";

// Coefficients are read as stored from this version on (1.2.4).
constexpr int64_t kStoredCoefficientsSince = 10204;

}  // namespace

HFileVersion ReadFileVersion(const HIniFile& ini) {
    return {ini.GetInt("Zarvik", "FileVersion.Major"), ini.GetInt("Zarvik", "FileVersion.Minor"),
            ini.GetInt("Zarvik", "FileVersion.Build")};
}

int HInfoRule::FirstUse(const HDefaultFolders& folders) {
    if (m_needsLoading == 0) {
        return 0;
    }
    m_needsLoading = 0;
    seisan.LoadDefaults(folders, kDefSeisanFile);
    tyousei.LoadDefaults(folders, kDefTyouseiFile);
    hiritu.LoadDefaults(folders, kDefKoumokuFile);
    lang.LoadDefaults(folders, "");
    seisan.ResetToDefaults();
    tyousei.ResetToDefaults();
    hiritu.ResetToDefaults();
    lang.ResetToDefaults();
    ResetCoefficients();
    return 1;
}

void HInfoRule::ResetCoefficients() {
    for (const HRuleField& f : kCoefficientFields) {
        this->*f.field = f.initial;
    }
}

void HInfoRule::CopyFrom(const HInfoRule& other) {
    if (&other == this) {
        return;
    }
    seisan.CopyFrom(other.seisan);
    tyousei.CopyFrom(other.tyousei);
    hiritu.CopyFrom(other.hiritu);
    TpCheckDetSameName = other.TpCheckDetSameName;
    for (const HRuleField& f : kCoefficientFields) {
        this->*f.field = other.*f.field;
    }
}

int HInfoRule::Save(HIniFile& ini, std::string_view section) const {
    seisan.Save(ini, section);
    tyousei.Save(ini, section);
    hiritu.Save(ini, section);
    ini.SetInt(section, kCheckSameNameKey, TpCheckDetSameName);
    for (const HRuleField& f : kCoefficientFields) {
        ini.SetInt(section, f.key, this->*f.field);
    }
    return 1;
}

int HInfoRule::Load(const HIniFile& ini, std::string_view section, const HFileVersion& version,
                    const HDefaultFolders& folders) {
    FirstUse(folders);
    seisan.Load(ini, section);
    tyousei.Load(ini, section);
    hiritu.Load(ini, section);
    TpCheckDetSameName = ini.GetInt(section, kCheckSameNameKey);
    const int64_t v = static_cast<int64_t>(version.major) * 10000 +
                      static_cast<int64_t>(version.minor) * 100 + version.build;
    if (v < kStoredCoefficientsSince) {
        ResetCoefficients();
        return 1;
    }
    for (const HRuleField& f : kCoefficientFields) {
        this->*f.field = ini.GetInt(section, f.key);
    }
    return 1;
}

}  // namespace zarvik
