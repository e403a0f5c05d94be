#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/fp/info_col.h"
#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "recording_context.h"

namespace zarvik {
namespace {

// An item that remembers how the list asked it to draw.
class ProbeItem : public HItemCore {
public:
    explicit ProbeItem(std::vector<std::pair<const ProbeItem*, int>>* log) : m_log(log) {}
    int Draw(HDrawContext&, int showHandles) const override {
        m_log->emplace_back(this, showHandles);
        return 1;
    }
    int32_t HitTest(HPoint) const override { return 0; }
    int GetBoundRect(HRect& rect) const override {
        rect = HRect{};
        return 1;
    }
    int DragPart(int32_t, HPoint, HDrawList&) override { return 0; }

private:
    std::vector<std::pair<const ProbeItem*, int>>* m_log;
};

template <typename T>
T* AppendNew(HDrawList& list) {
    auto item = std::make_unique<T>();
    T* raw = item.get();
    list.Append(std::move(item));
    return raw;
}

HItemLine* AppendLine(HDrawList& lines, HItemObject* from, HItemObject* to) {
    HItemLine* line = AppendNew<HItemLine>(lines);
    line->fromItem = from;
    line->toItem = to;
    return line;
}

// The list order head first, checked against the backward links and the count.
std::vector<HItemCore*> Order(const HDrawList& list) {
    std::vector<HItemCore*> forward;
    for (HItemCore* item = list.Head(); item != nullptr; item = item->next) {
        forward.push_back(item);
    }
    std::vector<HItemCore*> backward;
    for (HItemCore* item = list.Tail(); item != nullptr; item = item->previous) {
        backward.insert(backward.begin(), item);
    }
    EXPECT_EQ(forward, backward);
    EXPECT_EQ(static_cast<int32_t>(forward.size()), list.Count());
    if (!forward.empty()) {
        EXPECT_EQ(forward.front()->previous, nullptr);
        EXPECT_EQ(forward.back()->next, nullptr);
    }
    return forward;
}

class DrawListOrder : public ::testing::Test {
protected:
    void SetUp() override {
        for (HItemFile*& item : items) {
            item = AppendNew<HItemFile>(list);
        }
    }
    std::vector<HItemCore*> Expect(std::initializer_list<int> indices) const {
        std::vector<HItemCore*> order;
        for (int i : indices) {
            order.push_back(items[i]);
        }
        return order;
    }

    HDrawList list;
    HItemFile* items[4] = {};
};

TEST_F(DrawListOrder, SendToHeadAndBringToTail) {
    items[2]->SetSelected(1);
    EXPECT_EQ(list.SendToHead(), 1);
    EXPECT_EQ(Order(list), Expect({2, 0, 1, 3}));
    EXPECT_EQ(list.SendToHead(), 1);  // already at the head
    EXPECT_EQ(Order(list), Expect({2, 0, 1, 3}));

    EXPECT_EQ(list.BringToTail(), 1);
    EXPECT_EQ(Order(list), Expect({0, 1, 3, 2}));
    EXPECT_EQ(list.BringToTail(), 1);  // already at the tail
    EXPECT_EQ(Order(list), Expect({0, 1, 3, 2}));

    items[2]->SetSelected(0);
    items[1]->SetSelected(1);
    EXPECT_EQ(list.BringToTail(), 1);
    EXPECT_EQ(Order(list), Expect({0, 3, 2, 1}));
    EXPECT_EQ(list.SendToHead(), 1);
    EXPECT_EQ(Order(list), Expect({1, 0, 3, 2}));
}

TEST_F(DrawListOrder, StepsSwapWithTheNeighbour) {
    items[1]->SetSelected(1);
    EXPECT_EQ(list.StepTowardTail(), 1);
    EXPECT_EQ(Order(list), Expect({0, 2, 1, 3}));
    EXPECT_EQ(list.StepTowardTail(), 1);
    EXPECT_EQ(Order(list), Expect({0, 2, 3, 1}));
    EXPECT_EQ(list.StepTowardTail(), 1);  // the tail is selected: nothing changes
    EXPECT_EQ(Order(list), Expect({0, 2, 3, 1}));

    EXPECT_EQ(list.StepTowardHead(), 1);
    EXPECT_EQ(Order(list), Expect({0, 2, 1, 3}));
    EXPECT_EQ(list.StepTowardHead(), 1);
    EXPECT_EQ(list.StepTowardHead(), 1);
    EXPECT_EQ(Order(list), Expect({1, 0, 2, 3}));
    EXPECT_EQ(list.StepTowardHead(), 1);  // the head is selected
    EXPECT_EQ(Order(list), Expect({1, 0, 2, 3}));
}

TEST_F(DrawListOrder, NothingSelectedAndShortLists) {
    // With nothing selected the operations still succeed and change nothing.
    EXPECT_EQ(list.SendToHead(), 1);
    EXPECT_EQ(list.BringToTail(), 1);
    EXPECT_EQ(list.StepTowardTail(), 1);
    EXPECT_EQ(list.StepTowardHead(), 1);
    EXPECT_EQ(Order(list), Expect({0, 1, 2, 3}));

    HDrawList one;
    AppendNew<HItemFile>(one)->SetSelected(1);
    HDrawList empty;
    for (HDrawList* shortList : {&one, &empty}) {
        EXPECT_EQ(shortList->SendToHead(), 0);
        EXPECT_EQ(shortList->BringToTail(), 0);
        EXPECT_EQ(shortList->StepTowardTail(), 0);
        EXPECT_EQ(shortList->StepTowardHead(), 0);
    }
    EXPECT_EQ(one.Count(), 1);
}

TEST_F(DrawListOrder, CorruptChainRefusesToReorder) {
    items[1]->SetSelected(1);
    items[3]->next = items[0];  // the links now run past the count
    EXPECT_TRUE(list.Snapshot().empty());
    EXPECT_EQ(list.SendToHead(), 0);
    EXPECT_EQ(list.BringToTail(), 0);
    items[3]->next = nullptr;
    EXPECT_EQ(Order(list), Expect({0, 1, 2, 3}));
}

TEST_F(DrawListOrder, RelinkRebuildsOrEmpties) {
    const std::vector<HItemCore*> reversed = Expect({3, 2, 1, 0});
    EXPECT_EQ(list.Relink(reversed), 1);
    EXPECT_EQ(Order(list), reversed);
    EXPECT_EQ(list.Relink({}), 0);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Head(), nullptr);
    EXPECT_EQ(list.Tail(), nullptr);
    EXPECT_EQ(list.Relink(reversed), 1);  // give the items back to the list
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Clear(), 1);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Tail(), nullptr);
    EXPECT_TRUE(list.Snapshot().empty());
}

