#pragma once
// What the property sheets of data and transaction functions show and allow, apart from
// any window: titles, the basic page's texts and enabling, the read-only lists of a
// transaction, and the remark form of list entries.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/port/gdi_types.h"

namespace zarvik {

class HInfoTask;

inline constexpr const char* kFileSheetTitle = "データファンクションの設定";
inline constexpr const char* kTaskSheetTitle = "トランザクションファンクションの設定";
inline constexpr const char* kBasicPageLabel = "基本設定";
inline constexpr const char* kDetPageLabel = "DET設定";
inline constexpr const char* kRetPageLabel = "RET設定";
inline constexpr const char* kFtrPageLabel = "FTR設定";

// Page template ids, by which the frame selects and enables pages.
inline constexpr int32_t kPageFileBasic = 1548;
inline constexpr int32_t kPageFileDet = 1550;
inline constexpr int32_t kPageFileRet = 1549;
inline constexpr int32_t kPageTaskBasic = 1545;
inline constexpr int32_t kPageTaskDet = 1546;
inline constexpr int32_t kPageTaskFtr = 1547;

// Which controls of the basic page the chosen calculation setting leaves enabled. A
// setting no radio button stands for enables none of them.
struct HFpBasicEnabling {
    bool levelCombo = false;
    bool fpValueEdit = false;
    bool countPages = false;  // the DET and RET (or DET and FTR) tabs
    friend bool operator==(const HFpBasicEnabling&, const HFpBasicEnabling&) = default;
};
HFpBasicEnabling BasicPageEnabling(int32_t setting);

// The FP type combo: its texts in order and the type code of each index.
std::vector<std::string> FpTypeComboTexts(bool transaction);
// -1 when the index is outside the combo.
int32_t FpTypeOfComboIndex(bool transaction, int index);
// -1 when the type has no entry in the combo.
int FpTypeComboIndex(bool transaction, int32_t type);

// The label of the radio button of a calculation setting 0..3; empty for another value.
std::string SumSettingLabel(bool transaction, int32_t setting);
std::vector<std::string> LevelComboTexts();

// "未調整FP値=%d"
std::string UnadjustedFpText(int32_t fp);

// The value of a digits-only edit; an empty edit reads as 0.
int32_t DigitsEditValue(std::string_view text);

// A count page's check box is checked while the count is typed (the Auto flag is 0);
// the typed count's edit is then writable and the list disabled.
inline bool CountTypedByUser(int32_t autoFlag) {
    return autoFlag == 0;
}
inline int32_t AutoFlagForCheck(bool checked) {
    return checked ? 0 : 1;
}

struct HCountPageTexts {
    const char* checkBox;
    const char* countLabel;
};
HCountPageTexts DetPageTexts();
HCountPageTexts RetPageTexts();
HCountPageTexts FtrPageTexts();
inline constexpr const char* kRetListLabel = "レコード種類の指定";
inline constexpr const char* kTaskLinkLabel =
    "複雑度指定【データファンクションとのリンク指定】(自動設定)";

// A list column: header text, width in pixels, and whether its cells are right-aligned.
struct HSheetColumn {
    const char* title;
    int32_t width;
    bool rightAligned;
};

// One row of a page's list. The summary row closes every list and is never an entry.
struct HSheetRow {
    std::vector<std::string> cells;
    bool summary = false;
    bool grey = false;  // a placeholder entry, drawn in kPlaceholderTextColor
};
inline constexpr HColorRef kPlaceholderTextColor = Rgb(128, 128, 128);

// "(計 DET=%d)" and the like.
std::string SummaryText(const char* countName, int32_t count);

// The transaction's DET page: number, DET name, the data function it comes from; the
// summary counts the DETs as the rating does, after the same-name check.
std::vector<HSheetColumn> TaskDetColumns();
std::vector<HSheetRow> TaskDetRows(const HInfoTask& task);
// The FTR page: number, data function name, its type, its DET count.
std::vector<HSheetColumn> TaskFtrColumns();
std::vector<HSheetRow> TaskFtrRows(const HInfoTask& task);

// Remarks are stored on one line: a typed line break (CR LF or a lone LF) becomes the two
// characters backslash and n, and the stored sequences \r\n and \n are shown as line breaks.
std::string RemarksForStore(std::string_view typed);
std::string RemarksForEdit(std::string_view stored);

}  // namespace zarvik
