// Every command of the program answered in one place: enabled, checked and run, whoever
// handles it.

#include "core/canvas/command_router.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <set>
#include <vector>

#include "core/canvas/canvas_controller.h"
#include "core/command/command_table.h"
#include "core/doc/clipboard.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "scripted_ui.h"

namespace zarvik {
namespace {

class RecordingFrame : public HFrameCommands {
public:
    int IsBarVisible(int32_t id) const override { return visible.count(id) ? 1 : 0; }
    int HasWindowCommand(int32_t id) const override { return missing.count(id) ? 0 : 1; }
    int RunWindowCommand(int32_t id) override {
        ran.push_back(id);
        return 1;
    }
    std::set<int32_t> visible;
    std::set<int32_t> missing;
    std::vector<int32_t> ran;
};

// The selections every command is asked under.
enum Selection { kNothing, kOneBox, kTwoBoxes, kOneLine, kTwoLines, kSelectionCount };

class CommandRouterTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.NewDocument();
        for (const int32_t kind : {kKindFile, kKindTask, kKindOther}) {
            std::unique_ptr<HItemObject> box = MakeBoxItem(kind);
            boxes.push_back(box.get());
            doc.AddItem(std::move(box));
        }
        for (int i = 0; i < 2; ++i) {
            auto line = std::make_unique<HItemLine>();
            line->fromItem = boxes[static_cast<std::size_t>(i)];
            line->toItem = boxes[static_cast<std::size_t>(i) + 1];
            lines.push_back(line.get());
            doc.AddLine(std::move(line));
        }
        doc.RecordStep();  // something to undo
    }

    void Select(Selection selection) {
        doc.Boxes().SetAllSelected(0);
        doc.Lines().SetAllSelected(0);
        const int boxCount = selection == kOneBox ? 1 : selection == kTwoBoxes ? 2 : 0;
        const int lineCount = selection == kOneLine ? 1 : selection == kTwoLines ? 2 : 0;
        for (int i = 0; i < boxCount; ++i) {
            boxes[static_cast<std::size_t>(i)]->SetSelected(1);
        }
        for (int i = 0; i < lineCount; ++i) {
            lines[static_cast<std::size_t>(i)]->SetSelected(1);
        }
    }

    test_support::ScriptedUi ui;
    CZarvikDoc doc;
    HCanvasHost host;
    HCanvasController canvas{doc, host};
    RecordingFrame frame;
    HClipboard clipboard;
    HCommandRouter router{doc, &canvas, &frame, clipboard};
    std::vector<HItemObject*> boxes;
    std::vector<HItemLine*> lines;
};

struct Expected {
    int32_t id;
    std::array<int, kSelectionCount> enabled;  // nothing, 1 box, 2 boxes, 1 line, 2 lines
};

constexpr std::array<int, kSelectionCount> kAlways{1, 1, 1, 1, 1};
constexpr std::array<int, kSelectionCount> kNever{0, 0, 0, 0, 0};
constexpr std::array<int, kSelectionCount> kOneBoxOnly{0, 1, 0, 0, 0};
constexpr std::array<int, kSelectionCount> kAnyBoxes{0, 1, 1, 0, 0};
constexpr std::array<int, kSelectionCount> kOneLineOnly{0, 0, 0, 1, 0};
constexpr std::array<int, kSelectionCount> kAnyLines{0, 0, 0, 1, 1};

