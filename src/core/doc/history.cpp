#include "core/doc/history.h"

#include <cassert>
#include <utility>

#include "core/doc/flow_document.h"
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

using Origin = HSnapshotMemo::Origin;

// A number that stays with the item whatever else of it changes: where chunks end.
uint32_t ChunkKey(const HItemCore& item) {
    return (static_cast<uint32_t>(item.id) ^ static_cast<uint32_t>(item.kind) << 24) * 2654435761u;
}

int WriteItem(HInfoIniFile& store, const HItemCore& item, bool box) {
    store.Clear();
    HIniFile ini(store, 0);
    const int written = box ? SaveBoxItem(ini, item) : SaveLineItem(ini, item);
    return written && store.SectionCount() == 1 ? 1 : 0;
}

bool SameSection(const HInfoIniSection& a, const HInfoIniSection& b) {
    return a.Name() == b.Name() && a.HasSameEntries(b);
}

// Whether the item still writes the section its memo holds: what the state hash stands for.
[[maybe_unused]] bool WritesItsMemo(const HItemCore& item, bool box) {
    HInfoIniFile store;
    return WriteItem(store, item, box) &&
           SameSection(store.SectionAt(0), *item.snapshotMemo.section);
}

// Brings the item's memo up to date: afterwards its section is what the item writes.
// Returns 0 when the item cannot be written. The item is written only when its state hash
// differs from the memo's, or the memo holds a section it was loaded from and never
// compared with what it writes.
int UpdateMemo(const HItemCore& item, bool box, HInfoIniFile& scratch) {
    HSnapshotMemo& memo = item.snapshotMemo;
    const uint64_t hash = item.StateHash();
    const bool unchanged = memo.section != nullptr && hash == memo.stateHash;
    if (unchanged &&
        (memo.origin == Origin::kWritten || memo.origin == Origin::kLoadedAndWritten)) {
        assert(WritesItsMemo(item, box));
        return 1;
    }
    if (!WriteItem(scratch, item, box)) {
        return 0;
    }
    if (memo.section != nullptr && SameSection(*memo.section, scratch.SectionAt(0))) {
        memo.origin = unchanged && memo.origin == Origin::kLoaded ? Origin::kLoadedAndWritten
                                                                  : Origin::kWritten;
    } else {
        scratch.ShrinkToFit();
        memo.section = scratch.ShareSection(std::size_t{0});
        memo.origin = Origin::kWritten;
    }
    memo.stateHash = hash;
    return 1;
}

}  // namespace

HSnapshotPtr TakeSnapshot(const HFlowDocument& doc, HSnapshotPtr like) {
    // One item's section at a time is written here; a new one is taken out and kept.
    thread_local HInfoIniFile scratch;
    HDiagramSnapshot::Builder builder(std::move(like));
    for (const HItemCore* item = doc.Boxes().Head(); item != nullptr; item = item->next) {
        if (!UpdateMemo(*item, true, scratch)) {
            return nullptr;
        }
        builder.Add(item->snapshotMemo.section, ChunkKey(*item));
    }
    for (const HItemCore* item = doc.Lines().Head(); item != nullptr; item = item->next) {
        // What is no line is passed over, as SaveItems passes over it.
        if (UpdateMemo(*item, false, scratch)) {
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
