#include "core/doc/zarvik_doc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "change_log.h"
#include "core/app/system.h"
#include "core/canvas/canvas_menus.h"
#include "core/canvas/file_drop.h"
#include "core/doc/clipboard.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/store/ini_store.h"
#include "core/text/cp932.h"
#include "scripted_ui.h"
#include "test_support.h"

namespace zarvik {
namespace {

using test_support::ScriptedUi;
using test_support::TempDir;

constexpr const char* kCloseQuestion = "終了しますか？";
constexpr const char* kUnnamedQuestion =
    "新規のドキュメントが作成されています。\r\n\r\n名前を付けて保存しますか？";

std::string ChangedQuestion(const std::string& path) {
    return "ファイル " + path + " の内容は変更されています。\r\n\r\n変更を保存しますか？";
}

class ZarvikDocTest : public ::testing::Test {
protected:
    void SetUp() override { doc.NewDocument(); }

    HItemObject* Place(int32_t kind, HPoint at) {
        auto box = MakeBoxItem(kind);
        box->position = at;
        HItemObject* placed = box.get();
        doc.AddItem(std::move(box));
        doc.RecordStep();
        return placed;
    }

    HItemLine* Join(HItemObject* from, HItemObject* to) {
        auto line = std::make_unique<HItemLine>();
        line->fromItem = from;
        line->toItem = to;
        line->toOffset = {0, 20};
        HItemLine* joined = line.get();
        doc.Lines().Append(std::move(line));
        doc.RecordStep();
        return joined;
    }

    // A saved document with one transaction, opened under its path.
    std::string SavedDocument() {
        Place(kKindTask, {40, 40});
        const std::string path = dir / "flow.zvk";
        ui.chosen.push_back(path);
        EXPECT_EQ(doc.OnFileSaveAs(), 1);
        ui.messages.clear();
        return path;
    }

