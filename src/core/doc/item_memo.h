#pragma once
// The section an item remembers (its snapshot memo): what the item writes, kept up to date
// by its state hash, so that undo steps and saves write only the items that changed.

namespace zarvik {

class HItemCore;
class HInfoIniFile;

// Brings the item's memo up to date: afterwards its section is what the item writes (as a
// box when box, else as a relation line). Returns 0 when the item cannot be written. The
// item is written, into scratch, only when its state hash differs from the memo's, or the
// memo holds a section it was loaded from and never compared with what it writes.
int UpdateItemMemo(const HItemCore& item, bool box, HInfoIniFile& scratch);

}  // namespace zarvik
