#include "core/fp/estimate_sheet.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <utility>

#include "core/fp/estimate.h"
#include "core/fp/info_rule.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

struct BoxDef {
    int32_t id;
    int32_t column;
    int32_t row;
    int32_t width;
    int32_t height;
    int32_t background;
    const char* caption;
    const char* secondLine;
    HColorRef color;
};

constexpr HColorRef kGreen = Rgb(200, 255, 200);
constexpr HColorRef kWhite = Rgb(255, 255, 255);
constexpr HColorRef kCyan = Rgb(200, 255, 255);
constexpr HColorRef kBlue = Rgb(200, 200, 255);

// In creation order: the frame comes after the boxes it surrounds, which does not matter
// as it is painted first by its background flag.
constexpr BoxDef kBoxes[] = {
    {kKantanType, 1, 6, 100, 120, 0, "計測タイプ", "ｻﾎﾟｰﾄ機能無し", kGreen},
    {kKantanScope, 6, 6, 100, 120, 0, "計測範囲", "ｻﾎﾟｰﾄ機能無し", kGreen},
    {kKantanData, 14, 2, 100, 120, 0, "ﾃﾞｰﾀ", "DF", kWhite},
    {kKantanTransaction, 14, 10, 100, 120, 0, "ﾄﾗﾝｻﾞｸｼｮﾝ", "TF", kWhite},
    {kKantanUfp, 20, 6, 100, 120, 0, "未調整FP", "UFP", kWhite},
    {kKantanFrame, 12, 1, 325, 320, 1, "", "", kCyan},
    {kKantanAdjustment, 14, 18, 100, 120, 0, "調整係数", "VAF", kWhite},
    {kKantanFp, 27, 12, 100, 120, 0, "調整FP", "FP", kWhite},
    {kKantanEffort, 32, 12, 100, 120, 0, "工数", "人月", kBlue},
    {kKantanEstimates, 27, 20, 175, 160, 0, "各種概算", "---", kBlue},
    {kKantanSchedule, 38, 8, 100, 120, 0, "工期", "月", kBlue},
    {kKantanDevItems, 38, 16, 100, 120, 0, "開発項目一覧", "人月", kBlue},
};

// A straight run of pieces from one grid cell to another, both included: horizontal runs
// step along the row, vertical ones down or up the column.
struct RunDef {
    int32_t id;
    bool vertical;
    int32_t column;
    int32_t row;
    int32_t toColumn;
    int32_t toRow;
};

constexpr RunDef kRuns[] = {
    {10, false, 5, 9, 5, 9},     {21, false, 10, 9, 10, 9},   {23, false, 13, 5, 13, 5},
    {23, true, 13, 8, 13, 5},    {24, false, 13, 13, 13, 13}, {24, true, 13, 9, 13, 12},
    {25, false, 11, 21, 13, 21}, {25, true, 11, 9, 11, 20},   {22, false, 11, 9, 11, 9},
    {26, false, 12, 9, 12, 9},   {31, false, 18, 5, 18, 5},   {31, true, 19, 5, 19, 8},
    {32, false, 18, 13, 18, 13}, {32, true, 19, 9, 19, 12},   {33, false, 19, 9, 19, 9},
    {34, false, 18, 21, 25, 21}, {34, true, 26, 20, 26, 15},  {41, false, 24, 9, 25, 9},
    {41, true, 26, 9, 26, 14},   {42, false, 26, 15, 26, 15}, {51, true, 29, 18, 29, 19},
    {61, false, 31, 15, 31, 15}, {71, false, 36, 15, 36, 15}, {72, false, 37, 11, 37, 11},
    {72, true, 37, 11, 37, 14},  {73, false, 37, 19, 37, 19}, {73, true, 37, 14, 37, 18},
};

HInfoKantanLine Piece(int32_t id, bool vertical, int32_t column, int32_t row) {
    HInfoKantanLine piece;
    piece.id = id;
    piece.x = column * kKantanGridX - 2;
    piece.y = row * kKantanGridY - 2;
    piece.width = vertical ? 4 : kKantanGridX + 4;
    piece.height = vertical ? kKantanGridY + 4 : 4;
    return piece;
}

