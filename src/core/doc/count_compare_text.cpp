// The comparison of two documents as text, in the words of the estimate report.

#include <cinttypes>

#include "core/doc/count_compare.h"
#include "core/fp/fp_rating.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

void AddLine(std::string& text, const std::string& line) {
    text += line;
    text += '\n';
}

std::string SecondLabel(const HFunctionFacts& facts) {
    return facts.data ? "RET" : "FTR";
}

// "EI  TASK_005 受注登録": type, key and name of one side.
std::string Heading(const HFunctionFacts& facts) {
    return Format("    %-3s %s %s", FunctionTypeOrCode(facts.type).c_str(), facts.key.c_str(),
                  facts.name.c_str());
}

std::string CountsText(const HFunctionFacts& facts) {
    return Format(" DET=%d %s=%d 複雑度=%s FP=%d", facts.det, SecondLabel(facts).c_str(),
                  facts.second, LevelText(facts.level).c_str(), facts.fp);
}

void AddChange(std::string& parts, const char* label, const std::string& before,
               const std::string& after) {
    parts += parts.empty() ? " " : ", ";
    parts += label;
    parts += ' ';
    parts += before;
    parts += "→";
    parts += after;
}

std::string ChangesText(const HFunctionDiff& diff) {
    const HFunctionFacts& a = *diff.base;
    const HFunctionFacts& b = *diff.next;
    const uint32_t bits = diff.differences;
    std::string parts;
    if (bits & kFactKey) {
        AddChange(parts, "キー", a.key, b.key);
    }
    if (bits & kFactName) {
        AddChange(parts, "名称", a.name, b.name);
    }
    if (bits & kFactType) {
        AddChange(parts, "種別", FunctionTypeOrCode(a.type), FunctionTypeOrCode(b.type));
    }
    if (bits & kFactDet) {
        AddChange(parts, "DET", FormatInt(a.det), FormatInt(b.det));
    }
    if (bits & kFactSecond) {
        AddChange(parts, SecondLabel(a).c_str(), FormatInt(a.second), FormatInt(b.second));
    }
    if (bits & kFactLevel) {
        AddChange(parts, "複雑度", LevelText(a.level), LevelText(b.level));
    }
    if (bits & kFactFp) {
        AddChange(parts, "FP", FormatInt(a.fp), FormatInt(b.fp));
    }
    return parts;
}

void AddFunctions(std::string& text, const HCountComparison& c, HFunctionChange change,
                  bool relabelledOnly) {
    for (const HFunctionDiff& diff : c.functions) {
        if (diff.change != change) {
            continue;
        }
        if (change == HFunctionChange::kAdded) {
            AddLine(text, Heading(*diff.next) + CountsText(*diff.next));
        } else if (change == HFunctionChange::kDeleted) {
            AddLine(text, Heading(*diff.base) + CountsText(*diff.base));
        } else if (!relabelledOnly || diff.differences != 0) {
            AddLine(text, Heading(*diff.base) + ":" + ChangesText(diff));
        }
    }
}

void AddSizes(std::string& text, const HCountComparison& c) {
    AddLine(text, "規模の比較(比較元→比較先,差)");
    AddLine(text, Format("    未調整合計FP値(UFP)=%d→%d(%+" PRId64 ")", c.base.ufp, c.next.ufp,
                         static_cast<int64_t>(c.next.ufp) - c.base.ufp));
    AddLine(text, Format("    調整係数(VAF)=%4.2f→%4.2f", c.base.vaf, c.next.vaf));
    AddLine(text, Format("    最終調整FP値(FP)=%4.2f→%4.2f(%+.2f)", c.base.finalFp, c.next.finalFp,
                         c.next.finalFp - c.base.finalFp));
    AddLine(text, Format("    (機能合計数=%d→%d(%+" PRId64 "))", c.base.functions, c.next.functions,
                         static_cast<int64_t>(c.next.functions) - c.base.functions));
}

void AddEnhancement(std::string& text, const HCountComparison& c) {
    AddLine(text, "拡張プロジェクトFP(EFP)=(ADD+CHGA+CFP)×VAFA+DEL×VAFB");
    AddLine(text, Format("    ADD =追加された機能のFP=%" PRId64, c.addFp));
    AddLine(text, Format("    CHGA=変更された機能の変更後のFP=%" PRId64 "(変更前=%" PRId64 ")",
                         c.chgaFp, c.chgbFp));
    AddLine(text, Format("    CFP =データ移行機能のFP=%" PRId64, c.conversionFp));
    AddLine(text, Format("    VAFA=比較先の調整係数=%4.2f", c.next.vaf));
    AddLine(text, Format("    DEL =削除された機能のFP=%" PRId64, c.delFp));
    AddLine(text, Format("    VAFB=比較元の調整係数=%4.2f", c.base.vaf));
    AddLine(text,
            Format("EFP=(%" PRId64 "+%" PRId64 "+%" PRId64 ")×%4.2f+%" PRId64 "×%4.2f=%4.2f",
                   c.addFp, c.chgaFp, c.conversionFp, c.next.vaf, c.delFp, c.base.vaf, c.efp));
}

}  // namespace

std::string FunctionTypeOrCode(int32_t type) {
    const char* name = FpTypeName(type);
    return name != nullptr ? std::string(name) : FormatInt(type);
}

std::string LevelText(int32_t level) {
    switch (level) {
        case kLevelLow:
            return "低";
        case kLevelAverage:
            return "中";
        case kLevelHigh:
            return "高";
        default:
            return "-";
    }
}

std::string BuildCompareText(const HCountComparison& c, const std::string& basePath,
                             const std::string& nextPath) {
    std::string text;
    AddLine(text, "比較元: " + basePath);
    AddLine(text, "比較先: " + nextPath);
    AddLine(text, "");
    const int32_t relabelled =
        static_cast<int32_t>(c.functions.size()) - c.Count(HFunctionChange::kAdded) -
        c.Count(HFunctionChange::kDeleted) - c.Count(HFunctionChange::kChanged);
    AddLine(text, Format("追加された機能(%d個,FP=%" PRId64 ")", c.Count(HFunctionChange::kAdded),
                         c.addFp));
    AddFunctions(text, c, HFunctionChange::kAdded, false);
    AddLine(text, Format("削除された機能(%d個,FP=%" PRId64 ")", c.Count(HFunctionChange::kDeleted),
                         c.delFp));
    AddFunctions(text, c, HFunctionChange::kDeleted, false);
    AddLine(text, Format("変更された機能(%d個,変更前FP=%" PRId64 ",変更後FP=%" PRId64 ")",
                         c.Count(HFunctionChange::kChanged), c.chgbFp, c.chgaFp));
    AddFunctions(text, c, HFunctionChange::kChanged, false);
    AddLine(text, Format("変更のない機能(%d個,うち名称またはキーだけ変わった機能%d個)", c.unchanged,
                         relabelled));
    AddFunctions(text, c, HFunctionChange::kUnchanged, true);
    AddLine(text, "");
    AddSizes(text, c);
    AddLine(text, "");
    AddEnhancement(text, c);
    return text;
}

}  // namespace zarvik
