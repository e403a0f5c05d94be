// The report text of the answer panel and the status bar values of an estimate.

#include "core/fp/estimate.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

void AddLine(std::string& text, const std::string& line) {
    text += line;
    text += "\r\n";
}

}  // namespace

std::string BuildReportText(const HInfoKousuu& r) {
    std::string text;
    AddLine(text, "機能種別毎の集計(個数,FP値合計)");
    AddLine(text, Format("    ILF:%d個,FP=%d", r.ilfCount, r.ilfFp));
    AddLine(text, Format("    EIF:%d個,FP=%d", r.eifCount, r.eifFp));
    AddLine(text, Format("    EI :%d個,FP=%d", r.eiCount, r.eiFp));
    AddLine(text, Format("    EO :%d個,FP=%d", r.eoCount, r.eoFp));
    AddLine(text, Format("    EQ :%d個,FP=%d", r.eqCount, r.eqFp));
    AddLine(text, Format("未調整合計FP値(UFP)=%d", r.ufp));
    // Both counts are bounded by the item count, so the sum stays in range.
    AddLine(text, Format("(機能合計数=%d)", r.dataCount + r.transactionCount));
    AddLine(text, "");
    if (r.adjusted == 1) {
        AddLine(text, Format("調整係数値合計(TDI)=%d", r.tdi));
        AddLine(text, Format("調整係数(VAF)=0.65+(0.01×TDI)=%4.2f", r.vafX100 * 0.01));
        AddLine(text, Format("最終調整FP値(FP)=UFP×VAF=%4.2f", r.adjustedFp));
    } else {
        AddLine(text, "調整係数(VAF)による調整は行いません。");
        AddLine(text, "最終調整FP値(FP)=未調整合計FP値(UFP)");
    }
    AddLine(text, "");
    AddLine(text, Format("生産性(FP数/1人月)=%4.2f", r.productivityX100 * 0.01));
    AddLine(text, Format("工数(人月)=合計FP値/生産性=%4.2f", r.effort));
    return text;
}

HEstimateStatus GetEstimateStatus(const HInfoKousuu& r) {
    return {Format("DATA=%d", r.dataCount), Format("TRAN=%d", r.transactionCount),
            Format("UFP=%d", r.ufp), Format("工数=%4.2f(人月)", r.effort)};
}

}  // namespace zarvik