// FP totals of the estimate saturate at the 32-bit bounds, and so does their sum here.
int32_t SumSaturated(std::initializer_list<int32_t> values) {
    int64_t sum = 0;
    for (int32_t v : values) {
        sum += v;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Lines 2 and 3 of the data and transaction boxes.
std::string CountLine(int32_t line, int32_t count, int32_t fp) {
    if (line == 2) {
        return count == 0 ? "未登録" : Format("%d個", count);
    }
    if (line == 3 && count != 0) {
        return Format("FP値=%d個", fp);
    }
    return {};
}

std::string EstimatesLine(int32_t line, const HInfoKousuu& r) {
    switch (line) {
        case 2:
            return Format("文書  =%9.2fP  ", r.pages);
        case 3:
            return Format("テスト=%9.2fｹｰｽ", r.tests);
        case 4:
            return Format("欠陥数=%9.2f個 ", r.defects);
        case 5:
            return Format("工期  =%9.2f月 ", r.scheduleFromFp);
        default:
            return {};
    }
}

// Lines 2 to 5 of box id.
std::string ValueLine(int32_t id, int32_t line, const HInfoKousuu& r) {
    switch (id) {
        case kKantanData:
            return CountLine(line, r.dataCount, SumSaturated({r.ilfFp, r.eifFp}));
        case kKantanTransaction:
            return CountLine(line, r.transactionCount, SumSaturated({r.eiFp, r.eoFp, r.eqFp}));
        case kKantanAdjustment:
            if (line == 2) {
                return r.vafX100 == 0 ? "---" : Format("係数=%4.2f", r.vafX100 * 0.01);
            }
            return {};
        case kKantanUfp:
            return line == 2 ? Format("FP値=%d", r.ufp) : std::string();
        case kKantanFp:
            if (line == 2) {
                return Format("FP値=%4.2f", r.GetFinalFp());
            }
            return line == 3 && r.adjusted == 0 ? "(UFPと同じ)" : "";
        case kKantanEstimates:
            return EstimatesLine(line, r);
        case kKantanEffort:
            if (line == 2) {
                return Format("%4.2f人月", r.effort);
            }
            return line == 3 ? Format("(生産性=%4.2f)", r.productivityX100 * 0.01) : "";
        case kKantanSchedule:
            if (line == 2) {
                return Format("最適=%4.2f月", r.scheduleFromEffort);
            }
            return line == 3 ? Format("最小=%4.2f月", r.scheduleMin) : "";
        case kKantanDevItems:
            return line == 2 ? "---" : "";
        default:
            return {};
    }
}

}  // namespace

std::vector<HInfoKantanItem> BuildKantanItems() {
    std::vector<HInfoKantanItem> items;
    items.reserve(std::size(kBoxes));
    for (const BoxDef& def : kBoxes) {
        HInfoKantanItem item;
        item.id = def.id;
        item.x = def.column * kKantanGridX;
        item.y = def.row * kKantanGridY;
        item.width = def.width;
        item.height = def.height;
        item.sequence = static_cast<int32_t>(items.size());
        item.color = def.color;
        item.caption = def.caption;
        item.secondLine = def.secondLine;
        item.background = def.background;
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<HInfoKantanLine> BuildKantanLines() {
    std::vector<HInfoKantanLine> lines;
    for (const RunDef& run : kRuns) {
        const int32_t from = run.vertical ? run.row : run.column;
        const int32_t to = run.vertical ? run.toRow : run.toColumn;
        const int32_t step = to >= from ? 1 : -1;
        for (int32_t i = from;; i += step) {
            lines.push_back(run.vertical ? Piece(run.id, true, run.column, i)
                                         : Piece(run.id, false, i, run.row));
            if (i == to) {
                break;
            }
        }
    }
    return lines;
}

const HInfoKantanItem* FindKantanItem(const std::vector<HInfoKantanItem>& items, int32_t id) {
    const auto it = std::find_if(items.begin(), items.end(),
                                 [id](const HInfoKantanItem& item) { return item.id == id; });
    return it == items.end() ? nullptr : &*it;
}

int SetKantanFocus(std::vector<HInfoKantanItem>& items, int32_t id) {
    if (FindKantanItem(items, id) == nullptr) {
        return 0;
    }
    for (HInfoKantanItem& item : items) {
        item.focus = item.id == id ? 1 : 0;
    }
    return 1;
}

std::string GetKantanText(const HInfoKantanItem& box, int32_t line, const HInfoKousuu& result) {
    if (line == 0) {
        return box.caption;
    }
    if (line == 1) {
        return box.secondLine;
    }
    return line >= 2 && line <= 5 ? ValueLine(box.id, line, result) : std::string();
}

std::string GetKantanText(const HInfoKantanItem& box, int32_t line,
                          std::span<const HRatedFunction> functions, const HInfoRule& rule) {
    HInfoKousuu result;
    ComputeEstimate(functions, rule, result);
    return GetKantanText(box, line, result);
}

int32_t GetKantanTextY(const HInfoKantanItem& box, int32_t line) {
    return box.y + kKantanGridY * (line + 1);
}

HColorRef GetKantanTextColor(int32_t id, const HInfoRule& rule) {
    // Grey follows what the estimate does: any non-zero typed-UFP flag replaces the
    // diagram's total, and a VAF of 0 (no adjustment, or a typed factor of 0) adjusts
    // nothing.
    if ((id == kKantanData || id == kKantanTransaction) && rule.IsFpUFPManual != 0) {
        return kKantanTextGrey;
    }
    if (id == kKantanAdjustment && rule.GetVafX100() == 0) {
        return kKantanTextGrey;
    }
    return kKantanTextBlack;
}

std::vector<HKantanBoxText> BuildKantanTexts(const std::vector<HInfoKantanItem>& items,
                                             std::span<const HRatedFunction> functions,
                                             const HInfoRule& rule) {
    // Nothing changes while a paint reads the values, so one computation serves them all.
    HInfoKousuu result;
    ComputeEstimate(functions, rule, result);
    std::vector<HKantanBoxText> texts;
    texts.reserve(items.size());
    for (const HInfoKantanItem& item : items) {
        HKantanBoxText& text = texts.emplace_back();
        text.id = item.id;
        text.color = GetKantanTextColor(item.id, rule);
        for (int32_t line = 0; line < kKantanLineCount; ++line) {
            text.lines[static_cast<std::size_t>(line)] = GetKantanText(item, line, result);
        }
    }
    return texts;
}

}  // namespace zarvik