TEST_F(DrawListOrder, SelectionQueriesWalkTopDown) {
    items[0]->SetSelected(1);
    items[2]->SetSelected(1);
    items[3]->SetSelected(1);
    EXPECT_EQ(list.CountSelected(), 3);
    std::vector<HItemCore*> selected;
    for (HItemCore* item = list.NextSelected(nullptr, 1); item != nullptr;
         item = list.NextSelected(item, 1)) {
        selected.push_back(item);
    }
    EXPECT_EQ(selected, Expect({3, 2, 0}));
    EXPECT_EQ(list.NextSelected(nullptr, 0), items[1]);
    EXPECT_EQ(list.NextSelected(items[1], 0), nullptr);

    const int32_t before = SelectionChangeCount();
    EXPECT_EQ(list.SetAllSelected(1), 1);
    EXPECT_EQ(SelectionChangeCount(), before + 1);  // only the one that changed
    items[0]->SetSelected(1);
    EXPECT_EQ(SelectionChangeCount(), before + 1);
    EXPECT_EQ(list.CountSelected(), 4);
    list.SetAllSelected(0);
    EXPECT_EQ(SelectionChangeCount(), before + 5);
    EXPECT_EQ(list.CountSelected(), 0);
    EXPECT_EQ(list.NextSelected(nullptr, 1), nullptr);
}

TEST(DrawListHitTest, TopmostFirstThenTheOnesBelow) {
    HDrawList list;
    HItemFile* bottom = AppendNew<HItemFile>(list);  // (0, 0) to (100, 50)
    HItemFile* middle = AppendNew<HItemFile>(list);
    middle->position = {50, 0};
    HItemFile* apart = AppendNew<HItemFile>(list);
    apart->position = {400, 400};

    EXPECT_EQ(list.HitTestFrom(nullptr, {60, 20}), middle);
    EXPECT_EQ(list.HitTestFrom(middle, {60, 20}), bottom);
    EXPECT_EQ(list.HitTestFrom(bottom, {60, 20}), nullptr);
    EXPECT_EQ(list.HitTestFrom(nullptr, {10, 20}), bottom);
    EXPECT_EQ(list.HitTestFrom(nullptr, {300, 300}), nullptr);
    EXPECT_EQ(list.HitTestFrom(apart, {420, 420}), nullptr);

    HDrawList empty;
    EXPECT_EQ(empty.HitTestFrom(nullptr, {0, 0}), nullptr);
    EXPECT_EQ(empty.NextSelected(nullptr, 0), nullptr);
    EXPECT_EQ(empty.CountSelected(), 0);
}

