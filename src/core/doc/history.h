#pragma once
// Undo and redo over whole snapshots of the diagram. A snapshot is what SaveItems writes
// into an in-memory INI store: the box sections bottom to top, then the line sections.
// Selection and canvas state are not part of it.

#include <cstdint>
#include <memory>
#include <vector>

#include "core/doc/load_result.h"
#include "core/store/ini_store.h"

namespace zarvik {

class HFlowDocument;

class HHistoryStack {
public:
    HHistoryStack() = default;
    HHistoryStack(const HHistoryStack&) = delete;
    HHistoryStack& operator=(const HHistoryStack&) = delete;

    // Stores the snapshot on top of the applied entries, dropping the undone ones. A
    // snapshot equal to the current entry (IsSame) is destroyed instead. Returns 1 when
    // stored, 0 when discarded.
    int Push(std::unique_ptr<HInfoIniFile> snapshot);
    // Steps one entry back (forward) and hands out the entry now current; the history
    // keeps owning it. Returns 0 with out null at the oldest (newest) entry.
    int Back(HInfoIniFile*& out);
    int Forward(HInfoIniFile*& out);
    int CanUndo() const { return m_current > 1 ? 1 : 0; }
    int CanRedo() const { return m_current < Count() ? 1 : 0; }
    // Destroys every entry. Returns 1.
    int Clear();

    // The number of applied entries; the diagram shown is entry Current() - 1.
    int32_t Current() const { return m_current; }
    int32_t Count() const { return static_cast<int32_t>(m_entries.size()); }
    // The entry the diagram corresponds to, null while the history is empty.
    const HInfoIniFile* CurrentEntry() const;

private:
    std::vector<std::unique_ptr<HInfoIniFile>> m_entries;
    int32_t m_current = 0;
};

// A snapshot of the document's items and lines; null when a box could not be written.
// like, when given, is a snapshot of nearly the same diagram whose sizes it is built to.
std::unique_ptr<HInfoIniFile> TakeSnapshot(const HFlowDocument& doc,
                                           const HInfoIniFile* like = nullptr);

// Pushes a snapshot of the diagram, built to the sizes of the current entry. Returns the
// push result: 0 for a diagram equal to the current entry, and for one that could not be
// written whole (no partial snapshot is ever stored).
int PushSnapshot(const HFlowDocument& doc, HHistoryStack& history);

// Replaces the document's items and lines by those of the snapshot, every item
// unselected, and recomputes the estimate. A snapshot that cannot be loaded changes
// nothing and says why.
HLoadResult RebuildFromSnapshot(HFlowDocument& doc, HInfoIniFile& snapshot);

// Undo and redo: step the history and rebuild the diagram from the entry that comes
// back. A rebuild that fails puts the history back where it was. Return 1 when rebuilt.
int Undo(HFlowDocument& doc, HHistoryStack& history);
int Redo(HFlowDocument& doc, HHistoryStack& history);

}  // namespace zarvik
