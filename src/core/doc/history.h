#pragma once
// Undo and redo over snapshots of the diagram. A snapshot is what SaveItems writes: the box
// sections bottom to top, then the line sections. Selection and canvas state are not part of
// it. Snapshots share every section that did not change (HDiagramSnapshot), and the history
// keeps its steps within a memory budget, letting the oldest go.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

#include "core/doc/load_result.h"
#include "core/doc/snapshot.h"

namespace zarvik {

class HFlowDocument;

using HSnapshotPtr = std::shared_ptr<const HDiagramSnapshot>;

class HHistoryStack {
public:
    static constexpr std::size_t kDefaultMemoryLimit = std::size_t{256} << 20;

    HHistoryStack() = default;
    HHistoryStack(const HHistoryStack&) = delete;
    HHistoryStack& operator=(const HHistoryStack&) = delete;

    // Stores the snapshot on top of the applied entries, dropping the undone ones. A
    // snapshot equal to the current entry (IsSame) is discarded instead. When the steps
    // then take more than the budget, the oldest go, never the current one. Returns 1
    // when stored, 0 when discarded.
    int Push(HSnapshotPtr snapshot);
    // Steps one entry back (forward) and hands out the entry now current; the history
    // keeps owning it. Returns 0 with out null at the oldest (newest) entry.
    int Back(const HDiagramSnapshot*& out);
    int Forward(const HDiagramSnapshot*& out);
    int CanUndo() const { return m_current > 1 ? 1 : 0; }
    int CanRedo() const { return m_current < Count() ? 1 : 0; }
    // Destroys every entry. Returns 1.
    int Clear();

    // The number of applied entries; the diagram shown is entry Current() - 1.
    int32_t Current() const { return m_current; }
    int32_t Count() const { return static_cast<int32_t>(m_entries.size()); }
    // The entry the diagram corresponds to, null while the history is empty.
    HSnapshotPtr CurrentEntry() const;

    // The heap the steps may take, in bytes; applies from the next push.
    void SetMemoryLimit(std::size_t bytes) { m_limit = bytes; }
    std::size_t MemoryLimit() const { return m_limit; }
    // The heap the steps take beyond the newest entry, which the diagram's items hold
    // anyway: what letting every older step go would give back.
    std::size_t MemoryUse() const { return m_use; }

private:
    struct Entry {
        HSnapshotPtr snapshot;
        std::size_t bytes;  // what it holds beyond the entry after it; 0 for the newest
    };

    std::deque<Entry> m_entries;
    int32_t m_current = 0;
    std::size_t m_limit = kDefaultMemoryLimit;
    std::size_t m_use = 0;
};

// A snapshot of the document's items and lines; null when a box could not be written. Only
// the items that changed since they were last written are written again. like, when given,
// is a snapshot of nearly the same diagram: what did not change is shared with it, and when
// nothing changed, like itself comes back.
HSnapshotPtr TakeSnapshot(const HFlowDocument& doc, HSnapshotPtr like = nullptr);

// Pushes a snapshot of the diagram, built like the current entry. Returns the push result:
// 0 for a diagram equal to the current entry, and for one that could not be written whole
// (no partial snapshot is ever stored).
int PushSnapshot(const HFlowDocument& doc, HHistoryStack& history);

// Replaces the document's items and lines by those of the snapshot, every item unselected,
// and recomputes the estimate. Items that are still what the snapshot's sections made of
// them are kept. A snapshot that cannot be loaded changes nothing and says why.
HLoadResult RebuildFromSnapshot(HFlowDocument& doc, const HDiagramSnapshot& snapshot);

// Undo and redo: step the history and rebuild the diagram from the entry that comes
// back. A rebuild that fails puts the history back where it was. Return 1 when rebuilt.
int Undo(HFlowDocument& doc, HHistoryStack& history);
int Redo(HFlowDocument& doc, HHistoryStack& history);

}  // namespace zarvik
