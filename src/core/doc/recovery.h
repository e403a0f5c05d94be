#pragma once
// Recovery copies. While a document has unsaved changes the editor keeps a copy of what a
// save would write in the user's state folder, so that a run that ends abnormally (a crash,
// a killed process, a power cut) loses little. Each running editor writes into a slot of its
// own, held by a file lock for as long as the slot lives; a slot whose lock nobody holds
// belongs to a run that did not end normally, and its copy is offered at the next start.

#include <string>
#include <string_view>
#include <vector>

namespace zarvik {

// $XDG_STATE_HOME/zarvik/recovery (an absolute XDG_STATE_HOME only), else
// $HOME/.local/state/zarvik/recovery; empty without either.
std::string RecoveryFolder();

// What a recovery copy holds.
struct HRecoveryCopy {
    std::string copyPath;      // the copy itself: a whole document
    std::string originalPath;  // where the document belongs; empty for one never saved
    std::string flowName;      // the document's name
    std::string savedAt;       // when the copy was written, as documents write times
};

class HRecoverySlot {
public:
    // Claims a new slot in folder, which is made when missing.
    explicit HRecoverySlot(std::string folder);
    // A normal end: the copy goes with the slot.
    ~HRecoverySlot();
    HRecoverySlot(const HRecoverySlot&) = delete;
    HRecoverySlot& operator=(const HRecoverySlot&) = delete;

    // 1 when the slot is held; 0 when no slot could be made (no copies are then kept).
    int Claimed() const { return m_lock >= 0 ? 1 : 0; }
    // Replaces the copy by bytes, a whole document, with what describes it. Each file is
    // replaced whole or not at all. 1 on success.
    int Write(std::string_view bytes, const HRecoveryCopy& about);
    // Removes the copy, after a save: the slot stays held.
    void Clear();
    // The path the copy is written to.
    const std::string& CopyPath() const { return m_copyPath; }

private:
    std::string m_base;  // the slot's files without their extension
    std::string m_copyPath;
    int m_lock = -1;
};

// The copies of runs that did not end normally, newest first. Their slots stay locked by
// this list until it goes, so that a second editor starting at the same time neither
// offers nor removes them.
class HOrphanedCopies {
public:
    explicit HOrphanedCopies(const std::string& folder);
    ~HOrphanedCopies();
    HOrphanedCopies(const HOrphanedCopies&) = delete;
    HOrphanedCopies& operator=(const HOrphanedCopies&) = delete;

    const std::vector<HRecoveryCopy>& Copies() const { return m_copies; }
    // Deletes the files of copy i, once it is restored (read) or given up.
    void Discard(std::size_t i);

private:
    std::vector<HRecoveryCopy> m_copies;
    std::vector<std::string> m_bases;  // of each copy, its slot's files without extension
    std::vector<int> m_locks;          // of each copy, the lock held; -1 once discarded
};

}  // namespace zarvik