    TempDir dir;
    ScriptedUi ui;
    CZarvikDoc doc;
    HClipboard clipboard;
};

TEST_F(ZarvikDocTest, ANewDocumentClosesWithOnlyTheCloseQuestion) {
    EXPECT_EQ(doc.IsChanged(), 0);
    EXPECT_EQ(doc.Title(), "無題");
    EXPECT_EQ(doc.RunCommand(kCmdUndo, clipboard), 0);

    ui.answers = {HMsgAnswer::Yes};
    EXPECT_EQ(doc.ConfirmClose(), 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kCloseQuestion);
    EXPECT_EQ(ui.messages[0].caption, "Zarvik");
    EXPECT_EQ(ui.messages[0].buttons, HMsgButtons::YesNo);

    // No to the close question keeps the window, whatever the document holds.
    Place(kKindFile, {0, 0});
    ui.answers = {HMsgAnswer::No};
    EXPECT_EQ(doc.ConfirmClose(), 0);
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(ZarvikDocTest, MovingABoxAndBackLeavesTheDocumentUnchanged) {
    SavedDocument();
    auto* box = dynamic_cast<HItemObject*>(doc.Boxes().Tail());
    box->position = {90, 90};
    doc.RecordStep();
    EXPECT_EQ(doc.IsChanged(), 1);
    box->position = {40, 40};
    doc.RecordStep();
    EXPECT_EQ(doc.IsChanged(), 0);

    ui.answers = {HMsgAnswer::Yes};
    EXPECT_EQ(doc.ConfirmClose(), 1);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{kCloseQuestion});
}

TEST_F(ZarvikDocTest, FlowPropertiesAreNoChangeButTheirRulesSwitchTakesEffect) {
    const std::string path = SavedDocument();
    HFlowPropertiesDraft draft = doc.FlowPropertiesDraft();
    EXPECT_EQ(draft.flowName, "");
    EXPECT_EQ(draft.ownRules, 0);
    draft.flowName = "受注管理";
    draft.ownRules = 1;
    doc.ApplyFlowProperties(draft);
    EXPECT_EQ(doc.flow.flowName, "受注管理");
    EXPECT_EQ(System().IsUsingSystemRules(), 0);
    EXPECT_EQ(doc.FlowPropertiesDraft().ownRules, 1);
    EXPECT_EQ(doc.IsChanged(), 0);
    EXPECT_EQ(doc.AskSaveChanges(), 1);
    EXPECT_TRUE(ui.messages.empty());

    draft.ownRules = 0;
    doc.ApplyFlowProperties(draft);
    EXPECT_EQ(System().IsUsingSystemRules(), 1);

    // Unsaved, the new name is lost: the file still has none and is called after itself.
    ASSERT_EQ(doc.OpenDocumentPath(path), 1);
    EXPECT_EQ(doc.flow.flowName, "flow");
}

TEST_F(ZarvikDocTest, SaveAsAddsTheDocumentExtensionOnlyToANameWithoutOne) {
    Place(kKindTask, {10, 10});
    ui.chosen = {dir / "plain", dir / "abc.ini"};
    ASSERT_EQ(doc.RunCommand(kCmdFileSaveAs, clipboard), 1);
    EXPECT_EQ(doc.PathName(), dir / "plain.zvk");
    EXPECT_TRUE(std::filesystem::exists(dir / "plain.zvk"));
    EXPECT_EQ(doc.Title(), "plain.zvk");
    EXPECT_EQ(doc.IsChanged(), 0);

    ASSERT_EQ(doc.RunCommand(kCmdFileSaveAs, clipboard), 1);
    EXPECT_EQ(doc.PathName(), dir / "abc.ini");
    EXPECT_TRUE(std::filesystem::exists(dir / "abc.ini"));
    EXPECT_EQ(ui.recent, (std::vector<std::string>{dir / "plain.zvk", dir / "abc.ini"}));
    ASSERT_EQ(ui.choosers.size(), 2u);
    EXPECT_EQ(ui.choosers[0].filter, kDocumentFilter);
    EXPECT_TRUE(ui.choosers[0].confirmOverwrite);

    // A cancelled chooser changes nothing, the changed state included.
    doc.Boxes().Tail()->SetSelected(1);
    ASSERT_EQ(doc.RunCommand(kCmdItemDelete, clipboard), 1);
    EXPECT_EQ(doc.RunCommand(kCmdFileSaveAs, clipboard), 0);
    EXPECT_EQ(doc.PathName(), dir / "abc.ini");
    EXPECT_EQ(doc.IsChanged(), 1);
}

TEST_F(ZarvikDocTest, ACancelledSaveAsAsksAgainAndNoClosesWithoutSaving) {
    Place(kKindTask, {10, 10});
    ui.answers = {HMsgAnswer::Yes, HMsgAnswer::Yes, HMsgAnswer::No};
    ui.chosen = {std::nullopt};
    EXPECT_EQ(doc.ConfirmClose(), 1);
    EXPECT_EQ(ui.Texts(),
              (std::vector<std::string>{kCloseQuestion, kUnnamedQuestion, kUnnamedQuestion}));
    EXPECT_EQ(ui.messages[1].buttons, HMsgButtons::YesNoCancel);
    EXPECT_EQ(ui.messages[1].icon, HMsgIcon::Warning);
    EXPECT_EQ(ui.choosers.size(), 1u);
    EXPECT_EQ(dir.Count(), 0);

    // Cancel stops the close; Yes with a chosen name saves and lets it go on.
    ui.messages.clear();
    ui.answers = {HMsgAnswer::Cancel};
    EXPECT_EQ(doc.AskSaveChanges(), 0);
    ui.answers = {HMsgAnswer::Yes};
    ui.chosen = {dir / "kept"};
    EXPECT_EQ(doc.AskSaveChanges(), 1);
    EXPECT_TRUE(std::filesystem::exists(dir / "kept.zvk"));
    EXPECT_EQ(doc.IsChanged(), 0);
}

// Regression: with nobody to answer, the save question must end, not ask again forever.
TEST(ZarvikDocHeadless, TheSaveQuestionEndsWithoutAUser) {
    CZarvikDoc doc;
    doc.NewDocument();
    doc.AddItem(MakeBoxItem(kKindTask));
    ASSERT_EQ(doc.IsChanged(), 1);
    EXPECT_EQ(doc.AskSaveChanges(), 0);
    EXPECT_EQ(doc.ConfirmClose(), 0);
    EXPECT_EQ(doc.OnFileNew(), 0);
    EXPECT_EQ(doc.Boxes().Count(), 1);
}

// Steps beyond the settings' budget let the oldest go, the one saved among them; the
// document still knows when it is back at what was saved.
TEST_F(ZarvikDocTest, TheSavedStateOutlivesTheStepsTheBudgetDrops) {
    for (int i = 0; i < 300; ++i) {
        doc.Boxes().Append(MakeBoxItem(kKindFile));
    }
    doc.ResetHistory();
    System().settings.UndoMemoryLimitMB = 1;
    const auto moveAll = [this](int dy) {
        for (HItemCore* box = doc.Boxes().Head(); box != nullptr; box = box->next) {
            static_cast<HItemObject*>(box)->position.y += dy;
        }
        doc.RecordStep();
    };
    for (int step = 0; step < 12; ++step) {
        moveAll(1);
    }
    const int32_t kept = doc.History().Count();
    System().settings.UndoMemoryLimitMB = kDefaultUndoMemoryLimitMB;
    EXPECT_LT(kept, 12);
    EXPECT_EQ(doc.IsChanged(), 1);
    while (doc.UndoStep() == 1) {
    }
    EXPECT_EQ(doc.IsChanged(), 1);
    EXPECT_EQ(static_cast<HItemObject*>(doc.Boxes().Head())->position.y, 13 - kept);

    moveAll(kept - 13);
    EXPECT_EQ(doc.IsChanged(), 0);
}

TEST_F(ZarvikDocTest, ReopeningTheOpenFileAsksAndReadsItAgainFromDisk) {
    const std::string path = SavedDocument();
    Place(kKindFile, {200, 40});
    ASSERT_EQ(doc.Boxes().Count(), 2);

    ui.answers = {HMsgAnswer::No};
    ASSERT_EQ(doc.OpenPath(path), 1);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{ChangedQuestion(path)});
    EXPECT_EQ(doc.Boxes().Count(), 1);
    EXPECT_EQ(doc.IsChanged(), 0);
    EXPECT_EQ(doc.History().CanUndo(), 0);

