// Random edits, steps, undos and redos on random diagrams, done alike on two documents: one
// with the history as it is, one with a history of whole snapshots that are compared in
// full and loaded in full. Both must write the same items after every action, and a save
// (which writes the sections the items remember) the same file as a store filled anew.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/doc/flow_document.h"
#include "core/doc/history.h"
#include "core/items/item_core.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/records/info_item.h"
#include "core/store/ini_file.h"
#include "core/store/ini_store.h"
#include "test_support.h"

namespace zarvik {
namespace {

std::string ItemsText(const HFlowDocument& doc) {
    HInfoIniFile store;
    HIniFile ini(store, 0);
    doc.SaveItems(ini);
    return store.ToBytes();
}

// Whole snapshots, each a store of its own, rebuilt from a copy that shares nothing.
class ReferenceHistory {
public:
    int Record(HFlowDocument& doc) {
        auto snapshot = std::make_unique<HInfoIniFile>();
        HIniFile ini(*snapshot, 0);
        doc.SaveItems(ini);
        int stored = 0;
        if (m_current == 0 || !m_entries[m_current - 1]->IsSame(snapshot.get())) {
            m_entries.resize(m_current);
            m_entries.push_back(std::move(snapshot));
            ++m_current;
            stored = 1;
        }
        doc.RefreshItems();
        doc.RecomputeEstimate();
        return stored;
    }
    int Undo(HFlowDocument& doc) { return m_current > 1 ? Rebuild(doc, --m_current) : 0; }
    int Redo(HFlowDocument& doc) {
        return m_current < static_cast<int>(m_entries.size()) ? Rebuild(doc, ++m_current) : 0;
    }
    int Current() const { return m_current; }

private:
    int Rebuild(HFlowDocument& doc, int current) {
        HInfoIniFile copy;
        copy.ReadBytes(m_entries[current - 1]->ToBytes());
        HIniFile ini(copy, 0);
        const int loaded = doc.LoadItems(ini) ? 1 : 0;
        doc.RecomputeEstimate();
        return loaded;
    }

    std::vector<std::unique_ptr<HInfoIniFile>> m_entries;
    int m_current = 0;
};

HItemCore* ItemAt(HDrawList& list, int index) {
    HItemCore* item = list.Head();
    for (; index > 0 && item != nullptr; --index) {
        item = item->next;
    }
    return item;
}

// One random edit, drawn once and applied to both documents alike.
struct Edit {
    int what;
    int a;
    int b;
    int value;

