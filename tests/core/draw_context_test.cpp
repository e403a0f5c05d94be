#include <gtest/gtest.h>

#include "core/port/fixed_metrics_context.h"

namespace zarvik {
namespace {

// The fixed-metrics context stands in for the screen where there is none, so it keeps the
// measuring rules of every context: 10 units a byte and 20 a line with this font.
class FixedMetricsText : public ::testing::Test {
protected:
    void SetUp() override {
        HLogFont font;
        font.height = -20;
        dc.SelectFont(font);
    }
    HFixedMetricsContext dc;
};

TEST_F(FixedMetricsText, CalculatingMovesOnlyTheRightAndBottom) {
    HRect rect{5, 7, 500, 500};
    EXPECT_EQ(dc.DrawText("ABC\nD", rect, kDtCalcRect | kDtCenter), 40);
    EXPECT_EQ(rect, (HRect{5, 7, 35, 47}));
    rect = HRect{5, 7, 6, 8};
    EXPECT_EQ(dc.DrawText("ABC\nD", rect, kDtCalcRect), 40);
    EXPECT_EQ(rect, (HRect{5, 7, 35, 47}));

    // Drawing leaves the rectangle and still returns the height.
    rect = HRect{5, 7, 6, 8};
    EXPECT_EQ(dc.DrawText("ABC\nD", rect, kDtCenter), 40);
    EXPECT_EQ(rect, (HRect{5, 7, 6, 8}));
}

TEST_F(FixedMetricsText, LinesEndAtLineFeedCarriageReturnOrBoth) {
    for (const char* text : {"機能\nC", "機能\rC", "機能\r\nC"}) {
        SCOPED_TRACE(text);
        HRect rect;
        EXPECT_EQ(dc.DrawText(text, rect, kDtCalcRect), 40);
        EXPECT_EQ(rect.right, 40);  // two double-byte characters
    }
    // Without a font, text is measured in the stock system font.
    dc.SelectFont(std::nullopt);
    HRect rect;
    EXPECT_EQ(dc.DrawText("A\r\nB", rect, kDtCalcRect), 2 * kStockSystemFont.height);
}

TEST_F(FixedMetricsText, HugeFontHeightMeasuresWithoutOverflow) {
    HLogFont font;
    font.height = -2147483647;
    dc.SelectFont(font);
    HRect rect{kCoordinateLimit, 0, 0, 0};
    EXPECT_EQ(dc.DrawText("ABCDEFGH\nA\nB", rect, kDtCalcRect), kCoordinateLimit);
    EXPECT_EQ(rect, (HRect{kCoordinateLimit, 0, 2 * kCoordinateLimit, kCoordinateLimit}));
}

}  // namespace
}  // namespace zarvik
