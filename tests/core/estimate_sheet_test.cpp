// The simple estimate sheet: its boxes and connectors, and the text and colour of every
// box line as the estimate gives them.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/doc/flow_document.h"
#include "core/fp/estimate_sheet.h"
#include "core/fp/fp_rating.h"
#include "core/fp/info_rule.h"
#include "core/items/item_kinds.h"

namespace zarvik {
namespace {

bool Overlap(const HRect& a, const HRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// ---------------------------------------------------------------------------------------
// Layout

TEST(SheetLayout, BoxesInCreationOrderWithPixelPositions) {
    struct Expected {
        int32_t id;
        HRect rect;
        HColorRef color;
        const char* caption;
        const char* secondLine;
        int32_t background;
    };
    const Expected expected[] = {
        {1, {25, 120, 125, 240}, Rgb(200, 255, 200), "計測タイプ", "ｻﾎﾟｰﾄ機能無し", 0},
        {2, {150, 120, 250, 240}, Rgb(200, 255, 200), "計測範囲", "ｻﾎﾟｰﾄ機能無し", 0},
        {3, {350, 40, 450, 160}, Rgb(255, 255, 255), "ﾃﾞｰﾀ", "DF", 0},
        {4, {350, 200, 450, 320}, Rgb(255, 255, 255), "ﾄﾗﾝｻﾞｸｼｮﾝ", "TF", 0},
        {6, {500, 120, 600, 240}, Rgb(255, 255, 255), "未調整FP", "UFP", 0},
        {12, {300, 20, 625, 340}, Rgb(200, 255, 255), "", "", 1},
        {5, {350, 360, 450, 480}, Rgb(255, 255, 255), "調整係数", "VAF", 0},
        {7, {675, 240, 775, 360}, Rgb(255, 255, 255), "調整FP", "FP", 0},
        {9, {800, 240, 900, 360}, Rgb(200, 200, 255), "工数", "人月", 0},
        {8, {675, 400, 850, 560}, Rgb(200, 200, 255), "各種概算", "---", 0},
        {10, {950, 160, 1050, 280}, Rgb(200, 200, 255), "工期", "月", 0},
        {11, {950, 320, 1050, 440}, Rgb(200, 200, 255), "開発項目一覧", "人月", 0},
    };
    const std::vector<HInfoKantanItem> items = BuildKantanItems();
    ASSERT_EQ(items.size(), std::size(expected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        const HInfoKantanItem& item = items[i];
        SCOPED_TRACE(testing::Message() << "box " << expected[i].id);
        EXPECT_EQ(item.id, expected[i].id);
        EXPECT_EQ(item.Rect(), expected[i].rect);
        EXPECT_EQ(item.color, expected[i].color);
        EXPECT_EQ(item.caption, expected[i].caption);
        EXPECT_EQ(item.secondLine, expected[i].secondLine);
        EXPECT_EQ(item.background, expected[i].background);
        EXPECT_EQ(item.sequence, static_cast<int32_t>(i));
    }
}

TEST(SheetLayout, ConnectorPiecesGroupedByIdWithTheirExtent) {
    struct Expected {
        int32_t id;
        int pieces;
        HRect extent;  // the union of the pieces
    };
    const Expected expected[] = {
        {10, 1, {123, 178, 152, 182}},  {21, 1, {248, 178, 277, 182}},
        {23, 5, {323, 98, 352, 182}},   {24, 5, {323, 178, 352, 262}},
        {25, 15, {273, 178, 352, 422}}, {22, 1, {273, 178, 302, 182}},
        {26, 1, {298, 178, 327, 182}},  {31, 5, {448, 98, 477, 182}},
        {32, 5, {448, 178, 477, 262}},  {33, 1, {473, 178, 502, 182}},
        {34, 14, {448, 298, 652, 422}}, {41, 8, {598, 178, 652, 302}},
        {42, 1, {648, 298, 677, 302}},  {51, 2, {723, 358, 727, 402}},
        {61, 1, {773, 298, 802, 302}},  {71, 1, {898, 298, 927, 302}},
        {72, 5, {923, 218, 952, 302}},  {73, 6, {923, 278, 952, 382}},
    };
    // Ids in order of first appearance, each one contiguous.
    std::vector<int32_t> order;
    std::map<int32_t, int> counts;
    std::map<int32_t, HRect> extents;
    for (const HInfoKantanLine& piece : BuildKantanLines()) {
        if (order.empty() || order.back() != piece.id) {
            ASSERT_EQ(counts.count(piece.id), 0u) << "pieces of " << piece.id << " split";
            order.push_back(piece.id);
            extents[piece.id] = piece.Rect();
        }
        ++counts[piece.id];
        HRect& e = extents[piece.id];
        const HRect r = piece.Rect();
        e = {std::min(e.left, r.left), std::min(e.top, r.top), std::max(e.right, r.right),
             std::max(e.bottom, r.bottom)};
        const bool horizontal = piece.width == 29 && piece.height == 4;
        const bool vertical = piece.width == 4 && piece.height == 24;
        EXPECT_TRUE(horizontal || vertical) << piece.id << " at " << piece.x << "," << piece.y;
    }
    ASSERT_EQ(order.size(), std::size(expected));
    for (std::size_t i = 0; i < order.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "connector " << expected[i].id);
        EXPECT_EQ(order[i], expected[i].id);
        EXPECT_EQ(counts[order[i]], expected[i].pieces);
        EXPECT_EQ(extents[order[i]], expected[i].extent);
    }
}

// Pieces that overlap form one drawn path; each path must reach exactly the boxes the
// chart joins with it, and no other box.
TEST(SheetLayout, EveryConnectedPathJoinsTheBoxesOfTheChart) {
    const std::vector<HInfoKantanLine> pieces = BuildKantanLines();
    const std::vector<HInfoKantanItem> items = BuildKantanItems();
    std::vector<int> group(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        group[i] = static_cast<int>(i);
    }
    // Merge overlapping pieces until nothing changes; the lowest index names the group.
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            for (std::size_t j = 0; j < pieces.size(); ++j) {
                if (group[i] < group[j] && Overlap(pieces[i].Rect(), pieces[j].Rect())) {
                    group[j] = group[i];
                    changed = true;
                }
            }
        }
    }
    std::map<int, std::set<int32_t>> touched;
    std::map<int, std::set<int32_t>> ids;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        ids[group[i]].insert(pieces[i].id);
        for (const HInfoKantanItem& box : items) {
            if (box.background == 0 && Overlap(pieces[i].Rect(), box.Rect())) {
                touched[group[i]].insert(box.id);
            }
        }
    }
    std::set<std::pair<std::set<int32_t>, std::set<int32_t>>> paths;
    for (const auto& [g, pathIds] : ids) {
        paths.insert({pathIds, touched[g]});
    }
    const std::set<std::pair<std::set<int32_t>, std::set<int32_t>>> expected = {
        {{10}, {1, 2}},
        {{21, 22, 23, 24, 25, 26}, {2, 3, 4, 5}},
        {{31, 32, 33}, {3, 4, 6}},
        {{34, 41, 42}, {5, 6, 7}},
        {{51}, {7, 8}},
        {{61}, {7, 9}},
        {{71, 72, 73}, {9, 10, 11}},
    };
    EXPECT_EQ(paths, expected);
}

