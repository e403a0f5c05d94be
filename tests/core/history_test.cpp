#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/doc/flow_document.h"
#include "core/doc/history.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/store/ini_file.h"
#include "test_support.h"

namespace zarvik {
namespace {

// A snapshot of one section holding Name=value.
HSnapshotPtr Store(const std::string& value, const std::string& section = "TASK_001") {
    HInfoIniFile store;
    store.SetValue(section, "Name", value);
    return HDiagramSnapshot::FromStore(store);
}

std::string NameIn(const HDiagramSnapshot* snapshot) {
    if (snapshot == nullptr) {
        return "<none>";
    }
    HInfoIniFile store;
    snapshot->ShareInto(store);
    return store.GetValue("TASK_001", "Name", "<missing>");
}

TEST(HistoryStack, PushDiscardsOnlyWhatEqualsTheCurrentEntry) {
    HHistoryStack history;
    EXPECT_EQ(history.Push(nullptr), 0);
    EXPECT_EQ(history.Push(Store("a")), 1);
    EXPECT_EQ(history.Push(Store("a")), 0);
    EXPECT_EQ(history.Push(Store("b")), 1);
    // Equal to an older entry but not to the current one: a step of its own.
    EXPECT_EQ(history.Push(Store("a")), 1);
    EXPECT_EQ(history.Count(), 3);
    EXPECT_EQ(history.Current(), 3);

    // Section names are not part of the comparison.
    EXPECT_EQ(history.Push(Store("a", "TASK_999")), 0);
}

TEST(HistoryStack, BackAndForwardStopAtBothEnds) {
    HHistoryStack history;
    const HDiagramSnapshot* out = nullptr;
    EXPECT_EQ(history.Back(out), 0);
    EXPECT_EQ(history.Forward(out), 0);
    EXPECT_EQ(history.CurrentEntry(), nullptr);

    history.Push(Store("a"));
    EXPECT_EQ(history.CanUndo(), 0);
    EXPECT_EQ(history.CanRedo(), 0);
    history.Push(Store("b"));
    history.Push(Store("c"));
    EXPECT_EQ(history.CanUndo(), 1);

    EXPECT_EQ(history.Back(out), 1);
    EXPECT_EQ(NameIn(out), "b");
    EXPECT_EQ(history.Back(out), 1);
    EXPECT_EQ(NameIn(out), "a");
    EXPECT_EQ(history.CanUndo(), 0);
    EXPECT_EQ(history.CanRedo(), 1);
    EXPECT_EQ(history.Back(out), 0);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(history.Current(), 1);

    EXPECT_EQ(history.Forward(out), 1);
    EXPECT_EQ(history.Forward(out), 1);
    EXPECT_EQ(NameIn(out), "c");
    EXPECT_EQ(history.Forward(out), 0);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(NameIn(history.CurrentEntry().get()), "c");
}

TEST(HistoryStack, PushAfterUndoDropsTheUndoneEntries) {
    HHistoryStack history;
    const HDiagramSnapshot* out = nullptr;
    history.Push(Store("a"));
    history.Push(Store("b"));
    history.Push(Store("c"));
    history.Back(out);
    history.Back(out);
    // Equal to the current entry after the undos: nothing is stored, the redo tail stays.
    EXPECT_EQ(history.Push(Store("a")), 0);
    EXPECT_EQ(history.CanRedo(), 1);

    EXPECT_EQ(history.Push(Store("d")), 1);
    EXPECT_EQ(history.Count(), 2);
    EXPECT_EQ(history.CanRedo(), 0);
    EXPECT_EQ(history.Forward(out), 0);
    EXPECT_EQ(history.Back(out), 1);
    EXPECT_EQ(NameIn(out), "a");

    EXPECT_EQ(history.Clear(), 1);
    EXPECT_EQ(history.Current(), 0);
    EXPECT_EQ(history.CanRedo(), 0);
    EXPECT_EQ(history.Push(Store("a")), 1);  // nothing left to compare with
}

// A document that tells when its items are about to be replaced.
class HookedDocument : public HFlowDocument {
public:
    std::function<void()> hook;

protected:
    void AboutToReplaceItems() override {
        if (hook) {
            hook();
        }
    }
};

class HistoryUndoTest : public ::testing::Test {
protected:
    void SetUp() override { EXPECT_EQ(Record(), 1); }  // the empty diagram