TEST(DrawListFindByKey, KindAndIdTogether) {
    HDrawList list;
    HItemTask* task = AppendNew<HItemTask>(list);
    task->id = 7;
    HItemFile* file = AppendNew<HItemFile>(list);
    file->id = 7;
    HItemMouseCursor* cursor = AppendNew<HItemMouseCursor>(list);
    cursor->id = 7;
    HItemLine* line = AppendNew<HItemLine>(list);
    line->id = 7;

    EXPECT_EQ(list.FindByKey("FILE_007"), file);
    EXPECT_EQ(list.FindByKey("TASK_007"), task);
    EXPECT_EQ(list.FindByKey("TASK_7"), task);
    EXPECT_EQ(list.FindByKey("FILE_007x"), file);  // leading digits only
    EXPECT_EQ(list.FindByKey("LINE_007"), nullptr);
    EXPECT_EQ(list.FindByKey("Unknown_007"), nullptr);
    EXPECT_EQ(list.FindByKey("file_007"), nullptr);
    EXPECT_EQ(list.FindByKey("FILE_008"), nullptr);
    EXPECT_EQ(list.FindByKey(""), nullptr);
    EXPECT_EQ(list.FindByKey("Other_007"), nullptr);

    HItemFile* zero = AppendNew<HItemFile>(list);
    zero->id = 0;
    EXPECT_EQ(list.FindByKey("FILE_"), zero);
}

TEST(DrawListFindByKey, EveryBoxPrefix) {
    HDrawList list;
    std::vector<HItemCore*> made;
    for (int32_t kind = kKindFile; kind <= kKindImageBox; ++kind) {
        std::unique_ptr<HItemObject> item = MakeBoxItem(kind);
        item->id = 21;
        made.push_back(item.get());
        list.Append(std::move(item));
    }
    for (HItemCore* item : made) {
        SCOPED_TRACE(item->GetSectionKey());
        EXPECT_EQ(list.FindByKey(item->GetSectionKey()), item);
    }
}

TEST(DrawListFindByKey, FirstFromHeadAndIndexFollowsChanges) {
    HDrawList list;
    HItemFile* first = AppendNew<HItemFile>(list);
    first->id = 9;
    HItemFile* second = AppendNew<HItemFile>(list);
    second->id = 9;
    EXPECT_EQ(list.FindByKey("FILE_009"), first);

    // Reordering, appending and removing all show in the next lookup.
    list.Relink({second, first});
    EXPECT_EQ(list.FindByKey("FILE_009"), second);
    HItemFile* added = AppendNew<HItemFile>(list);
    added->id = 11;
    EXPECT_EQ(list.FindByKey("FILE_011"), added);
    second->SetSelected(1);
    EXPECT_EQ(list.RemoveSelected(), 1);
    EXPECT_EQ(list.FindByKey("FILE_009"), first);
    first->SetSelected(1);
    HDrawList noLines;
    EXPECT_EQ(list.RemoveFirstSelectedWithLines(noLines), 1);
    EXPECT_EQ(list.FindByKey("FILE_009"), nullptr);
    EXPECT_EQ(list.FindByKey("FILE_011"), added);

    // A loaded item takes its id after it was listed.
    added->id = 40;
    EXPECT_EQ(list.FindByKey("FILE_040"), added);
    EXPECT_EQ(list.FindByKey("FILE_011"), nullptr);
}

