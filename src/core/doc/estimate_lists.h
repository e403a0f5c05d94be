#pragma once
// What the estimate report document shows besides the report text: the measured functions
// as table rows, and the main figures of the rules in force as text lines.

#include <array>
#include <string>
#include <vector>

namespace zarvik {

class HDrawList;
class HInfoRule;
struct HInfoKousuu;

inline constexpr const char* kTransactionListTitle = "トランザクションファンクション一覧";
inline constexpr const char* kFileListTitle = "データファンクション一覧";
inline constexpr const char* kRulesInForceTitle = "適用したFP算出規則";

inline constexpr int kFunctionListColumns = 6;
using HFunctionListRow = std::array<std::string, kFunctionListColumns>;

// The heads: name, type, DET, FTR (transactions) or RET (data functions), level, FP.
HFunctionListRow TransactionListHead();
HFunctionListRow FileListHead();

// One row per function of the listed kind, bottom of the stacking order first, as the CSV
// lists order them: the counts, level and FP the records rate, the level "-" when the FP
// is typed. The records' links must be up to date.
std::vector<HFunctionListRow> TransactionListRows(const HDrawList& boxes);
std::vector<HFunctionListRow> FileListRows(const HDrawList& boxes);

// The rules' main figures: how the UFP and the VAF are taken, the productivity in force
// and the formulas of the reference estimates with what they give for this estimate.
std::vector<std::string> RulesInForceLines(const HInfoRule& rule, const HInfoKousuu& estimate);

}  // namespace zarvik
