#pragma once
// Two versions of a document side by side: which functions were added, deleted or changed
// and what changed in each, the size of both, and the enhancement count of the change.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zarvik {

class HFlowDocument;

// A measured function as the estimate rates it.
struct HFunctionFacts {
    std::string key;    // the section key, "FILE_007" or "TASK_012"
    std::string name;   // as stored (a line break is backslash n)
    int32_t type = 0;   // type code
    bool data = false;  // a data function (ILF/EIF) rather than a transaction
    int32_t det = 0;
    int32_t second = 0;  // RET count of a data function, FTR count of a transaction
    int32_t level = -1;  // level in force; -1 when the value is typed directly
    int32_t fp = 0;
};

enum class HFunctionChange { kAdded, kDeleted, kChanged, kUnchanged };

// What differs between the two sides of a matched function, one bit each.
inline constexpr uint32_t kFactType = 1;
inline constexpr uint32_t kFactDet = 2;
inline constexpr uint32_t kFactSecond = 4;
inline constexpr uint32_t kFactLevel = 8;
inline constexpr uint32_t kFactFp = 16;
inline constexpr uint32_t kFactName = 32;  // a rename alone does not change the count
inline constexpr uint32_t kFactKey = 64;   // matched by name and type: moved to another key

// Bits that make a matched function count as changed.
inline constexpr uint32_t kMeasuredFacts =
    kFactType | kFactDet | kFactSecond | kFactLevel | kFactFp;

struct HFunctionDiff {
    HFunctionChange change = HFunctionChange::kUnchanged;
    std::optional<HFunctionFacts> base;  // missing for an added function
    std::optional<HFunctionFacts> next;  // missing for a deleted function
    uint32_t differences = 0;            // kFact bits
};

// The size of one document as its estimate gives it.
struct HDocumentSize {
    int32_t functions = 0;
    int32_t ilfCount = 0;
    int32_t eifCount = 0;
    int32_t ufp = 0;
    bool adjusted = false;
    double vaf = 1.0;  // 1.0 when the document applies no adjustment
    double finalFp = 0.0;
};

struct HCountComparison {
    // Added, deleted and changed functions, then those that were only renamed or moved;
    // unchanged functions are only counted.
    std::vector<HFunctionDiff> functions;
    int32_t unchanged = 0;  // matched functions with the same counts, renamed or moved included
    HDocumentSize base;
    HDocumentSize next;
    // The enhancement count: EFP = (ADD + CHGA + CFP) × VAFA + DEL × VAFB.
    int64_t addFp = 0;         // ADD: added functions
    int64_t chgaFp = 0;        // CHGA: changed functions after the change
    int64_t chgbFp = 0;        // changed functions before the change (shown, not in EFP)
    int64_t delFp = 0;         // DEL: deleted functions, before
    int64_t conversionFp = 0;  // CFP
    double efp = 0.0;

    int32_t Count(HFunctionChange change) const;
};

// The facts of every measured function of a document, bottom to top. The records' links
// must be up to date.
std::vector<HFunctionFacts> CollectFunctionFacts(const HFlowDocument& doc);

// The size of a document from its last estimate.
HDocumentSize MeasureDocument(const HFlowDocument& doc);

// Functions are matched by section key; a function whose key only one side has is matched
// to one of the same type and name on the other side that is unmatched too, else it was
// added or deleted. Both documents' estimates must be up to date.
HCountComparison CompareCounts(const HFlowDocument& base, const HFlowDocument& next,
                               int64_t conversionFp = 0);

// NESMA indicative count: 35 × ILF + 15 × EIF.
int64_t NesmaIndicativeFp(int32_t ilfCount, int32_t eifCount);

// The comparison as text for people, lines ending in LF.
std::string BuildCompareText(const HCountComparison& comparison, const std::string& basePath,
                             const std::string& nextPath);

// "ILF", "EIF", "EI", "EO", "EQ", else the type code as a number.
std::string FunctionTypeOrCode(int32_t type);
// "低", "中", "高", or "-" for a value typed directly.
std::string LevelText(int32_t level);

}  // namespace zarvik
