#include "core/doc/item_reuse.h"

#include "core/items/draw_list.h"
#include "core/items/item_core.h"

namespace zarvik {
namespace {

// How far ahead of the cursor an item is looked for: far enough for a few items deleted
// in one step, near enough to cost nothing when a section is new.
constexpr int kLookAhead = 8;

bool WasLoadedFrom(const HItemCore& item, const HInfoIniSection* section, int32_t kind) {
    const HSnapshotMemo& memo = item.snapshotMemo;
    if (memo.section.get() != section || item.kind != kind ||
        (memo.origin != HSnapshotMemo::Origin::kLoaded &&
         memo.origin != HSnapshotMemo::Origin::kLoadedAndWritten)) {
        return false;
    }
    // Changed since it was loaded (by an edit no step recorded yet): built again.
    return item.StateHash() == memo.stateHash;
}

}  // namespace

HItemReuse::HItemReuse(const HDrawList& boxes, const HDrawList& lines)
    : m_cursor(boxes.Head()), m_lines(lines), m_inLines(false) {
    if (m_cursor == nullptr) {
        Step();
    }
}

void HItemReuse::Step() {
    if (m_cursor != nullptr) {
        m_cursor = m_cursor->next;
    }
    if (m_cursor == nullptr && !m_inLines) {
        m_inLines = true;
        m_cursor = m_lines.Head();
    }
}

HItemCore* HItemReuse::Find(const HInfoIniSection* section, int32_t kind) {
    HItemCore* saved = m_cursor;
    const bool savedInLines = m_inLines;
    for (int ahead = 0; ahead < kLookAhead && m_cursor != nullptr; ++ahead) {
        HItemCore* candidate = m_cursor;
        Step();
        if (candidate->snapshotMemo.section.get() == section) {
            return WasLoadedFrom(*candidate, section, kind) ? candidate : nullptr;
        }
    }
    // Not near: a new item. The cursor stays for the next section.
    m_cursor = saved;
    m_inLines = savedInLines;
    return nullptr;
}

}  // namespace zarvik