TEST(DrawListDrawAll, HandlesOnlyForTheOneSelectedItemWithoutShift) {
    std::vector<std::pair<const ProbeItem*, int>> log;
    HDrawList list;
    std::vector<ProbeItem*> probes;
    for (int i = 0; i < 3; ++i) {
        auto probe = std::make_unique<ProbeItem>(&log);
        probes.push_back(probe.get());
        list.Append(std::move(probe));
    }
    testing::RecordingContext dc;
    auto handles = [&](int shift) {
        log.clear();
        EXPECT_EQ(list.DrawAll(dc, shift), 1);
        std::vector<int> flags;
        for (std::size_t i = 0; i < log.size(); ++i) {
            EXPECT_EQ(log[i].first, probes[i]);  // head first
            flags.push_back(log[i].second);
        }
        return flags;
    };

    EXPECT_EQ(handles(0), (std::vector<int>{0, 0, 0}));
    probes[1]->SetSelected(1);
    EXPECT_EQ(handles(0), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(handles(1), (std::vector<int>{0, 0, 0}));
    probes[2]->SetSelected(1);
    EXPECT_EQ(handles(0), (std::vector<int>{0, 0, 0}));
}

class DrawListDelete : public ::testing::Test {
protected:
    void SetUp() override {
        customer = AppendNew<HItemFile>(boxes);
        customer->detList = {{customer, "番号", "", 0}, {customer, "氏名", "", 0}};
        product = AppendNew<HItemFile>(boxes);
        product->detList = {{product, "品番", "", 0}};
        for (HItemTask*& task : tasks) {
            task = AppendNew<HItemTask>(boxes);
            task->lineList = &lines;
        }
        AppendLine(lines, customer, tasks[0]);
        AppendLine(lines, tasks[1], customer);
        AppendLine(lines, customer, tasks[2]);
        AppendLine(lines, product, tasks[0]);
        AppendLine(lines, tasks[1], tasks[2]);
        for (HItemTask* task : tasks) {
            task->UpdateLinks();
        }
    }
    static bool Mentions(const HItemTask& task, const HInfoFile* file) {
        for (const HInfoCol& entry : task.ListDets()) {
            if (entry.owner == file) {
                return true;
            }
        }
        for (const HInfoFile* ftr : task.ftrList) {
            if (ftr == file) {
                return true;
            }
        }
        return false;
    }

    HDrawList lines;  // destroyed after the boxes are gone: the lines only point at them
    HDrawList boxes;
    HItemFile* customer = nullptr;
    HItemFile* product = nullptr;
    HItemTask* tasks[3] = {};
};

TEST_F(DrawListDelete, BoxGoesWithItsLinesAndTransactionsForgetIt) {
    ASSERT_TRUE(Mentions(*tasks[1], customer));
    const HInfoFile* gone = customer;
    customer->SetSelected(1);
    EXPECT_EQ(boxes.RemoveFirstSelectedWithLines(lines), 1);
    EXPECT_EQ(boxes.Count(), 4);
    EXPECT_EQ(lines.Count(), 2);
    for (HItemTask* task : tasks) {
        EXPECT_FALSE(Mentions(*task, gone));
    }
    // The other file's link is untouched, and the surviving lines keep their order.
    ASSERT_EQ(tasks[0]->ftrList.size(), 1u);
    EXPECT_EQ(tasks[0]->ftrList[0], product);
    EXPECT_EQ(tasks[0]->ListDets().size(), 1u);
    const std::vector<HItemCore*> rest = Order(lines);
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(static_cast<HItemLine*>(rest[0])->fromItem, product);
    EXPECT_EQ(static_cast<HItemLine*>(rest[1])->toItem, tasks[2]);
    EXPECT_EQ(Order(boxes).front(), product);

    // Nothing else is selected: nothing more goes.
    EXPECT_EQ(boxes.RemoveFirstSelectedWithLines(lines), 0);
    EXPECT_EQ(boxes.Count(), 4);
    EXPECT_EQ(lines.Count(), 2);
}

TEST_F(DrawListDelete, LoopRemovesEverySelectedBox) {
    tasks[1]->SetSelected(1);
    product->SetSelected(1);
    int removed = 0;
    while (boxes.RemoveFirstSelectedWithLines(lines) == 1) {
        ++removed;
    }
    EXPECT_EQ(removed, 2);
    EXPECT_EQ(Order(boxes), (std::vector<HItemCore*>{customer, tasks[0], tasks[2]}));
    EXPECT_EQ(boxes.CountSelected(), 0);
    // Left: customer to task 0 and customer to task 2.
    EXPECT_EQ(lines.Count(), 2);
    EXPECT_FALSE(Mentions(*tasks[0], product));
    EXPECT_TRUE(Mentions(*tasks[0], customer));

    HDrawList empty;
    EXPECT_EQ(empty.RemoveFirstSelectedWithLines(lines), 0);
    EXPECT_EQ(empty.RemoveSelected(), 0);
}

TEST_F(DrawListDelete, RemoveSelectedLines) {
    std::vector<HItemCore*> all = Order(lines);
    all[1]->SetSelected(1);  // task 1 <- customer
    all[3]->SetSelected(1);  // product -> task 0
    EXPECT_EQ(lines.RemoveSelected(), 1);
    EXPECT_EQ(Order(lines), (std::vector<HItemCore*>{all[0], all[2], all[4]}));
    EXPECT_FALSE(Mentions(*tasks[1], customer));
    EXPECT_FALSE(Mentions(*tasks[0], product));
    EXPECT_TRUE(Mentions(*tasks[0], customer));
    EXPECT_TRUE(Mentions(*tasks[2], customer));
    EXPECT_EQ(boxes.Count(), 5);

    // No line selected: the list stays as it is.
    EXPECT_EQ(lines.RemoveSelected(), 1);
    EXPECT_EQ(lines.Count(), 3);
}

}  // namespace
}  // namespace zarvik
