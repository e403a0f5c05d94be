#pragma once
// The record of a data function (ILF or EIF): its DET and RET lists and how its value is
// found.

#include <cstdint>
#include <vector>

#include "core/fp/fp_fields.h"
#include "core/fp/fp_rating.h"
#include "core/fp/info_col.h"
#include "core/records/info_core.h"

namespace zarvik {

inline constexpr const char* kTypeLabelFile = "ﾌｧｲﾙ";

class HInfoFile : public HInfoCore {
public:
    HInfoFile();

    int IsFpItem() const override { return 1; }
    int32_t GetFp() const override;
    int Save(HIniFile& ini, const std::string& section) const override;
    int Load(HIniFile& ini, const std::string& section) override;
    void AddStateTo(HStateHash& hash) const override;

    // UserDET when AutoDET is not 1, else the length of the DET list.
    int32_t GetDetCount() const;
    // UserRET when AutoRET is not 1, else the length of the RET list.
    int32_t GetRetCount() const;
    // The matrix level for the counts; cellCode as RateComplexity gives it.
    int32_t GetLevel(int32_t* cellCode = nullptr) const;
    // The level the calculation setting puts in force; -1 when the value is typed.
    int32_t GetLevelInForce() const;

    // Copies every field and list entry; the copied entries belong to this record.
    void CopyFrom(const HInfoFile& other);

    int32_t SelectFpSumType = kSumEstimated;
    int32_t FpLevel = kLevelLow;
    int32_t FpUser = 0;
    int32_t AutoDET = 1;
    int32_t AutoRET = 1;
    int32_t UserDET = 0;
    int32_t UserRET = 0;
    std::vector<HInfoCol> detList;
    std::vector<HInfoCol> retList;

private:
    // The stored fields shared with the other function record.
    HFpFields Fields() const;
};

}  // namespace zarvik