    // Yes saves first, so reading again finds the edit.
    Place(kKindFile, {200, 40});
    ui.answers = {HMsgAnswer::Yes};
    ASSERT_EQ(doc.OpenPath(path), 1);
    EXPECT_EQ(doc.Boxes().Count(), 2);
}

TEST_F(ZarvikDocTest, ADroppedDocumentReplacesTheOpenOneWithoutTheSaveQuestion) {
    const std::string path = SavedDocument();
    Place(kKindFile, {200, 40});
    const auto open = [this](const std::string& dropped) { return doc.OpenDocumentPath(dropped); };

    EXPECT_EQ(DropFiles({dir / "notes.txt", path}, open), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, HMsgIcon::Error);
    EXPECT_EQ(doc.Boxes().Count(), 2);

    ui.messages.clear();
    EXPECT_EQ(DropFiles({path, dir / "other.zvk"}, open), 1);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(doc.Boxes().Count(), 1);
    EXPECT_EQ(doc.IsChanged(), 0);
}

TEST_F(ZarvikDocTest, OpenThroughTheChooser) {
    const std::string path = SavedDocument();
    doc.NewDocument();

    // Cancelled: nothing asked, nothing loaded.
    EXPECT_EQ(doc.RunCommand(kCmdFileOpen, clipboard), 0);
    EXPECT_EQ(doc.PathName(), "");

    ui.chosen = {path};
    ASSERT_EQ(doc.RunCommand(kCmdFileOpen, clipboard), 1);
    EXPECT_EQ(doc.PathName(), path);
    EXPECT_EQ(doc.Title(), "flow.zvk");
    EXPECT_EQ(doc.Boxes().Count(), 1);

    // A typed name of a file that does not exist opens an empty document under it.
    ui.chosen = {dir / "new.zvk"};
    ASSERT_EQ(doc.RunCommand(kCmdFileOpen, clipboard), 1);
    EXPECT_EQ(doc.PathName(), dir / "new.zvk");
    EXPECT_EQ(doc.Boxes().Count(), 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ZarvikDocTest, AFailedLoadKeepsItemsAndPathName) {
    const std::string path = SavedDocument();
    const std::string broken = dir / "broken.zvk";
    {
        HInfoIniFile store;
        store.SetValue("TASK_001", "Name", "no geometry");
        ASSERT_EQ(store.Write(broken), 1);
    }
    EXPECT_EQ(doc.OpenDocumentPath(broken), 0);
    EXPECT_EQ(ui.Texts(),
              std::vector<std::string>{"ファイル(" + broken + ")の読み込みに失敗しました。"});
    EXPECT_EQ(ui.messages[0].caption, "エラー");
    EXPECT_EQ(ui.messages[0].icon, HMsgIcon::Error);
    EXPECT_EQ(doc.PathName(), path);
    EXPECT_EQ(doc.Boxes().Count(), 1);

    // A path that cannot be read at all fails before any load.
    ui.messages.clear();
    EXPECT_EQ(doc.OpenDocumentPath(dir / "missing.zvk"), 0);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(doc.PathName(), path);
}

TEST_F(ZarvikDocTest, AFailedSaveSaysSoAndKeepsTheDocumentChanged) {
    const std::string path = SavedDocument();
    Place(kKindFile, {200, 40});
    const std::string before = test_support::FileBytes(path);

    // Save as into a folder that does not exist.
    const std::string nowhere = dir / "missing/flow.zvk";
    ui.chosen = {nowhere};
    EXPECT_EQ(doc.OnFileSaveAs(), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "ファイル(" + nowhere + ")の保存に失敗しました。");
    EXPECT_EQ(ui.messages[0].caption, "エラー");
    EXPECT_EQ(ui.messages[0].icon, HMsgIcon::Error);
    EXPECT_EQ(doc.PathName(), path);
    EXPECT_EQ(doc.IsChanged(), 1);
    EXPECT_EQ(test_support::FileBytes(path), before);

    // From the save question a failed save asks again instead of closing.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);  // a folder where the file was
    ui.messages.clear();
    ui.answers = {HMsgAnswer::Yes, HMsgAnswer::Cancel};
    EXPECT_EQ(doc.AskSaveChanges(), 0);
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{ChangedQuestion(path),
                                                    "ファイル(" + path + ")の保存に失敗しました。",
                                                    ChangedQuestion(path)}));
    EXPECT_EQ(doc.IsChanged(), 1);
}

