#include "core/fp/estimate.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/fp/fp_rating.h"
#include "core/fp/info_file.h"
#include "core/fp/info_rule.h"
#include "core/fp/info_task.h"

namespace zarvik {
namespace {

// FP values can be typed without bound, so the sums saturate instead of overflowing.
int32_t AddSaturated(int32_t a, int32_t b) {
    return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(a) + b,
                                                    std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

void AddFunction(int32_t& count, int32_t& fp, int32_t value) {
    ++count;
    fp = AddSaturated(fp, value);
}

// Counts the functions into result; returns the FP total.
int32_t CountFunctions(std::span<const HRatedFunction> functions, HInfoKousuu& result) {
    int32_t total = 0;
    for (const HRatedFunction& function : functions) {
        if (const HInfoTask* task = function.task) {
            const int32_t v = task->GetFp();
            total = AddSaturated(total, v);
            ++result.transactionCount;
            if (task->typeCode == kFpTypeEI) {
                AddFunction(result.eiCount, result.eiFp, v);
            } else if (task->typeCode == kFpTypeEO) {
                AddFunction(result.eoCount, result.eoFp, v);
            } else if (task->typeCode == kFpTypeEQ) {
                AddFunction(result.eqCount, result.eqFp, v);
            }
        } else if (const HInfoFile* file = function.file) {
            const int32_t v = file->GetFp();
            total = AddSaturated(total, v);
            ++result.dataCount;
            if (file->typeCode == kFpTypeILF) {
                AddFunction(result.ilfCount, result.ilfFp, v);
            } else if (file->typeCode == kFpTypeEIF) {
                AddFunction(result.eifCount, result.eifFp, v);
            }
        }
    }
    return total;
}

// pow(base, E x 0.01) x (C x 0.01). A base that is not positive gives 0.0: nothing to
// estimate, and a negative typed UFP must not turn into NaN.
double Reference(double base, int32_t coefficientX100, int32_t exponentX100) {
    if (!(base > 0.0)) {
        return 0.0;
    }
    return std::pow(base, exponentX100 * 0.01) * (coefficientX100 * 0.01);
}

void ComputeSchedule(const HInfoRule& rule, HInfoKousuu& result) {
    // A negative effort (from a negative typed productivity) has no schedule.
    if (rule.FpKouki2X100 <= 0 || result.effort < 0.0) {
        return;
    }
    result.scheduleFromEffort =
        std::pow(result.effort, 1.0 / (rule.FpKouki2X100 * 0.01)) * (rule.FpKouki1X100 * 0.01);
    result.scheduleMin = result.scheduleFromEffort * (rule.FpKoukiMinX100 * 0.01);
}

}  // namespace

double HInfoKousuu::GetFinalFp() const {
    return adjusted == 1 ? adjustedFp : static_cast<double>(ufp);
}

void ComputeEstimate(std::span<const HRatedFunction> functions, const HInfoRule& rule,
                     HInfoKousuu& result) {
    result.Reset();
    const int32_t total = CountFunctions(functions, result);
    result.ufp = rule.IsFpUFPManual != 0 ? rule.FpUFPManual : total;
    result.tdi = rule.GetTdi();
    result.vafX100 = rule.GetVafX100();
    if (result.vafX100 != 0) {
        result.adjusted = 1;
        // The product is exact in 64 bits; 32 would overflow for large typed values.
        result.adjustedFp =
            static_cast<double>(static_cast<int64_t>(result.ufp) * result.vafX100) * 0.01;
    }
    result.productivityX100 = rule.GetProductivityX100(result.ufp);
    if (result.productivityX100 != 0) {
        const double fp = result.adjustedFp != 0.0 ? result.adjustedFp : result.ufp;
        result.effort = fp * 100.0 / result.productivityX100;
    }
    const double base = result.adjustedFp != 0.0 ? result.adjustedFp : result.ufp;
    result.pages = Reference(base, rule.FpGaisanPage1X100, rule.FpGaisanPage2X100);
    result.tests = Reference(base, rule.FpGaisanTest1X100, rule.FpGaisanTest2X100);
    result.defects = Reference(base, rule.FpGaisanBug1X100, rule.FpGaisanBug2X100);
    result.scheduleFromFp = Reference(base, rule.FpGaisanKikan1X100, rule.FpGaisanKikan2X100);
    ComputeSchedule(rule, result);
}

}  // namespace zarvik