TEST(SheetLayout, FocusMovesToOneBoxAndAnUnknownIdChangesNothing) {
    std::vector<HInfoKantanItem> items = BuildKantanItems();
    EXPECT_EQ(SetKantanFocus(items, kKantanUfp), 1);
    EXPECT_EQ(SetKantanFocus(items, kKantanEffort), 1);
    EXPECT_EQ(SetKantanFocus(items, 13), 0);
    for (const HInfoKantanItem& item : items) {
        EXPECT_EQ(item.focus, item.id == kKantanEffort ? 1 : 0) << item.id;
    }
    EXPECT_EQ(FindKantanItem(items, 0), nullptr);
}

// ---------------------------------------------------------------------------------------
// Text

class SheetTextTest : public ::testing::Test {
protected:
    void SetUp() override { rule.FirstUse({"", ""}); }

    void AddFile(int32_t type, int32_t fp) {
        auto file = std::make_unique<HItemFile>();
        file->typeCode = type;
        file->SelectFpSumType = kSumUserFp;
        file->FpUser = fp;
        doc.Boxes().Append(std::move(file));
    }
    void AddTask(int32_t type, int32_t fp) {
        auto task = std::make_unique<HItemTask>();
        task->typeCode = type;
        task->SelectFpSumType = kSumUserFp;
        task->FpUser = fp;
        doc.Boxes().Append(std::move(task));
    }
    std::map<int32_t, HKantanBoxText> Texts() const {
        std::map<int32_t, HKantanBoxText> byId;
        for (const HKantanBoxText& text : BuildKantanTexts(items, doc.FunctionRecords(), rule)) {
            byId[text.id] = text;
        }
        return byId;
    }
    // Lines 2 to 5 of box id.
    std::vector<std::string> Values(int32_t id) const {
        const HKantanBoxText text = Texts().at(id);
        return {text.lines.begin() + 2, text.lines.begin() + 6};
    }

    HFlowDocument doc;
    HInfoRule rule;
    std::vector<HInfoKantanItem> items = BuildKantanItems();
};

using Lines = std::vector<std::string>;