TEST_F(ZarvikDocTest, SavingKeepsTheHistory) {
    SavedDocument();
    auto* box = dynamic_cast<HItemObject*>(doc.Boxes().Tail());
    box->position = {80, 80};
    doc.RecordStep();
    ASSERT_EQ(doc.RunCommand(kCmdFileSave, clipboard), 1);
    EXPECT_EQ(doc.IsChanged(), 0);
    EXPECT_EQ(doc.IsCommandEnabled(kCmdUndo, clipboard), 1);

    ASSERT_EQ(doc.RunCommand(kCmdUndo, clipboard), 1);
    EXPECT_EQ(doc.IsChanged(), 1);
    ASSERT_EQ(doc.RunCommand(kCmdRedo, clipboard), 1);
    EXPECT_EQ(doc.IsChanged(), 0);

    // Save is disabled without a path name.
    doc.NewDocument();
    EXPECT_EQ(doc.IsCommandEnabled(kCmdFileSave, clipboard), 0);
    EXPECT_EQ(doc.RunCommand(kCmdFileSave, clipboard), 0);
}

TEST(DocTitle, LongTitlesAreCutWithoutSplittingACharacter) {
    EXPECT_EQ(ShortenDocTitle("short.zvk"), "short.zvk");
    const std::string ascii(40, 'a');
    EXPECT_EQ(ShortenDocTitle(ascii), std::string(31, 'a'));
    EXPECT_EQ(ShortenDocTitle(std::string(31, 'a')), std::string(31, 'a'));
    // 30 single bytes then double-byte characters: byte 30 is a lead byte.
    const std::string mixed = std::string(30, 'b') + "受注管理データ.zvk";
    ASSERT_GE(ToCp932(mixed).size(), 40u);
    EXPECT_EQ(ShortenDocTitle(mixed), std::string(30, 'b'));
    // 29 single bytes: byte 30 is the trail byte of 受 (0x8E 0xF3), though 0xF3 could
    // also lead a character; the whole character stays.
    const std::string odd = std::string(29, 'c') + "受注管理データ";
    EXPECT_EQ(ShortenDocTitle(odd), std::string(29, 'c') + "受");

    ScriptedUi ui;
    CZarvikDoc doc;
    doc.SetDocTitle(mixed);
    EXPECT_EQ(doc.Title(), std::string(30, 'b'));
}

