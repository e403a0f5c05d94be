#include "core/doc/history.h"

#include <utility>

#include "core/doc/flow_document.h"
#include "core/doc/item_memo.h"
#include "core/items/item_core.h"
#include "core/store/ini_file.h"
#include "core/store/ini_store.h"

namespace zarvik {

int HHistoryStack::Push(HSnapshotPtr snapshot) {
    if (snapshot == nullptr) {
        return 0;
    }
    if (m_current > 0 && m_entries[m_current - 1].snapshot->IsSame(snapshot.get())) {
        return 0;
    }
    // The undone entries go; what the entry before each held beyond it counts no more.
    while (Count() > m_current) {
        m_entries.pop_back();
        if (!m_entries.empty()) {
            m_use -= m_entries.back().bytes;
            m_entries.back().bytes = 0;
        }
    }
    if (!m_entries.empty()) {
        Entry& previous = m_entries.back();
        previous.bytes = previous.snapshot->BytesBeyond(snapshot.get());
        m_use += previous.bytes;
    }
    m_entries.push_back({std::move(snapshot), 0});
    ++m_current;
    // The oldest steps go first; the current entry stays, whatever it takes.
    while (m_use > m_limit && m_current > 1) {
        m_use -= m_entries.front().bytes;
        m_entries.pop_front();
        --m_current;
    }
    return 1;
}

int HHistoryStack::Back(const HDiagramSnapshot*& out) {
    if (m_current <= 1) {
        out = nullptr;
        return 0;
    }
    --m_current;
    out = m_entries[m_current - 1].snapshot.get();
    return 1;
}

int HHistoryStack::Forward(const HDiagramSnapshot*& out) {
    if (m_current >= Count()) {
        out = nullptr;
        return 0;
    }
    ++m_current;
    out = m_entries[m_current - 1].snapshot.get();
    return 1;
}

int HHistoryStack::Clear() {
    m_entries.clear();
    m_current = 0;
    m_use = 0;
    return 1;
}

HSnapshotPtr HHistoryStack::CurrentEntry() const {
    return m_current > 0 ? m_entries[m_current - 1].snapshot : nullptr;
}

namespace {

// A number that stays with the item whatever else of it changes: where chunks end.
uint32_t ChunkKey(const HItemCore& item) {
    return (static_cast<uint32_t>(item.id) ^ static_cast<uint32_t>(item.kind) << 24) * 2654435761u;
}

}  // namespace

HSnapshotPtr TakeSnapshot(const HFlowDocument& doc, HSnapshotPtr like) {
    // One item's section at a time is written here; a new one is taken out and kept.
    thread_local HInfoIniFile scratch;
    HDiagramSnapshot::Builder builder(std::move(like));
    for (const HItemCore* item = doc.Boxes().Head(); item != nullptr; item = item->next) {
        if (!UpdateItemMemo(*item, true, scratch)) {
            return nullptr;
        }
        builder.Add(item->snapshotMemo.section, ChunkKey(*item));
    }
    for (const HItemCore* item = doc.Lines().Head(); item != nullptr; item = item->next) {
        // What is no line is passed over, as SaveItems passes over it.
        if (UpdateItemMemo(*item, false, scratch)) {
            builder.Add(item->snapshotMemo.section, ChunkKey(*item));
        }
    }
    scratch.Clear();
    return builder.Finish();
}

int PushSnapshot(const HFlowDocument& doc, HHistoryStack& history) {
    return history.Push(TakeSnapshot(doc, history.CurrentEntry()));
}

HLoadResult RebuildFromSnapshot(HFlowDocument& doc, const HDiagramSnapshot& snapshot) {
    HInfoIniFile store;
    snapshot.ShareInto(store);
    HIniFile ini(store, 0);
    HLoadResult result = doc.LoadItems(ini);
    if (result) {
        doc.RecomputeEstimate();
    }
    return result;
}

namespace {

using Step = int (HHistoryStack::*)(const HDiagramSnapshot*&);

int StepAndRebuild(HFlowDocument& doc, HHistoryStack& history, Step step, Step stepBack) {
    const HDiagramSnapshot* snapshot = nullptr;
    if (!(history.*step)(snapshot)) {
        return 0;
    }
    if (!RebuildFromSnapshot(doc, *snapshot)) {
        (history.*stepBack)(snapshot);
        return 0;
    }
    return 1;
}

}  // namespace

int Undo(HFlowDocument& doc, HHistoryStack& history) {
    return StepAndRebuild(doc, history, &HHistoryStack::Back, &HHistoryStack::Forward);
}

int Redo(HFlowDocument& doc, HHistoryStack& history) {
    return StepAndRebuild(doc, history, &HHistoryStack::Forward, &HHistoryStack::Back);
}

}  // namespace zarvik