TEST_F(SheetTextTest, EmptyDiagramWithTheDefaultRule) {
    const std::map<int32_t, Lines> expected = {
        {1, {"計測タイプ", "ｻﾎﾟｰﾄ機能無し", "", "", "", "", "", ""}},
        {2, {"計測範囲", "ｻﾎﾟｰﾄ機能無し", "", "", "", "", "", ""}},
        {3, {"ﾃﾞｰﾀ", "DF", "未登録", "", "", "", "", ""}},
        {4, {"ﾄﾗﾝｻﾞｸｼｮﾝ", "TF", "未登録", "", "", "", "", ""}},
        {5, {"調整係数", "VAF", "---", "", "", "", "", ""}},
        {6, {"未調整FP", "UFP", "FP値=0", "", "", "", "", ""}},
        {7, {"調整FP", "FP", "FP値=0.00", "(UFPと同じ)", "", "", "", ""}},
        {8,
         {"各種概算", "---", "文書  =     0.00P  ", "テスト=     0.00ｹｰｽ", "欠陥数=     0.00個 ",
          "工期  =     0.00月 ", "", ""}},
        {9, {"工数", "人月", "0.00人月", "(生産性=23.80)", "", "", "", ""}},
        {10, {"工期", "月", "最適=0.00月", "最小=0.00月", "", "", "", ""}},
        {11, {"開発項目一覧", "人月", "---", "", "", "", "", ""}},
        {12, {"", "", "", "", "", "", "", ""}},
    };
    const std::map<int32_t, HKantanBoxText> texts = Texts();
    ASSERT_EQ(texts.size(), expected.size());
    for (const auto& [id, lines] : expected) {
        const HKantanBoxText& text = texts.at(id);
        EXPECT_EQ(Lines(text.lines.begin(), text.lines.end()), lines) << "box " << id;
        EXPECT_EQ(text.color, id == kKantanAdjustment ? kKantanTextGrey : kKantanTextBlack)
            << "box " << id;
    }
}

TEST_F(SheetTextTest, FunctionsWithTheFactorAdjustment) {
    AddFile(kFpTypeILF, 10);
    AddFile(kFpTypeILF, 15);
    AddFile(kFpTypeEIF, 7);
    AddTask(kFpTypeEI, 4);
    AddTask(kFpTypeEO, 5);
    AddTask(kFpTypeEQ, 3);
    rule.tyousei.SelectTyouseiType = 1;  // TDI 42: VAF 1.07, so 44 UFP give 47.08 FP
    EXPECT_EQ(Values(3), Lines({"3個", "FP値=32個", "", ""}));
    EXPECT_EQ(Values(4), Lines({"3個", "FP値=12個", "", ""}));
    EXPECT_EQ(Values(5), Lines({"係数=1.07", "", "", ""}));
    EXPECT_EQ(Values(6), Lines({"FP値=44", "", "", ""}));
    EXPECT_EQ(Values(7), Lines({"FP値=47.08", "", "", ""}));
    // 47.08 FP at 13.44 FP a month; 47.08^1.15, ^1.2, ^1.25 and 47.08^0.4.
    EXPECT_EQ(Values(8), Lines({"文書  =    83.90P  ", "テスト=   101.72ｹｰｽ", "欠陥数=   123.32個 ",
                                "工期  =     4.67月 "}));
    EXPECT_EQ(Values(9), Lines({"3.50人月", "(生産性=13.44)", "", ""}));
    EXPECT_EQ(Values(10), Lines({"最適=3.64月", "最小=2.55月", "", ""}));
    for (const auto& [id, text] : Texts()) {
        EXPECT_EQ(text.color, kKantanTextBlack) << "box " << id;
    }
}

TEST_F(SheetTextTest, TypedUfpGreysTheFunctionBoxesWhichStillCountTheDiagram) {
    AddFile(kFpTypeILF, 10);
    rule.IsFpUFPManual = 1;
    rule.FpUFPManual = 500;
    EXPECT_EQ(Values(3), Lines({"1個", "FP値=10個", "", ""}));
    EXPECT_EQ(Values(4), Lines({"未登録", "", "", ""}));
    EXPECT_EQ(Values(6), Lines({"FP値=500", "", "", ""}));
    EXPECT_EQ(Values(7), Lines({"FP値=500.00", "(UFPと同じ)", "", ""}));
    const std::map<int32_t, HKantanBoxText> texts = Texts();
    EXPECT_EQ(texts.at(kKantanData).color, kKantanTextGrey);
    EXPECT_EQ(texts.at(kKantanTransaction).color, kKantanTextGrey);
    EXPECT_EQ(texts.at(kKantanUfp).color, kKantanTextBlack);
}