TEST_F(ZarvikDocTest, ViewsHearOfReplacedItemsBeforeTheyGo) {
    Place(kKindTask, {0, 0});
    test_support::ChangeLog view(doc);
    doc.AddObserver(&view);  // attached once only
    ASSERT_EQ(doc.UndoStep(), 1);
    EXPECT_EQ(view.events, (std::vector<std::string>{"about to replace 1", "changed"}));
    view.Clear();
    EXPECT_EQ(doc.UndoStep(), 0);  // nothing left to undo: nothing replaced
    EXPECT_TRUE(view.events.empty());

    doc.NewDocument();
    ASSERT_FALSE(view.events.empty());
    EXPECT_EQ(view.events.front(), "about to replace 0");
    EXPECT_TRUE(view.All() & kChangeTitle);
    doc.RemoveObserver(&view);
    view.Clear();
    doc.Notify({kChangeSelection});
    EXPECT_TRUE(view.events.empty());
}

TEST_F(ZarvikDocTest, DeletingBoxesTakesTheirLinesAndIsOneStep) {
    HItemObject* file = Place(kKindFile, {0, 0});
    HItemObject* task = Place(kKindTask, {200, 0});
    Place(kKindOther, {400, 0});
    Join(file, task);
    const int32_t steps = doc.History().Count();

    EXPECT_EQ(doc.IsCommandEnabled(kCmdItemDelete, clipboard), 0);
    file->SetSelected(1);
    task->SetSelected(1);
    ASSERT_EQ(doc.RunCommand(kCmdItemDelete, clipboard), 1);
    EXPECT_EQ(doc.Boxes().Count(), 1);
    EXPECT_EQ(doc.Lines().Count(), 0);
    EXPECT_EQ(doc.History().Count(), steps + 1);
    EXPECT_EQ(doc.estimate.transactionCount, 0);

    ASSERT_EQ(doc.RunCommand(kCmdUndo, clipboard), 1);
    EXPECT_EQ(doc.Boxes().Count(), 3);
    EXPECT_EQ(doc.Lines().Count(), 1);
}

TEST_F(ZarvikDocTest, LineCommandsFollowTheirEnablingRules) {
    HItemObject* file = Place(kKindFile, {0, 0});
    HItemObject* task = Place(kKindTask, {200, 0});
    HItemLine* line = Join(file, task);
    for (const int32_t id :
         {kCmdLineReverse, kCmdLineBothArrows, kCmdLineNoArrow, kCmdLineDelete, kCmdLineFormat}) {
        EXPECT_EQ(doc.IsCommandEnabled(id, clipboard), 0) << id;
    }
    line->SetSelected(1);
    ASSERT_EQ(doc.RunCommand(kCmdLineReverse, clipboard), 1);
    EXPECT_EQ(line->fromItem, task);
    EXPECT_EQ(line->toItem, file);

    ASSERT_EQ(doc.RunCommand(kCmdLineBothArrows, clipboard), 1);
    EXPECT_EQ(line->lineType, kLineArrowBoth);
    EXPECT_EQ(doc.IsCommandEnabled(kCmdLineReverse, clipboard), 0);
    EXPECT_EQ(doc.RunCommand(kCmdLineReverse, clipboard), 0);
    ASSERT_EQ(doc.RunCommand(kCmdLineNoArrow, clipboard), 1);
    EXPECT_EQ(line->lineType, kLineNoArrow);
    ASSERT_EQ(doc.RunCommand(kCmdLineNoArrow, clipboard), 1);
    EXPECT_EQ(line->lineType, kLineArrowTo);

    // Each edit was a step of its own: four undos bring the first direction back.
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(doc.UndoStep(), 1);
    }
    line = dynamic_cast<HItemLine*>(doc.Lines().Head());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->fromItem->kind, kKindFile);

    line->SetSelected(1);
    ASSERT_EQ(doc.RunCommand(kCmdLineDelete, clipboard), 1);
    EXPECT_EQ(doc.Lines().Count(), 0);
}

