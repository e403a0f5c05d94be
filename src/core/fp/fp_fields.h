#pragma once
// The stored fields data and transaction functions share, written and read in one order:
// Name, FpType, SelectFpSumType, FpLevel, FpUser, AutoDET, Auto<second>, UserDET,
// User<second>, where the second count is RET or FTR.

#include <cstdint>
#include <string>

namespace zarvik {

class HIniFile;

struct HFpFields {
    std::string* name;
    int32_t* typeCode;
    int32_t* sumType;
    int32_t* level;
    int32_t* userFp;
    int32_t* autoDet;
    int32_t* autoSecond;
    int32_t* userDet;
    int32_t* userSecond;
    const char* secondName;  // "RET" or "FTR"
};

void SaveFpFields(HIniFile& ini, const std::string& section, const HFpFields& fields);
// A missing string reads as empty, a missing integer as 0.
void LoadFpFields(const HIniFile& ini, const std::string& section, const HFpFields& fields);

}  // namespace zarvik