// Grey follows what the estimate does with the flag and the factor, not their exact codes:
// a grey factor box always goes with an FP box that says nothing was adjusted.
TEST_F(SheetTextTest, GreyTextWheneverTheValueIsNotInEffect) {
    struct Case {
        int32_t manualUfp;
        int32_t tyouseiType;
        int32_t typedVafX100;
        bool functionsGrey;
        bool factorGrey;
        Lines factorAndFp;  // line 2 of the factor box, lines 2 and 3 of the FP box
    };
    const Case cases[] = {
        {0, 0, 100, false, true, {"---", "FP値=10.00", "(UFPと同じ)"}},
        {1, 1, 100, true, false, {"係数=1.07", "FP値=21.40", ""}},
        {2, 2, 120, true, false, {"係数=1.20", "FP値=24.00", ""}},
        {-1, 2, 0, true, true, {"---", "FP値=20.00", "(UFPと同じ)"}},
        {0, 3, 100, false, true, {"---", "FP値=10.00", "(UFPと同じ)"}},
    };
    AddTask(kFpTypeEI, 10);
    rule.FpUFPManual = 20;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "manual " << c.manualUfp << ", type " << c.tyouseiType
                                        << ", typed " << c.typedVafX100);
        rule.IsFpUFPManual = c.manualUfp;
        rule.tyousei.SelectTyouseiType = c.tyouseiType;
        rule.tyousei.FpTyouseiManual = c.typedVafX100;
        const std::map<int32_t, HKantanBoxText> texts = Texts();
        for (const auto& [id, text] : texts) {
            const bool grey = id == kKantanAdjustment                         ? c.factorGrey
                              : id == kKantanData || id == kKantanTransaction ? c.functionsGrey
                                                                              : false;
            EXPECT_EQ(text.color, grey ? kKantanTextGrey : kKantanTextBlack) << "box " << id;
        }
        EXPECT_EQ(Lines({texts.at(kKantanAdjustment).lines[2], texts.at(kKantanFp).lines[2],
                         texts.at(kKantanFp).lines[3]}),
                  c.factorAndFp);
    }
}

// Regression: the data box adds ILF and EIF totals that each may already be at the bound.
TEST_F(SheetTextTest, FpSumsOfTheFunctionBoxesSaturate) {
    AddFile(kFpTypeILF, INT32_MAX);
    AddFile(kFpTypeEIF, INT32_MAX);
    AddTask(kFpTypeEI, INT32_MIN);
    AddTask(kFpTypeEO, INT32_MIN);
    EXPECT_EQ(Values(3)[1], "FP値=2147483647個");
    EXPECT_EQ(Values(4)[1], "FP値=-2147483648個");
}

// Each read runs the estimate afresh, so a value read after a change shows the change.
TEST_F(SheetTextTest, EachReadComputesTheEstimateAgain) {
    AddFile(kFpTypeILF, 10);
    const HInfoKantanItem& ufpBox = *FindKantanItem(items, kKantanUfp);
    EXPECT_EQ(GetKantanText(ufpBox, 2, doc.FunctionRecords(), rule), "FP値=10");
    AddTask(kFpTypeEQ, 3);
    EXPECT_EQ(GetKantanText(ufpBox, 2, doc.FunctionRecords(), rule), "FP値=13");
    rule.IsFpUFPManual = 1;
    rule.FpUFPManual = 77;
    EXPECT_EQ(GetKantanText(ufpBox, 2, doc.FunctionRecords(), rule), "FP値=77");
    for (const HKantanBoxText& text : BuildKantanTexts(items, doc.FunctionRecords(), rule)) {
        const HInfoKantanItem& box = *FindKantanItem(items, text.id);
        for (int32_t line = 0; line < kKantanLineCount; ++line) {
            EXPECT_EQ(text.lines[static_cast<std::size_t>(line)],
                      GetKantanText(box, line, doc.FunctionRecords(), rule))
                << box.id << " line " << line;
        }
    }
}

// Each line the boxes fill must lie inside its box with a full line height to spare.
TEST_F(SheetTextTest, WrittenLinesFitInsideTheirBoxes) {
    AddFile(kFpTypeILF, 10);
    AddTask(kFpTypeEI, 4);
    rule.tyousei.SelectTyouseiType = 1;
    for (const HKantanBoxText& text : BuildKantanTexts(items, doc.FunctionRecords(), rule)) {
        const HInfoKantanItem& box = *FindKantanItem(items, text.id);
        for (int32_t line = 0; line < kKantanLineCount; ++line) {
            if (!text.lines[static_cast<std::size_t>(line)].empty()) {
                EXPECT_LE(GetKantanTextY(box, line) + kKantanGridY, box.y + box.height)
                    << box.id << " line " << line;
            }
        }
    }
}

}  // namespace
}  // namespace zarvik