TEST_F(ZarvikDocTest, StackingOrderAndLineVisibility) {
    HItemObject* bottom = Place(kKindFile, {0, 0});
    HItemObject* top = Place(kKindTask, {200, 0});
    bottom->SetSelected(1);
    EXPECT_EQ(doc.IsCommandEnabled(kCmdBringToTail, clipboard), 1);
    ASSERT_EQ(doc.RunCommand(kCmdBringToTail, clipboard), 1);
    EXPECT_EQ(doc.Boxes().Tail(), bottom);
    ASSERT_EQ(doc.RunCommand(kCmdSendToHead, clipboard), 1);
    EXPECT_EQ(doc.Boxes().Head(), bottom);
    ASSERT_EQ(doc.RunCommand(kCmdStepTowardTail, clipboard), 1);
    EXPECT_EQ(doc.Boxes().Tail(), bottom);
    ASSERT_EQ(doc.RunCommand(kCmdStepTowardHead, clipboard), 1);
    EXPECT_EQ(doc.Boxes().Head(), bottom);

    top->SetSelected(1);
    EXPECT_EQ(doc.IsCommandEnabled(kCmdBringToTail, clipboard), 0);  // two selected
    ASSERT_EQ(doc.RunCommand(kCmdLineVisibility, clipboard), 1);
    EXPECT_EQ(bottom->lineHide, 1);
    EXPECT_EQ(top->lineHide, 1);
    ASSERT_EQ(doc.RunCommand(kCmdLineVisibility, clipboard), 1);
    EXPECT_EQ(bottom->lineHide, 0);
    EXPECT_EQ(doc.IsChanged(), 1);  // the order changed since the new document
}

TEST_F(ZarvikDocTest, FormatCopyAndPasteRecordTheirStep) {
    HItemObject* source = Place(kKindFile, {0, 0});
    HItemObject* target = Place(kKindFile, {200, 0});
    source->brush = SolidBrush(Rgb(0, 255, 0));
    source->SetSelected(1);
    EXPECT_EQ(doc.IsCommandEnabled(kCmdItemFormatPaste, clipboard), 0);
    ASSERT_EQ(doc.RunCommand(kCmdItemFormatCopy, clipboard), 1);
    source->SetSelected(0);
    target->SetSelected(1);
    EXPECT_EQ(doc.IsCommandEnabled(kCmdLineFormatPaste, clipboard), 0);
    const int32_t steps = doc.History().Count();
    ASSERT_EQ(doc.RunCommand(kCmdItemFormatPaste, clipboard), 1);
    EXPECT_EQ(target->brush, source->brush);
    EXPECT_EQ(doc.History().Count(), steps + 1);
    EXPECT_EQ(clipboard.IsEmpty(), 1);
}

TEST_F(ZarvikDocTest, SheetOkStepsRecordAndRecompute) {
    auto* task = dynamic_cast<HItemTask*>(Place(kKindTask, {0, 0}));
    ASSERT_NE(task, nullptr);
    const int32_t steps = doc.History().Count();
    task->name = "登録";
    doc.AfterItemSheetOk();
    EXPECT_EQ(doc.History().Count(), steps + 1);
    task->penNormal = SolidPen(3, Rgb(0, 0, 255));
    doc.AfterFormatSheetOk();
    EXPECT_EQ(doc.History().Count(), steps + 2);
    // A sheet closed with OK but nothing changed adds no step.
    doc.AfterFormatSheetOk();
    EXPECT_EQ(doc.History().Count(), steps + 2);
}

TEST_F(ZarvikDocTest, CsvExportAddsItsExtensionAndLeavesTheDocumentAlone) {
    const std::string path = SavedDocument();
    ui.chosen = {dir / "tasks"};
    ASSERT_EQ(doc.RunCommand(kCmdExportTransactions, clipboard), 1);
    EXPECT_TRUE(std::filesystem::exists(dir / "tasks.csv"));
    EXPECT_EQ(ui.choosers.back().title, "ﾄﾗﾝｻﾞｸｼｮﾝﾘｽﾄのCSV出力 (出力先のﾌｧｲﾙ名を指定してください)");
    EXPECT_EQ(doc.PathName(), path);
    EXPECT_EQ(doc.Title(), "flow.zvk");
    EXPECT_EQ(doc.RunCommand(kCmdExportFiles, clipboard), 0);  // cancelled
}

}  // namespace
}  // namespace zarvik
