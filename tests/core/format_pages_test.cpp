// The rules of the font and text placement pages of the box format sheet.

#include <gtest/gtest.h>

#include "core/port/draw_context.h"
#include "core/records/font_page_rules.h"
#include "core/records/text_format_page.h"

namespace zarvik {
namespace {

TEST(FontPageRules, StyleEntriesFollowWeight700AndItalic) {
    HLogFont font;
    font.weight = 700;
    EXPECT_EQ(2, FontStyleIndex(font));
    font.italic = 1;
    EXPECT_EQ(3, FontStyleIndex(font));
    font.weight = 600;  // only 700 counts as bold
    EXPECT_EQ(1, FontStyleIndex(font));
    font.weight = 0;
    font.italic = 0;
    EXPECT_EQ(0, FontStyleIndex(font));
    EXPECT_EQ(3, FindFontStyle("太字 斜体"));
    EXPECT_EQ(-1, FindFontStyle("太字斜体"));
}

TEST(FontPageRules, TypedSizesApplyWholePointsWithinTheFontLimit) {
    EXPECT_EQ(140, TypedFontSize("14"));
    EXPECT_EQ(120, TypedFontSize("12.5"));
    EXPECT_EQ(16380, TypedFontSize("1638"));
    EXPECT_EQ(std::nullopt, TypedFontSize("1639"));
    EXPECT_EQ(std::nullopt, TypedFontSize("0"));
    EXPECT_EQ(std::nullopt, TypedFontSize(""));
    EXPECT_EQ(std::nullopt, TypedFontSize("99999999999"));
    EXPECT_EQ(6, FontSizeIndex(140));
    EXPECT_EQ(-1, FontSizeIndex(130));
    EXPECT_EQ("10.5", FontSizeText(105));
}

TEST(FontPageRules, FaceListKeepsTheCurrentFaceAndOnlyFacesTheFileCanHold) {
    const std::vector<std::string> faces = FaceListEntries(
        {"IPAGothic", "한국어", std::string(32, 'W'), "Droid Sans Fallback", "IPAGothic"},
        "ＭＳ ゴシック");
    EXPECT_EQ((std::vector<std::string>{"Droid Sans Fallback", "IPAGothic", "ＭＳ ゴシック"}),
              faces);
}

TEST(FontPageRules, EveryChangeRebuildsTheFontAtTheShownSize) {
    HItemPartsText text;
    // As loaded: a 12-point font, while the point size is not stored and stays at 10.
    text.font = MakePointFont(120, "ＭＳ 明朝");
    HFontPageEdit edit(text);
    EXPECT_EQ(120, edit.Size());

    edit.SetUnderline(true);
    EXPECT_EQ(MakePointFont(120, "").height, text.font->height);
    EXPECT_EQ(120, text.pointSize);
    EXPECT_EQ(1, text.font->underline);

    edit.SetStyle(3);
    edit.SetSize(140);
    EXPECT_EQ(700, text.font->weight);
    EXPECT_EQ(1, text.font->italic);
    EXPECT_EQ(-19, text.font->height);
    EXPECT_EQ("ＭＳ 明朝", text.font->faceName);

    text.font.reset();
    HFontPageEdit fresh(text);
    fresh.SetTextColor(Rgb(255, 0, 0));
    ASSERT_TRUE(text.font.has_value());
    EXPECT_EQ(kDefaultFaceName, text.font->faceName);
}

TEST(TextPlacementRules, EachHorizontalEntryPlacesTheLabelAsItsTextSays) {
    EXPECT_EQ("左揃え", std::string(HorizontalAlignTexts()[2]));
    EXPECT_EQ(kDtRight | kDtVCenter, WithHorizontalAlign(kDtCenter | kDtVCenter, 0));
    EXPECT_EQ(kDtVCenter, WithHorizontalAlign(kDtCenter | kDtVCenter, 2));
    EXPECT_EQ(1, HorizontalAlignIndex(kDefaultTextFormat));
    EXPECT_EQ(0, HorizontalAlignIndex(kDtRight));
    EXPECT_EQ(2, HorizontalAlignIndex(0));

    EXPECT_EQ(kDtBottom | kDtCenter, WithVerticalAlign(kDtVCenter | kDtCenter, 2));
    EXPECT_EQ(kDtCenter, WithVerticalAlign(kDtBottom | kDtCenter, 0));
    EXPECT_EQ(2, VerticalAlignIndex(kDtBottom));
    EXPECT_EQ(0, VerticalAlignIndex(kDtCenter));
}

TEST(TextPlacementRules, EnablingAfterEveryChange) {
    HItemPartsText text;
    text.freePoint = 1;
    EXPECT_EQ(HTextPlacementEnabling{}, TextPlacementEnabling(text));

    text.freePoint = 0;
    text.textFormat = kDefaultTextFormat | kDtWordBreak;
    EXPECT_EQ((HTextPlacementEnabling{true, true, false}), TextPlacementEnabling(text));
    text.textFormat = kDefaultTextFormat | kDtEndEllipsis;
    EXPECT_EQ((HTextPlacementEnabling{true, false, true}), TextPlacementEnabling(text));
    // A word holding both (as a file may) can still be cleared.
    text.textFormat |= kDtWordBreak;
    EXPECT_EQ((HTextPlacementEnabling{true, true, true}), TextPlacementEnabling(text));
}

}  // namespace
}  // namespace zarvik
