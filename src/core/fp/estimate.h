#pragma once
// The estimate of a document: function counts and FP by type, the unadjusted and adjusted
// FP, productivity, effort, the reference estimates and the schedule, recomputed from the
// diagram's boxes and the rule in force.

#include <cstdint>
#include <span>
#include <string>

namespace zarvik {

class HInfoFile;
class HInfoRule;
class HInfoTask;

struct HInfoKousuu {
    int32_t ilfCount = 0;
    int32_t eifCount = 0;
    int32_t eiCount = 0;
    int32_t eoCount = 0;
    int32_t eqCount = 0;
    int32_t ilfFp = 0;
    int32_t eifFp = 0;
    int32_t eiFp = 0;
    int32_t eoFp = 0;
    int32_t eqFp = 0;
    int32_t dataCount = 0;         // data functions, whatever their type code
    int32_t transactionCount = 0;  // transactions, whatever their type code
    int32_t ufp = 0;
    int32_t adjusted = 0;  // 1 when a VAF is applied
    int32_t vafX100 = 0;   // 0 when not applied
    int32_t tdi = 0;
    double adjustedFp = 0.0;  // 0.0 when not applied
    int32_t productivityX100 = 0;
    double effort = 0.0;  // person-months
    double pages = 0.0;
    double tests = 0.0;
    double defects = 0.0;
    double scheduleFromFp = 0.0;      // months
    double scheduleFromEffort = 0.0;  // months, the optimum
    double scheduleMin = 0.0;         // months, the shortest

    void Reset() { *this = HInfoKousuu{}; }
    // The adjusted FP when a VAF is applied, else the UFP.
    double GetFinalFp() const;
};

// A function the estimate rates: a data function or a transaction (the other is null).
struct HRatedFunction {
    const HInfoFile* file = nullptr;
    const HInfoTask* task = nullptr;
};

// Recomputes result from the functions, in their order, and the rule. The records' links
// must be up to date (HFlowDocument::RefreshItems).
void ComputeEstimate(std::span<const HRatedFunction> functions, const HInfoRule& rule,
                     HInfoKousuu& result);

// The text of the answer panel: 15 lines with an adjustment, 14 without, each ending in
// CR LF.
std::string BuildReportText(const HInfoKousuu& result);

// The texts of the status bar panes 2 to 5, which show the estimate.
struct HEstimateStatus {
    std::string data;         // "DATA=%d"
    std::string transaction;  // "TRAN=%d"
    std::string ufp;          // "UFP=%d"
    std::string effort;       // "工数=%4.2f(人月)"
};

HEstimateStatus GetEstimateStatus(const HInfoKousuu& result);

}  // namespace zarvik
