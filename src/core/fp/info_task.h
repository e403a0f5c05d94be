#pragma once
// The record of a transaction function (EI, EO or EQ). Its DETs and its file types
// referenced are gathered from the data functions that relation lines join it to.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/fp/fp_fields.h"
#include "core/fp/fp_rating.h"
#include "core/fp/info_col.h"
#include "core/records/info_core.h"

namespace zarvik {

class HInfoFile;

inline constexpr const char* kTypeLabelTask = "ﾄﾗﾝｻﾞｸｼｮﾝ";

// The most DET entries a transaction's list is built with, far more than anyone reads: a
// typed count of two billion stays a number.
inline constexpr std::size_t kMaxListedDets = 100000;

class HInfoTask : public HInfoCore {
public:
    HInfoTask();

    int IsFpItem() const override { return 1; }
    int32_t GetFp() const override;
    int Save(HIniFile& ini, const std::string& section) const override;
    int Load(HIniFile& ini, const std::string& section) override;
    // The fields of the record; the links gathered from the lines are left out.
    void AddStateTo(HStateHash& hash) const override;

    // The DETs the linked data functions bring, one set per relation line; with
    // checkSameName non-zero each name among the entries that are not placeholders counts
    // once, and every placeholder counts.
    int32_t CountListDets(int32_t checkSameName) const;
    // The DET count the rating uses: UserDET when AutoDET is not 1, else the linked count
    // under checkDetSameName.
    int32_t GetDetCount() const;
    // UserFTR when AutoFTR is not 1, else the length of the FTR list.
    int32_t GetFtrCount() const;
    // The matrix level for the counts; cellCode as RateComplexity gives it.
    int32_t GetLevel(int32_t* cellCode = nullptr) const;
    // The level the calculation setting puts in force; -1 when the value is typed.
    int32_t GetLevelInForce() const;

    // The DET list as the transaction shows it, at most limit entries: for each relation
    // line in order, the linked data function's DETs, or placeholders standing for its
    // typed DET count. Built on demand; the count above needs no list.
    std::vector<HInfoCol> ListDets(std::size_t limit = kMaxListedDets) const;

    // Empties the FTR list and the linked ILF and EIF counts.
    void ClearLinks();
    // Adds one relation line's data function: it is an FTR, brings its DETs and adds its
    // type to the counts.
    void AddLinkedFile(HInfoFile& file);
    // Rebuilds the links from the data functions at the other ends of the transaction's
    // relation lines, one entry per line, in line order.
    void RebuildLinks(const std::vector<HInfoFile*>& linkedFiles);
    // Forgets a data function whose relation line was removed: every FTR entry for it, and
    // so the DETs it brought.
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
    // The linked data functions, one per relation line. A transaction's DETs are those
    // they bring, counted from here rather than copied, so that many lines to a data
    // function with a long list or a typed count of millions cost one pointer each.
    std::vector<HInfoFile*> ftrList;
    // The rules' same-name DET check the DETs are counted under; whoever gathers the links
    // sets it from the rules in force.
    int32_t checkDetSameName = 0;

private:
    // The stored fields shared with the other function record.
    HFpFields Fields() const;
};

// Name of the i-th of n placeholder DETs for a data function whose DET count is typed.
std::string PlaceholderDetName(int i, int n);
inline constexpr const char* kPlaceholderDetInfo = "<自動追加>";

}  // namespace zarvik