    // An undo step as the document records one: the snapshot, then refresh and estimate.
    int Record() {
        const int stored = PushSnapshot(doc, history);
        doc.RefreshItems();
        doc.RecomputeEstimate();
        return stored;
    }

    HItemTask* PlaceTask(HPoint at) {
        auto task = std::make_unique<HItemTask>();
        task->position = at;
        HItemTask* placed = task.get();
        doc.Boxes().Append(std::move(task));
        return placed;
    }

    HItemFile* PlaceFile(HPoint at) {
        auto file = std::make_unique<HItemFile>();
        file->position = at;
        file->detList.push_back(HInfoCol{file.get(), "顧客番号", "", 0});
        file->detList.push_back(HInfoCol{file.get(), "氏名", "", 0});
        HItemFile* placed = file.get();
        doc.Boxes().Append(std::move(file));
        return placed;
    }

    void Join(HItemObject* from, HItemObject* to) {
        auto line = std::make_unique<HItemLine>();
        line->fromItem = from;
        line->toItem = to;
        line->fromOffset = {100, 25};
        line->toOffset = {0, 50};
        doc.Lines().Append(std::move(line));
    }

    HItemObject* TopBox() const { return dynamic_cast<HItemObject*>(doc.Boxes().Tail()); }

    HookedDocument doc;
    HHistoryStack history;
};

TEST_F(HistoryUndoTest, UndoWalksBackToTheEmptyDiagramAndRedoReturns) {
    PlaceTask({40, 30});
    EXPECT_EQ(Record(), 1);
    EXPECT_EQ(doc.estimate.ufp, 4);
    TopBox()->position = {300, 200};
    EXPECT_EQ(Record(), 1);

    ASSERT_EQ(Undo(doc, history), 1);
    ASSERT_EQ(doc.Boxes().Count(), 1);
    EXPECT_EQ(TopBox()->kind, kKindTask);
    EXPECT_EQ(TopBox()->position, (HPoint{40, 30}));
    EXPECT_EQ(doc.estimate.ufp, 4);

    ASSERT_EQ(Undo(doc, history), 1);
    EXPECT_EQ(doc.Boxes().Count(), 0);
    EXPECT_EQ(doc.estimate.ufp, 0);
    EXPECT_EQ(Undo(doc, history), 0);
    EXPECT_EQ(doc.Boxes().Count(), 0);

    ASSERT_EQ(Redo(doc, history), 1);
    ASSERT_EQ(Redo(doc, history), 1);
    ASSERT_EQ(doc.Boxes().Count(), 1);
    EXPECT_EQ(TopBox()->position, (HPoint{300, 200}));
    EXPECT_EQ(doc.estimate.ufp, 4);
    EXPECT_EQ(Redo(doc, history), 0);
}

TEST_F(HistoryUndoTest, SelectionChangesAreNoStepsAndRebuiltItemsAreUnselected) {
    HItemTask* task = PlaceTask({40, 30});
    Record();
    task->position = {80, 90};
    Record();

    task->SetSelected(1);
    EXPECT_EQ(Record(), 0);
    doc.Boxes().SetAllSelected(0);
    EXPECT_EQ(Record(), 0);
    task->SetSelected(1);

    ASSERT_EQ(Undo(doc, history), 1);  // undoes the move, not a selection
    EXPECT_EQ(TopBox()->position, (HPoint{40, 30}));
    EXPECT_EQ(doc.Boxes().CountSelected(), 0);
    TopBox()->SetSelected(1);
    ASSERT_EQ(Redo(doc, history), 1);
    EXPECT_EQ(TopBox()->position, (HPoint{80, 90}));
    EXPECT_EQ(doc.Boxes().CountSelected(), 0);
}

TEST_F(HistoryUndoTest, ANewEditAfterUndoLosesRedo) {
    PlaceTask({40, 30});
    Record();
    ASSERT_EQ(Undo(doc, history), 1);
    EXPECT_EQ(history.CanRedo(), 1);

    PlaceFile({200, 30});
    EXPECT_EQ(Record(), 1);
    EXPECT_EQ(history.CanRedo(), 0);
    EXPECT_EQ(Redo(doc, history), 0);
    ASSERT_EQ(doc.Boxes().Count(), 1);
    EXPECT_EQ(TopBox()->kind, kKindFile);
}

TEST_F(HistoryUndoTest, SavingKeepsTheHistory) {
    PlaceTask({40, 30});
    Record();
    TopBox()->position = {60, 60};
    Record();

    test_support::TempDir dir;
    ASSERT_EQ(doc.SaveDocument(dir / "flow.zvk"), 1);
    const HSnapshotPtr saved = TakeSnapshot(doc);
    EXPECT_EQ(history.Count(), 3);
    EXPECT_EQ(history.Current(), 3);

    ASSERT_EQ(Undo(doc, history), 1);
    EXPECT_EQ(TakeSnapshot(doc)->IsSame(saved.get()), 0);
    ASSERT_EQ(Redo(doc, history), 1);
    EXPECT_EQ(TakeSnapshot(doc)->IsSame(saved.get()), 1);
}

TEST_F(HistoryUndoTest, RebuiltLinesJoinTheRebuiltBoxes) {
    HItemFile* file = PlaceFile({40, 30});
    HItemTask* task = PlaceTask({200, 30});
    Join(file, task);
    Record();
    EXPECT_EQ(task->ftrList.size(), 1u);
    task->position = {250, 90};
    Record();

    ASSERT_EQ(Undo(doc, history), 1);
    ASSERT_EQ(doc.Boxes().Count(), 2);
    ASSERT_EQ(doc.Lines().Count(), 1);
    auto* line = static_cast<HItemLine*>(doc.Lines().Head());
    EXPECT_EQ(line->fromItem, doc.Boxes().Head());
    EXPECT_EQ(line->toItem, doc.Boxes().Tail());
    auto* rebuilt = dynamic_cast<HItemTask*>(doc.Boxes().Tail());
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(rebuilt->position, (HPoint{200, 30}));
    ASSERT_EQ(rebuilt->ftrList.size(), 1u);
    EXPECT_EQ(rebuilt->ftrList[0], dynamic_cast<HItemFile*>(doc.Boxes().Head()));
    EXPECT_EQ(rebuilt->ListDets().size(), 2u);
    // New items are numbered past every rebuilt one.
    EXPECT_GT(TakeItemId(), rebuilt->id);
}

TEST_F(HistoryUndoTest, AnUnrecordedEditIsUndoneWithTheLastStep) {
    PlaceTask({40, 30});
    Record();
    PlaceFile({200, 30});
    Record();
    // A layout moves the boxes without recording.
    TopBox()->position = {500, 500};

    ASSERT_EQ(Undo(doc, history), 1);
    ASSERT_EQ(doc.Boxes().Count(), 1);
    EXPECT_EQ(TopBox()->kind, kKindTask);
    EXPECT_EQ(TopBox()->position, (HPoint{40, 30}));
}

TEST_F(HistoryUndoTest, ItemsAreAboutToBeReplacedOnlyBeforeARebuild) {
    int calls = 0;
    int boxesSeen = -1;
    doc.hook = [&] {
        ++calls;
        boxesSeen = doc.Boxes().Count();
    };
    EXPECT_EQ(Undo(doc, history), 0);
    EXPECT_EQ(Redo(doc, history), 0);
    EXPECT_EQ(calls, 0);

    PlaceTask({40, 30});
    Record();
    ASSERT_EQ(Undo(doc, history), 1);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(boxesSeen, 1);  // the old items still stand when the hook runs
    ASSERT_EQ(Redo(doc, history), 1);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(boxesSeen, 0);
}

TEST_F(HistoryUndoTest, AnEntryThatCannotBeRebuiltLeavesDiagramAndHistory) {
    PlaceTask({40, 30});
    Record();
    // A spoiled entry between two good ones; the store copies the shared section it changes.
    HInfoIniFile spoiled;
    TakeSnapshot(doc)->ShareInto(spoiled);
    spoiled.SetValue(spoiled.SectionAt(0).Name(), "GuiPoint", "no comma");
    ASSERT_EQ(history.Push(HDiagramSnapshot::FromStore(spoiled)), 1);
    EXPECT_EQ(TakeSnapshot(doc)->IsSame(history.CurrentEntry().get()), 0);
    TopBox()->position = {70, 70};
    Record();

    EXPECT_EQ(Undo(doc, history), 0);
    EXPECT_EQ(history.Current(), 4);
    ASSERT_EQ(doc.Boxes().Count(), 1);
    EXPECT_EQ(TopBox()->position, (HPoint{70, 70}));
    // The diagram still matches the current entry, so nothing new is recorded.
    EXPECT_EQ(Record(), 0);
    EXPECT_EQ(history.Count(), 4);
}

// A step costs about its change; within a budget the oldest steps go, and undo and redo
// still reach every state that is kept.
TEST_F(HistoryUndoTest, TheBudgetLetsTheOldestStepsGo) {
    std::vector<HItemTask*> tasks;
    for (int i = 0; i < 300; ++i) {
        tasks.push_back(PlaceTask({i * 10, 0}));
    }
    history.Clear();
    ASSERT_EQ(Record(), 1);
    EXPECT_EQ(history.MemoryUse(), 0u);  // the entry the diagram stands at costs nothing
    tasks[150]->position.y = 1;
    ASSERT_EQ(Record(), 1);
    const std::size_t moveCost = history.MemoryUse();
    EXPECT_GT(moveCost, 0u);
    EXPECT_LT(moveCost, 16u << 10);

    history.SetMemoryLimit(10 * moveCost);
    for (int y = 2; y <= 40; ++y) {
        tasks[150]->position.y = y;
        ASSERT_EQ(Record(), 1);
        EXPECT_LE(history.MemoryUse(), history.MemoryLimit());
    }
    const int32_t kept = history.Count();
    EXPECT_LT(kept, 30);
    EXPECT_GT(kept, 5);
    EXPECT_EQ(history.Current(), kept);

    while (Undo(doc, history) == 1) {
    }
    EXPECT_EQ(history.Current(), 1);
    EXPECT_EQ(TopBox()->kind, kKindTask);
    EXPECT_EQ(doc.Boxes().Count(), 300);
    EXPECT_EQ(static_cast<HItemObject*>(doc.Boxes().Snapshot()[150])->position.y, 41 - kept);
    while (Redo(doc, history) == 1) {
    }
    EXPECT_EQ(static_cast<HItemObject*>(doc.Boxes().Snapshot()[150])->position.y, 40);
    // A budget smaller than one step keeps the current one.
    history.SetMemoryLimit(1);
    doc.Boxes().Head()->SetSelected(1);
    doc.Boxes().RemoveFirstSelectedWithLines(doc.Lines());
    EXPECT_EQ(Record(), 1);
    EXPECT_EQ(history.Count(), 1);
    EXPECT_EQ(history.CanUndo(), 0);
}

}  // namespace
}  // namespace zarvik
