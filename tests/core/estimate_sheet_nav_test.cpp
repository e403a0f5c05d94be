// The simple estimate sheet's boxes under the mouse and the keyboard, and its menus.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/app/help_topics.h"
#include "core/fp/estimate_sheet.h"
#include "core/fp/estimate_sheet_focus.h"
#include "core/fp/estimate_sheet_menus.h"

namespace zarvik {
namespace {

const std::vector<HInfoKantanItem> kItems = BuildKantanItems();

TEST(SheetFocus, TheMouseFindsForegroundBoxesOnly) {
    EXPECT_EQ(kKantanType, KantanBoxAt(kItems, {25, 120}));
    EXPECT_EQ(kKantanType, KantanBoxAt(kItems, {124, 239}));
    EXPECT_EQ(0, KantanBoxAt(kItems, {125, 120}));  // right edge is outside
    EXPECT_EQ(kKantanData, KantanBoxAt(kItems, {400, 100}));
    EXPECT_EQ(0, KantanBoxAt(kItems, {310, 30}));  // on the frame behind the boxes
    EXPECT_EQ(0, KantanBoxAt(kItems, {-5, -5}));
}

TEST(SheetFocus, TabWalksTheEstimateAndWrapsRound) {
    std::vector<int32_t> order;
    int32_t id = 0;
    for (int i = 0; i < 12; ++i) {
        id = NextKantanFocus(kItems, id, 1);
        order.push_back(id);
    }
    EXPECT_EQ((std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1}), order);
    EXPECT_EQ(kKantanDevItems, NextKantanFocus(kItems, 0, -1));
    EXPECT_EQ(kKantanDevItems, NextKantanFocus(kItems, kKantanType, -1));
    EXPECT_EQ(kKantanType, NextKantanFocus(kItems, kKantanFrame, 1));
    EXPECT_EQ(0, NextKantanFocus({}, 0, 1));
}

TEST(SheetFocus, ArrowsGoToTheNearestBoxThatWay) {
    EXPECT_EQ(kKantanScope, KantanNeighbour(kItems, kKantanType, 1, 0));
    EXPECT_EQ(kKantanData, KantanNeighbour(kItems, kKantanScope, 1, 0));  // tie: lower id
    EXPECT_EQ(kKantanTransaction, KantanNeighbour(kItems, kKantanData, 0, 1));
    EXPECT_EQ(kKantanAdjustment, KantanNeighbour(kItems, kKantanTransaction, 0, 1));
    EXPECT_EQ(kKantanFp, KantanNeighbour(kItems, kKantanUfp, 1, 0));
    EXPECT_EQ(kKantanEstimates, KantanNeighbour(kItems, kKantanFp, 0, 1));
    EXPECT_EQ(kKantanUfp, KantanNeighbour(kItems, kKantanFp, -1, 0));
    // Nothing that way: the focus stays.
    EXPECT_EQ(kKantanType, KantanNeighbour(kItems, kKantanType, -1, 0));
    EXPECT_EQ(kKantanData, KantanNeighbour(kItems, kKantanData, 0, -1));
    // From no box the first.
    EXPECT_EQ(kKantanType, KantanNeighbour(kItems, 0, 0, 1));
}

TEST(SheetFocus, TheExtentHoldsEveryBoxWithAMargin) {
    EXPECT_EQ((HSize{1050 + 25, 560 + 20}), KantanExtent(kItems));
}

TEST(SheetMenus, EveryBoxHasItsOwnMenuAndEveryHelpEntryLeadsSomewhere) {
    std::set<std::string_view> titles;
    for (const HKantanMenu& menu : KantanMenus()) {
        EXPECT_TRUE(titles.insert(menu.title).second) << menu.title;
        for (const HKantanMenuEntry& entry : menu.entries) {
            if (entry.action == HKantanAction::Help) {
                EXPECT_FALSE(HelpTopicTarget(entry.help).empty()) << entry.text;
            }
            const bool sheet = entry.action == HKantanAction::MeasurementRules ||
                               entry.action == HKantanAction::ReferenceRules;
            EXPECT_EQ(sheet, !entry.pages.empty()) << entry.text;
        }
    }
    for (const HInfoKantanItem& item : kItems) {
        const HKantanMenu& menu = KantanMenuOf(item.id);
        EXPECT_EQ(item.background != 0 ? 0 : item.id, menu.boxId) << item.id;
    }
    EXPECT_EQ("ﾌﾛｰ図", KantanMenuOf(0).title);
    EXPECT_EQ("計測ﾀｲﾌﾟ", KantanMenuOf(kKantanType).title);
    EXPECT_EQ("DF", KantanMenuOf(kKantanData).title);
}

}  // namespace
}  // namespace zarvik
