// The complexity table control as painted: the cells each setting highlights, at their grid
// positions, for every function type.

#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <utility>

#include "core/fp/fp_rating.h"
#include "gui/sheets/complexity_table_widget.h"

namespace zarvik::gui {
namespace {

using Cell = std::pair<int, int>;  // column, row of the painted grid

const QColor kBlue(0, 0, 255);

// The matrix cells of one level; columns run along the DET ranges, rows along RET/FTR.
std::set<Cell> CellsOf(int32_t level) {
    switch (level) {
        case kLevelLow:
            return {{2, 2}, {2, 3}, {3, 2}};
        case kLevelAverage:
            return {{2, 4}, {3, 3}, {4, 2}};
        default:
            return {{3, 4}, {4, 3}, {4, 4}};
    }
}

QImage Paint(const HComplexityInput& input) {
    HComplexityTableWidget widget([input] { return input; });
    widget.resize(280, 150);
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void ExpectHighlighted(const QImage& image, const std::set<Cell>& expected, const char* what) {
    for (int column = 2; column < 5; ++column) {
        for (int row = 2; row < 5; ++row) {
            // The cell's upper left stays clear of its text and the grid lines.
            const QColor pixel = image.pixelColor(column * 40 + 4, row * 25 + 4);
            const bool blue = pixel == kBlue;
            EXPECT_EQ(expected.count({column, row}) == 1, blue)
                << what << " cell " << column << "," << row;
            if (!blue) {
                EXPECT_EQ(QColor(Qt::white), pixel) << what << " cell " << column << "," << row;
            }
        }
    }
}

TEST(ComplexityTablePixels, EachSettingHighlightsItsCellsForEveryType) {
    for (const int32_t type : {kFpTypeEI, kFpTypeEO, kFpTypeEQ, kFpTypeILF, kFpTypeEIF}) {
        SCOPED_TRACE(type);
        const bool data = type == kFpTypeILF || type == kFpTypeEIF;
        ExpectHighlighted(Paint({type, kSumEstimated, 0, 0, 0}),
                          CellsOf(data ? kLevelLow : kLevelAverage), "estimated");
        ExpectHighlighted(Paint({type, kSumUserLevel, kLevelHigh, 0, 0}), CellsOf(kLevelHigh),
                          "user level");
        // These counts fall in the middle ranges of their type.
        ExpectHighlighted(Paint({type, kSumAutomatic, 0, data ? 25 : 10, data ? 3 : 2}), {{3, 3}},
                          "automatic");
        const QImage typed = Paint({type, kSumUserFp, 0, 0, 0});
        ExpectHighlighted(typed, {}, "typed FP");
        // The grid is drawn in grey while the typed value is in force, black otherwise.
        EXPECT_EQ(QColor(200, 200, 200), typed.pixelColor(80, 60));
        EXPECT_EQ(QColor(0, 0, 0), Paint({type, kSumEstimated, 0, 0, 0}).pixelColor(80, 60));
    }
}

TEST(ComplexityTablePixels, AnEmptyRetListRatesAndShowsAsOneRecordType) {
    const HComplexityInput input{kFpTypeILF, kSumAutomatic, 0, 2, 0};
    ExpectHighlighted(Paint(input), {{2, 2}}, "empty RET list");
    HComplexityTableWidget widget([input] { return input; });
    widget.resize(280, 150);
    EXPECT_EQ("1", widget.Table().cells[3 * 5 + 0].text);
}

}  // namespace
}  // namespace zarvik::gui