// With an empty clipboard, no path name, one step to undo and none to redo.
const Expected kExpected[] = {
    {kCmdFileNew, kAlways},
    {kCmdFileOpen, kAlways},
    {kCmdFileSave, kNever},
    {kCmdFileSaveAs, kAlways},
    {kCmdPageSetup, kAlways},
    {kCmdPrintSetup, kAlways},
    {kCmdPrint, kAlways},
    {kCmdPrintDirect, kAlways},
    {kCmdPrintPreview, kAlways},
    {kCmdRecentFileFirst, kAlways},
    {kCmdRecentFileLast, kAlways},
    {kCmdAppExit, kAlways},
    {kCmdExportTransactions, kAlways},
    {kCmdExportFiles, kAlways},
    {kCmdFlowProperties, kAlways},
    {kCmdExportPicture, kAlways},
    {kCmdExportEstimatePdf, kAlways},
    {kCmdCompareDocuments, kAlways},
    {kCmdUndo, kAlways},
    {kCmdRedo, kNever},
    {kCmdAutoLayout, kAlways},
    {kCmdPlaceFile, kAlways},
    {kCmdPlaceTask, kAlways},
    {kCmdPlaceBorder, kAlways},
    {kCmdPlaceOther, kAlways},
    {kCmdPlaceImage, kAlways},
    {kCmdPlaceFunction, kAlways},
    {kCmdPlaceView, kAlways},
    {kCmdLineTool, kOneBoxOnly},
    {kCmdLineStart, kOneBoxOnly},
    {kCmdLineVisibility, kAnyBoxes},
    {kCmdItemFormat, kOneBoxOnly},
    {kCmdItemProperties, kOneBoxOnly},
    {kCmdItemFormatCopy, kOneBoxOnly},
    {kCmdItemFormatPaste, kNever},
    {kCmdItemDelete, kAnyBoxes},
    {kCmdLineReverse, kAnyLines},
    {kCmdLineBothArrows, kAnyLines},
    {kCmdLineNoArrow, kAnyLines},
    {kCmdLineFormat, kOneLineOnly},
    {kCmdLineFormatCopy, kOneLineOnly},
    {kCmdLineFormatPaste, kNever},
    {kCmdLineDelete, kAnyLines},
    {kCmdSendToHead, kOneBoxOnly},
    {kCmdBringToTail, kOneBoxOnly},
    {kCmdStepTowardTail, kOneBoxOnly},
    {kCmdStepTowardHead, kOneBoxOnly},
    {kCmdStandardBar, kAlways},
    {kCmdFpItemBar, kAlways},
    {kCmdDisplayItemBar, kAlways},
    {kCmdManagementItemBar, kAlways},
    {kCmdStackingBar, kAlways},
    {kCmdViewSettingsBar, kAlways},
    {kCmdStatusBar, kAlways},
    {kCmdItemListPanel, kAlways},
    {kCmdEstimatePanel, kAlways},
    {kCmdRuleSettings, kAlways},
    {kCmdReferenceSettings, kAlways},
    {kCmdEstimateSheet, kAlways},
    {kCmdEstimateSheetClose, kNever},
    {kCmdRatioList, kAlways},
    {kCmdFileItemList, kAlways},
    {kCmdTaskItemList, kAlways},
    {kCmdSystemSettings, kAlways},
    {kCmdHelpContents, kAlways},
    {kCmdHelpSearch, kAlways},
    {kCmdHelpIndex, kAlways},
    {kCmdHelpFinder, kAlways},
    {kCmdHelpUsing, kAlways},
    {kCmdContextHelp, kAlways},
    {kCmdHelp, kAlways},
    {kCmdDefaultHelp, kAlways},
    {kCmdAbout, kAlways},
    {kLinkCommandFirst, kNever},
    {kLinkCommandLast, kNever},
};

TEST_F(CommandRouterTest, EveryCommandIsEnabledByItsRuleForEachSelection) {
    for (int s = 0; s < kSelectionCount; ++s) {
        Select(static_cast<Selection>(s));
        for (const Expected& e : kExpected) {
            EXPECT_EQ(router.IsEnabled(e.id), e.enabled[static_cast<std::size_t>(s)])
                << "command " << e.id << ", selection " << s;
        }
    }
    // The expectations cover the whole table (of the numbered ranges, both ends).
    std::set<int32_t> listed;
    for (const Expected& e : kExpected) {
        listed.insert(e.id);
    }
    for (const HCommandInfo& info : CommandTable()) {
        const bool inside = (info.id > kLinkCommandFirst && info.id < kLinkCommandLast) ||
                            (info.id > kCmdRecentFileFirst && info.id < kCmdRecentFileLast);
        EXPECT_TRUE(inside || listed.count(info.id) == 1) << "no expectation for " << info.id;
    }
}

TEST_F(CommandRouterTest, UnknownIdsAreDisabledAndDoNothing) {
    Select(kOneBox);
    for (const int32_t id : {0, -1, 1, 12345, 33021 - 1, kLinkCommandLast + 1}) {
        EXPECT_EQ(router.IsEnabled(id), 0) << id;
        EXPECT_EQ(router.IsChecked(id), 0) << id;
        EXPECT_EQ(router.Run(id), 0) << id;
    }
    EXPECT_TRUE(frame.ran.empty());
    EXPECT_EQ(FindCommand(12345), nullptr);
}

