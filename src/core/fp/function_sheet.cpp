#include "core/fp/function_sheet.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/fp/fp_rating.h"
#include "core/fp/info_file.h"
#include "core/fp/info_task.h"
#include "core/text/number_text.h"

namespace zarvik {

namespace {

struct HComboEntry {
    const char* text;
    int32_t type;
};

constexpr HComboEntry kFileTypes[] = {
    {"内部論理ファイル：ILF  （Internal Logical File）", kFpTypeILF},
    {"外部インターフェースファイル：EIF  （External Interface File）", kFpTypeEIF},
};
constexpr HComboEntry kTaskTypes[] = {
    {"外部入力：EI  （External Input）", kFpTypeEI},
    {"外部出力：EO  （External Output）", kFpTypeEO},
    {"外部照会：EQ  （External Inquiry）", kFpTypeEQ},
};

template <std::size_t N>
int ComboIndexOf(const HComboEntry (&entries)[N], int32_t type) {
    for (std::size_t i = 0; i < N; ++i) {
        if (entries[i].type == type) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const char* FtrTypeText(int32_t type) {
    switch (type) {
        case kFpTypeILF:
            return "内部論理F(ILF)";
        case kFpTypeEIF:
            return "外部IF-F(EIF)";
        default:
            return "";
    }
}

}  // namespace

HFpBasicEnabling BasicPageEnabling(int32_t setting) {
    switch (setting) {
        case kSumUserLevel:
            return {true, false, false};
        case kSumAutomatic:
            return {false, false, true};
        case kSumUserFp:
            return {false, true, false};
        default:
            return {};
    }
}

std::vector<std::string> FpTypeComboTexts(bool transaction) {
    std::vector<std::string> texts;
    if (transaction) {
        for (const HComboEntry& e : kTaskTypes) {
            texts.emplace_back(e.text);
        }
    } else {
        for (const HComboEntry& e : kFileTypes) {
            texts.emplace_back(e.text);
        }
    }
    return texts;
}

int32_t FpTypeOfComboIndex(bool transaction, int index) {
    const int count = transaction ? 3 : 2;
    if (index < 0 || index >= count) {
        return -1;
    }
    return transaction ? kTaskTypes[index].type : kFileTypes[index].type;
}

int FpTypeComboIndex(bool transaction, int32_t type) {
    return transaction ? ComboIndexOf(kTaskTypes, type) : ComboIndexOf(kFileTypes, type);
}

std::string SumSettingLabel(bool transaction, int32_t setting) {
    switch (setting) {
        case kSumEstimated:
            return transaction ? "FP概算法 (複雑度を中とみなす)" : "FP概算法 (複雑度を低とみなす)";
        case kSumUserLevel:
            return "複雑度を指定する";
        case kSumAutomatic:
            return transaction ? "DET/FTRから自動算出" : "DET/RETから自動算出";
        case kSumUserFp:
            return "FP値を直接指定する";
        default:
            return {};
    }
}

std::vector<std::string> LevelComboTexts() {
    return {"低", "中", "高"};
}

std::string UnadjustedFpText(int32_t fp) {
    return Format("未調整FP値=%d", fp);
}

int32_t DigitsEditValue(std::string_view text) {
    return Atoi(text);
}

HCountPageTexts DetPageTexts() {
    return {"複雑度指定（DET：データ項目）を数値で行う", "DET：データ項目"};
}
HCountPageTexts RetPageTexts() {
    return {"複雑度指定（RET：レコード種類）を数値で行う", "RET：レコード種類"};
}
HCountPageTexts FtrPageTexts() {
    return {"複雑度指定（FTR：関連ファイル）を数値で行う", "FTR：関連ファイル"};
}

std::string SummaryText(const char* countName, int32_t count) {
    return Format("(計 %s=%d)", countName, count);
}

std::vector<HSheetColumn> TaskDetColumns() {
    return {{"No.", 50, true}, {"名称", 150, false}, {"FILE名", 100, false}};
}

std::vector<HSheetRow> TaskDetRows(const HInfoTask& task) {
    std::vector<HSheetRow> rows;
    const std::vector<HInfoCol> dets = task.ListDets();
    rows.reserve(dets.size() + 1);
    for (std::size_t i = 0; i < dets.size(); ++i) {
        const HInfoCol& det = dets[i];
        HSheetRow row;
        row.cells = {FormatInt(static_cast<int32_t>(i + 1)), det.name,
                     det.owner != nullptr ? det.owner->name : std::string()};
        row.grey = det.placeholder == 1;
        rows.push_back(std::move(row));
    }
    rows.push_back(
        {{"", SummaryText("DET", task.CountListDets(task.checkDetSameName)), ""}, true, false});
    return rows;
}

std::vector<HSheetColumn> TaskFtrColumns() {
    return {{"No.", 50, true}, {"名称", 150, false}, {"Type", 100, false}, {"DET数", 60, true}};
}

std::vector<HSheetRow> TaskFtrRows(const HInfoTask& task) {
    std::vector<HSheetRow> rows;
    rows.reserve(task.ftrList.size() + 1);
    for (std::size_t i = 0; i < task.ftrList.size(); ++i) {
        const HInfoFile* file = task.ftrList[i];
        HSheetRow row;
        row.cells = {FormatInt(static_cast<int32_t>(i + 1)), file->name,
                     FtrTypeText(file->typeCode), FormatInt(file->GetDetCount())};
        rows.push_back(std::move(row));
    }
    rows.push_back(
        {{"", SummaryText("FTR", static_cast<int32_t>(task.ftrList.size())), "", ""}, true, false});
    return rows;
}

std::string RemarksForStore(std::string_view typed) {
    std::string stored;
    stored.reserve(typed.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (c == '\r') {
            // A lone CR is a line break too: left raw it would split the stored line.
            if (i + 1 < typed.size() && typed[i + 1] == '\n') {
                ++i;
            }
            stored += "\\n";
        } else if (c == '\n') {
            stored += "\\n";
        } else {
            stored += c;
        }
    }
    return stored;
}

std::string RemarksForEdit(std::string_view stored) {
    std::string shown;
    shown.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const std::string_view rest = stored.substr(i);
        if (rest.starts_with("\\r\\n")) {
            shown += '\n';
            i += 3;
        } else if (rest.starts_with("\\n")) {
            shown += '\n';
            i += 1;
        } else {
            shown += stored[i];
        }
    }
    return shown;
}

}  // namespace zarvik