    void ApplyTo(HFlowDocument& doc) const {
        const int boxes = doc.Boxes().Count();
        const int lines = doc.Lines().Count();
        auto* box = boxes > 0 ? static_cast<HItemObject*>(ItemAt(doc.Boxes(), a % boxes)) : nullptr;
        switch (what) {
            case 0:
            case 1:
                if (box != nullptr) {
                    box->position.x += value;
                    box->position.y -= value / 2;
                }
                break;
            case 2:
                if (box != nullptr) {
                    box->size.cx = 40 + value;
                    box->penNormal = SolidPen(1 + value % 3, static_cast<HColorRef>(value * 977));
                }
                break;
            case 3:
                if (box != nullptr) {
                    box->Record()->name = "名前" + std::to_string(value);
                }
                break;
            case 4:
                if (auto* file = dynamic_cast<HItemFile*>(box)) {
                    file->detList.push_back(HInfoCol{file, "項目" + std::to_string(value), "", 0});
                }
                break;
            case 5: {
                static constexpr int32_t kKinds[] = {kKindFile, kKindTask, kKindOther, kKindView};
                std::unique_ptr<HItemObject> placed = MakeBoxItem(kKinds[value % 4]);
                placed->id = 1000 + b;  // the same in both documents, and new in each
                placed->Record()->name = "新" + std::to_string(b);
                placed->position = {value * 3, b};
                doc.Boxes().Append(std::move(placed));
                break;
            }
            case 6:
                if (box != nullptr) {
                    box->SetSelected(1);
                    doc.Boxes().RemoveFirstSelectedWithLines(doc.Lines());
                }
                break;
            case 7:
                if (boxes >= 2) {
                    auto line = std::make_unique<HItemLine>();
                    line->id = 1000 + b;
                    line->fromItem = box;
                    line->toItem = static_cast<HItemObject*>(ItemAt(doc.Boxes(), b % boxes));
                    line->toOffset = {0, value};
                    doc.Lines().Append(std::move(line));
                }
                break;
            case 8:
                if (lines > 0) {
                    ItemAt(doc.Lines(), b % lines)->SetSelected(1);
                    doc.Lines().RemoveSelected();
                }
                break;
            case 9:
                if (box != nullptr) {
                    doc.Boxes().SetAllSelected(0);
                    box->SetSelected(1);
                    if (value % 2 == 0) {
                        doc.Boxes().BringToTail();
                    } else {
                        doc.Boxes().SendToHead();
                    }
                    box->SetSelected(0);
                }
                break;
            default:
                if (lines > 0) {
                    static_cast<HItemLine*>(ItemAt(doc.Lines(), b % lines))->fromOffset.x = value;
                }
                break;
        }
    }
};

void BuildRandomDiagram(HFlowDocument& doc, std::mt19937& random) {
    const int boxes = 3 + static_cast<int>(random() % 12);
    for (int i = 0; i < boxes; ++i) {
        Edit{5, 0, i, static_cast<int>(random() % 100)}.ApplyTo(doc);
    }
    for (int i = 0; i < boxes; ++i) {
        Edit{7, static_cast<int>(random()), 100 + i, static_cast<int>(random() % 50)}.ApplyTo(doc);
    }
}

TEST(HistoryReference, RandomEditsUndoAndRedoWriteWhatWholeSnapshotsWrite) {
    int keptThroughUndo = 0;
    const test_support::TempDir folder;
    const std::string path = folder / "saved.zvk";
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        HFlowDocument doc;
        HFlowDocument reference;
        BuildRandomDiagram(doc, random);
        random.seed(seed);
        BuildRandomDiagram(reference, random);
        HHistoryStack history;
        ReferenceHistory referenceHistory;
        // Above every id a diagram holds, so that each load counts on from it.
        SetItemIdCounter(100000);
        // The saved state: what the document is compared with at closing.
        HSnapshotPtr saved = TakeSnapshot(doc);
        std::string referenceSaved = ItemsText(reference);

        for (int action = 0; action < 250; ++action) {
            SCOPED_TRACE(action);
            const int kind = static_cast<int>(random() % 10);
            if (kind < 5) {
                const Edit edit{static_cast<int>(random() % 11), static_cast<int>(random()),
                                200 + action, static_cast<int>(random() % 300)};
                edit.ApplyTo(doc);
                edit.ApplyTo(reference);
            }
            // Some edits stay unrecorded for a while, as the automatic layout's do.
            if (kind < 4) {
                const int stored = PushSnapshot(doc, history);
                doc.RefreshItems();
                doc.RecomputeEstimate();
                EXPECT_EQ(stored, referenceHistory.Record(reference));
            } else if (kind < 8) {
                const bool undo = kind < 7;
                const std::vector<HItemCore*> before = doc.Boxes().Snapshot();
                const int32_t ids = ItemIdCounter();
                const int32_t names = NextNameNumber(kKindFile);
                const int done = undo ? Undo(doc, history) : Redo(doc, history);
                const int32_t idsAfter = ItemIdCounter();
                const int32_t namesAfter = NextNameNumber(kKindFile);
                EXPECT_EQ(done, undo ? referenceHistory.Undo(reference)
                                     : referenceHistory.Redo(reference));
                // Items kept or built, the numbers used up are the same.
                EXPECT_EQ(ItemIdCounter() - idsAfter, idsAfter - ids);
                EXPECT_EQ(NextNameNumber(kKindFile) - namesAfter, namesAfter - names);
                for (const HItemCore* item : doc.Boxes().Snapshot()) {
                    keptThroughUndo += done && std::count(before.begin(), before.end(), item);
                }
            } else if (kind == 8) {
                saved = TakeSnapshot(doc, history.CurrentEntry());
                referenceSaved = ItemsText(reference);
            } else {
                ASSERT_EQ(doc.SaveDocument(path), 1);
                const std::string file = test_support::FileBytes(path);
                const std::string items = ItemsText(reference);
                EXPECT_EQ(file.substr(0, items.size()), items);
                EXPECT_TRUE(file.substr(items.size()).starts_with("[Zarvik]")) << file;
            }
            EXPECT_EQ(history.Current(), referenceHistory.Current());
            const std::string text = ItemsText(doc);
            ASSERT_EQ(text, ItemsText(reference));
            EXPECT_EQ(doc.estimate.ufp, reference.estimate.ufp);
            HInfoIniFile snapshot;
            TakeSnapshot(doc)->ShareInto(snapshot);
            EXPECT_EQ(snapshot.ToBytes(), text);
            EXPECT_EQ(TakeSnapshot(doc)->IsSame(saved.get()), text == referenceSaved ? 1 : 0);
        }
    }
    EXPECT_GT(keptThroughUndo, 0);
}

}  // namespace
}  // namespace zarvik