TEST_F(CommandRouterTest, TheClipboardAndTheLineTypeDecidePasteReverseAndChecks) {
    Select(kOneBox);
    ASSERT_EQ(router.Run(kCmdItemFormatCopy), 1);
    Select(kTwoBoxes);
    EXPECT_EQ(router.IsEnabled(kCmdItemFormatPaste), 1);
    EXPECT_EQ(router.IsEnabled(kCmdLineFormatPaste), 0);

    Select(kOneLine);
    EXPECT_EQ(router.IsChecked(kCmdLineBothArrows), 0);
    ASSERT_EQ(router.Run(kCmdLineBothArrows), 1);
    EXPECT_EQ(router.IsChecked(kCmdLineBothArrows), 1);
    EXPECT_EQ(router.IsChecked(kCmdLineNoArrow), 0);
    EXPECT_EQ(router.IsEnabled(kCmdLineReverse), 0);  // only a one-way line turns round

    frame.visible = {kCmdStatusBar};
    EXPECT_EQ(router.IsChecked(kCmdStatusBar), 1);
    EXPECT_EQ(router.IsChecked(kCmdStandardBar), 0);
}

TEST_F(CommandRouterTest, EachCommandGoesToItsHandler) {
    Select(kOneBox);
    // A sheet is the window's to show.
    ASSERT_EQ(router.Run(kCmdItemProperties), 1);
    // Printing and the layout first end whatever the canvas was doing.
    ASSERT_EQ(router.Run(kCmdPlaceTask), 1);
    EXPECT_EQ(canvas.State(), HCanvasState::PlacingItem);
    ASSERT_EQ(router.Run(kCmdPrint), 1);
    EXPECT_EQ(canvas.State(), HCanvasState::Idle);
    EXPECT_EQ(doc.Boxes().CountSelected(), 0);
    ASSERT_EQ(router.Run(kCmdPlaceFile), 1);
    ASSERT_EQ(router.Run(kCmdAutoLayout), 1);
    EXPECT_EQ(canvas.State(), HCanvasState::Idle);
    EXPECT_EQ(frame.ran, (std::vector<int32_t>{kCmdItemProperties, kCmdPrint, kCmdAutoLayout}));

    // The document's own commands never reach the window.
    boxes[2]->SetSelected(1);
    ASSERT_EQ(router.Run(kCmdItemDelete), 1);
    EXPECT_EQ(doc.Boxes().Count(), 2);
    EXPECT_EQ(frame.ran.size(), 3u);
}

TEST_F(CommandRouterTest, LinkCommandsJumpThroughTheLastMenusTable) {
    Select(kOneBox);
    const HCanvasMenu menu = canvas.BuildContextMenu(clipboard);
    ASSERT_NE(menu.Find(kLinkCommandFirst), nullptr);
    EXPECT_EQ(router.IsEnabled(kLinkCommandFirst), 1);
    EXPECT_EQ(router.IsEnabled(kLinkCommandFirst + 1), 0);
    ASSERT_EQ(router.Run(kLinkCommandFirst), 1);
    EXPECT_EQ(boxes[0]->Selected(), 0);
    EXPECT_EQ(boxes[1]->Selected(), 1);  // the far end of the box's line

    // The table lets go of items that are about to go.
    ASSERT_EQ(router.Run(kCmdItemDelete), 1);
    EXPECT_EQ(router.IsEnabled(kLinkCommandFirst), 0);
}

TEST_F(CommandRouterTest, WithoutAWindowItsCommandsAreDisabled) {
    HCommandRouter headless(doc, nullptr, nullptr, clipboard);
    Select(kOneBox);
    EXPECT_EQ(headless.IsEnabled(kCmdItemProperties), 0);
    EXPECT_EQ(headless.IsEnabled(kCmdStatusBar), 0);
    EXPECT_EQ(headless.IsEnabled(kCmdPlaceTask), 0);
    EXPECT_EQ(headless.IsEnabled(kCmdItemDelete), 1);
    EXPECT_EQ(headless.Run(kCmdAutoLayout), 0);

    // A window without the sheet of a command leaves it disabled.
    frame.missing.insert(kCmdItemProperties);
    EXPECT_EQ(router.IsEnabled(kCmdItemProperties), 0);
    EXPECT_EQ(router.Run(kCmdItemProperties), 0);
    EXPECT_TRUE(frame.ran.empty());
}

TEST(CommandTable, IdsAreUniqueAndEveryCommandHasItsTexts) {
    std::set<int32_t> ids;
    for (const HCommandInfo& info : CommandTable()) {
        EXPECT_TRUE(ids.insert(info.id).second) << "twice: " << info.id;
        EXPECT_FALSE(info.menuText.empty()) << info.id;
        EXPECT_FALSE(info.prompt.empty()) << info.id;
    }
    EXPECT_EQ(FindCommand(kCmdUndo)->prompt, "直前の操作を元に戻します");
    EXPECT_EQ(FindCommand(kCmdSendToHead)->toolTip, "表示順を最後に");
    EXPECT_EQ(FindCommand(kLinkCommandFirst + 11)->menuText, "IDM_MENULIST_012");
}

}  // namespace
}  // namespace zarvik
