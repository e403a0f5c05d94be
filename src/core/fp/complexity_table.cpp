#include "core/fp/complexity_table.h"

#include <cstdint>
#include <string>
#include <utility>

#include "core/fp/fp_rating.h"
#include "core/fp/info_file.h"
#include "core/fp/info_task.h"
#include "core/text/number_text.h"

namespace zarvik {

namespace {

struct HTableTexts {
    const char* secondLabel;
    const char* detRanges[3];
    const char* secondRanges[3];
    const char* note;
};

const HTableTexts* TextsOf(int32_t type) {
    static constexpr HTableTexts kEi = {
        "FTR", {"1-4", "5-15", "16-"}, {"0,1", "2", "3-"}, "※ FP値は、低は3、中は4、高は6。"};
    static constexpr HTableTexts kEo = {
        "FTR", {"1-5", "6-19", "20-"}, {"0,1", "2,3", "4-"}, "※ FP値は、低は4、中は5、高は7。"};
    static constexpr HTableTexts kEq = {
        "FTR", {"1-5", "6-19", "20-"}, {"0,1", "2,3", "4-"}, "※ FP値は、低は3、中は4、高は6。"};
    static constexpr HTableTexts kIlf = {
        "RET", {"1-19", "20-50", "51-"}, {"1", "2-5", "6-"}, "※ FP値は、低は7、中は10、高は15。"};
    static constexpr HTableTexts kEif = {
        "RET", {"1-19", "20-50", "51-"}, {"1", "2-5", "6-"}, "※ FP値は、低は5、中は7、高は10。"};
    switch (type) {
        case kFpTypeEI:
            return &kEi;
        case kFpTypeEO:
            return &kEo;
        case kFpTypeEQ:
            return &kEq;
        case kFpTypeILF:
            return &kIlf;
        case kFpTypeEIF:
            return &kEif;
        default:
            return nullptr;
    }
}

// The level of each matrix cell by DET row and second column; the same for every type.
constexpr int32_t kCellLevel[3][3] = {{kLevelLow, kLevelLow, kLevelAverage},
                                      {kLevelLow, kLevelAverage, kLevelHigh},
                                      {kLevelAverage, kLevelHigh, kLevelHigh}};
constexpr const char* kLevelText[3] = {"低", "中", "高"};

bool IsDataFunction(int32_t type) {
    return type == kFpTypeILF || type == kFpTypeEIF;
}

// Whether the matrix cell at DET row r and second column c is highlighted.
bool Highlighted(const HComplexityInput& in, int r, int c, int32_t ratedCell) {
    switch (in.setting) {
        case kSumEstimated:
            return kCellLevel[r][c] == (IsDataFunction(in.type) ? kLevelLow : kLevelAverage);
        case kSumUserLevel: {
            const int32_t level =
                in.level == kLevelAverage || in.level == kLevelHigh ? in.level : kLevelLow;
            return kCellLevel[r][c] == level;
        }
        case kSumAutomatic:
            return ratedCell == 10 * (r + 1) + c + 1;
        default:
            return false;
    }
}

}  // namespace

HComplexityTable BuildComplexityTable(const HComplexityInput& in, int32_t controlWidth) {
    HComplexityTable table;
    const HTableTexts* texts = TextsOf(in.type);
    if (texts == nullptr) {
        return table;
    }
    table.drawn = true;
    table.ink = in.setting == kSumUserFp ? kTableGreyInkColor : kTableInkColor;

    const bool showCounts = in.setting == kSumAutomatic;
    // An empty RET list rates as one record type, and is shown so.
    const int32_t shownSecond = IsDataFunction(in.type) && in.second == 0 ? 1 : in.second;
    int32_t ratedCell = 0;
    RateComplexity(in.type, in.det, in.second, &ratedCell);

    for (int32_t row = 0; row < kTableRows; ++row) {
        for (int32_t column = 0; column < kTableColumns; ++column) {
            HTableCell cell;
            cell.column = column;
            cell.row = row;
            cell.rect = {column * kTableCellWidth, row * kTableCellHeight,
                         (column + 1) * kTableCellWidth, (row + 1) * kTableCellHeight};
            cell.textRect = cell.rect;
            cell.textRect.bottom -= 2;
            if (column >= 2 && row >= 2) {
                // Columns run along the DET ranges, rows along the second ranges.
                const int r = column - 2;
                const int c = row - 2;
                cell.text = kLevelText[kCellLevel[r][c]];
                cell.fill =
                    Highlighted(in, r, c, ratedCell) ? HTableFill::Highlight : HTableFill::White;
            } else if (column == 0 && row == 2) {
                cell.text = texts->secondLabel;
            } else if (column == 0 && row == 3) {
                cell.text = showCounts ? FormatInt(shownSecond) : "";
            } else if (column == 1 && row >= 2) {
                cell.text = texts->secondRanges[row - 2];
            } else if (row == 0 && column == 2) {
                cell.text = "DET";
            } else if (row == 0 && column == 3) {
                cell.text = showCounts ? FormatInt(in.det) : "";
            } else if (row == 1 && column >= 2) {
                cell.text = texts->detRanges[column - 2];
            }
            table.cells.push_back(std::move(cell));
        }
    }

    for (int32_t x : {80, 120, 160}) {
        table.innerLines.push_back({{x, 25}, {x, 125}});
    }
    for (int32_t y : {50, 75, 100}) {
        table.innerLines.push_back({{40, y}, {200, y}});
    }
    table.frame = {40, 25, 200, 126};
    table.noteRect = {40, 125, controlWidth, 148};
    table.note = texts->note;
    return table;
}

HComplexityInput ComplexityInputOf(const HInfoFile& file) {
    return {file.typeCode, file.SelectFpSumType, file.FpLevel, file.GetDetCount(),
            file.GetRetCount()};
}

HComplexityInput ComplexityInputOf(const HInfoTask& task) {
    return {task.typeCode, task.SelectFpSumType, task.FpLevel, task.GetDetCount(),
            task.GetFtrCount()};
}

}  // namespace zarvik
