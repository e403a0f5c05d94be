#include "core/doc/item_memo.h"

#include <cassert>
#include <cstdint>

#include "core/doc/flow_document.h"
#include "core/items/item_core.h"
#include "core/store/ini_file.h"
#include "core/store/ini_store.h"

namespace zarvik {
namespace {

using Origin = HSnapshotMemo::Origin;

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

}  // namespace

int UpdateItemMemo(const HItemCore& item, bool box, HInfoIniFile& scratch) {
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

}  // namespace zarvik
