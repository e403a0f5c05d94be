#pragma once
// The record of a transaction function (EI, EO or EQ). Its DETs and its file types
// referenced are gathered from the data functions that relation lines join it to.

#include <cstdint>
#include <vector>

#include "core/fp/fp_fields.h"
#include "core/fp/fp_rating.h"
#include "core/fp/info_col.h"
#include "core/records/info_core.h"

namespace zarvik {

class HInfoFile;

inline constexpr const char* kTypeLabelTask = "ﾄﾗﾝｻﾞｸｼｮﾝ";

class HInfoTask : public HInfoCore {
public:
    HInfoTask();

    int IsFpItem() const override { return 1; }
    int32_t GetFp() const override;
    int Save(HIniFile& ini, const std::string& section) const override;
    int Load(HIniFile& ini, const std::string& section) override;

    // The DETs of the gathered list; with checkSameName non-zero each name among the
    // entries that are not placeholders counts once, and every placeholder counts.
    int32_t CountListDets(int32_t checkSameName) const;
    // The DET count the rating uses: UserDET when AutoDET is not 1, else the list's count
    // under checkDetSameName.
    int32_t GetDetCount() const;
    // UserFTR when AutoFTR is not 1, else the length of the FTR list.
    int32_t GetFtrCount() const;
    // The matrix level for the counts; cellCode as RateComplexity gives it.
    int32_t GetLevel(int32_t* cellCode = nullptr) const;

    // Empties the gathered DETs, FTRs and the linked ILF and EIF counts.
    void ClearLinks();
    // Adds one relation line's data function: its DETs (placeholders when its DET count
    // is typed as a number), the function itself as an FTR, and its type to the counts.
    void AddLinkedFile(HInfoFile& file);
    // Rebuilds the gathered lists from the data functions at the other ends of the
    // transaction's relation lines, one entry per line, in line order.
    void RebuildLinks(const std::vector<HInfoFile*>& linkedFiles);
    // Forgets a data function whose relation line was removed: its DETs, then every FTR
    // entry for it.
    void UnlinkFile(const HInfoFile* file);

    void CopyFrom(const HInfoTask& other);

    int32_t SelectFpSumType = kSumEstimated;
    int32_t FpLevel = kLevelAverage;
    int32_t FpUser = 0;
    int32_t AutoDET = 1;
    int32_t AutoFTR = 1;
    int32_t UserDET = 0;
    int32_t UserFTR = 0;
    // Derived from the relation lines, never stored.
    int32_t linkedEifCount = 0;
    int32_t linkedIlfCount = 0;
    std::vector<HInfoCol> detList;
    std::vector<HInfoFile*> ftrList;  // the linked data functions, one per relation line
    // The rules' same-name DET check the gathered list is counted under; whoever gathers
    // the links sets it from the rules in force.
    int32_t checkDetSameName = 0;
    // Fixed DETs counted but not listed: a linked data function lists at most
    // kMaxListEntries placeholders, so that a typed count of millions stays a number.
    int32_t unlistedPlaceholders = 0;

private:
    // The stored fields shared with the other function record.
    HFpFields Fields() const;
};

// Name of the i-th of n placeholder DETs for a data function whose DET count is typed.
std::string PlaceholderDetName(int i, int n);
inline constexpr const char* kPlaceholderDetInfo = "<自動追加>";

}  // namespace zarvik
