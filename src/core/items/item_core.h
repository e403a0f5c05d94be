#pragma once
// The common part of everything that stands on the canvas: kind, id, list links and
// selection, and the virtual interface the canvas and the lists use.

#include <cstdint>
#include <memory>
#include <string>

#include "core/port/gdi_types.h"

namespace zarvik {

class HDrawContext;
class HDrawList;
class HInfoCore;
class HInfoIniSection;
class HInfoItemCore;
class HStateHash;

// Kind codes.
inline constexpr int32_t kKindCore = 100;  // a bare item and the mouse-cursor item
inline constexpr int32_t kKindFile = 101;
inline constexpr int32_t kKindTask = 102;
inline constexpr int32_t kKindOther = 103;
inline constexpr int32_t kKindBorder = 104;
inline constexpr int32_t kKindFunction = 105;
inline constexpr int32_t kKindView = 106;
inline constexpr int32_t kKindImageBox = 107;
inline constexpr int32_t kKindLine = 199;

// Hit codes, one bit each.
inline constexpr int32_t kHitBody = 1;
inline constexpr int32_t kHitLineFrom = 16;
inline constexpr int32_t kHitLineTo = 32;
inline constexpr int32_t kHitLabel = 64;
inline constexpr int32_t kHitTop = 256;
inline constexpr int32_t kHitLeft = 512;
inline constexpr int32_t kHitBottom = 1024;
inline constexpr int32_t kHitRight = 2048;

// Process-wide numbering: item ids, default-name numbers per box kind, and a count of
// selection changes that the canvas compares before and after a mouse action.
int32_t ItemIdCounter();
void SetItemIdCounter(int32_t value);
int32_t TakeItemId();
int32_t TakeNameNumber(int32_t kind);
// The number the next item of the kind will be named with.
int32_t NextNameNumber(int32_t kind);
int32_t SelectionChangeCount();
// All three back to 0, as at the start of the process.
void ResetItemCounters();

// The numbering as it stands, to be put back after a scratch item (a preview) that must
// not use up an id or a default name.
struct HItemCounters {
    int32_t id = 0;
    int32_t names[kKindImageBox - kKindFile + 1] = {};
    int32_t selectionChanges = 0;
};
HItemCounters SaveItemCounters();
void RestoreItemCounters(const HItemCounters& counters);

// The section key prefix of a kind ("FILE_"), nullptr for an unknown kind.
const char* SectionKeyPrefix(int32_t kind);

// What an item was last written as for an undo snapshot (core/doc/snapshot.h): an item
// whose state hash has not changed since is not written again, and one that loading made
// and that has not changed since need not be loaded again.
struct HSnapshotMemo {
    enum class Origin : uint8_t {
        kNone,
        kLoaded,            // the item is what loading section made of it
        kLoadedAndWritten,  // that, and it writes section's entries too
        kWritten,           // the item writes section's entries
    };
    std::shared_ptr<const HInfoIniSection> section;
    uint64_t stateHash = 0;  // StateHash() when section was set
    Origin origin = Origin::kNone;
};

class HItemCore {
public:
    HItemCore();
    virtual ~HItemCore() = default;
    HItemCore(const HItemCore&) = delete;
    HItemCore& operator=(const HItemCore&) = delete;

    // Paints the item; showHandles asks for the resize handles. Returns 1.
    virtual int Draw(HDrawContext& dc, int showHandles) const = 0;
    // A hit code bit mask for the point, 0 when it misses.
    virtual int32_t HitTest(HPoint point) const = 0;
    // The rectangle covering the item with its handles and label. Returns 1.
    virtual int GetBoundRect(HRect& rect) const = 0;
    // Drags one part of the item by delta from the drag origin. Returns 0 when refused.
    virtual int DragPart(int32_t hitCode, HPoint delta, HDrawList& lineList) = 0;
    // A relation line between this item and other was removed. Returns 1.
    virtual int OnLinkRemoved(HItemCore* other);

    // The record view of the item, nullptr for lines and the mouse cursor.
    virtual HInfoCore* Record();
    virtual const HInfoCore* Record() const;
    // The drawing attributes (pens, brush, label), nullptr for a bare item. Boxes and lines
    // answer without a cast: painting asks for every item.
    virtual HInfoItemCore* Attributes();
    virtual const HInfoItemCore* Attributes() const;

    // "FILE_007" for a data function with id 7; empty for an unknown kind.
    std::string GetSectionKey() const;

    int32_t Selected() const { return m_selected; }
    // Sets the selection; a change counts as one selection change.
    void SetSelected(int32_t state);
    // An item kept through an undo stands for the one loading would make: unselected,
    // with no selection change counted.
    void UnselectAsNew() { m_selected = 0; }

    // A digest of everything the item holds apart from its place in a list, its selection
    // and what the document derives from the relation lines (HStateHash): equal digests
    // mean the item writes the same section and is what it was.
    uint64_t StateHash() const;

    int32_t kind = kKindCore;
    int32_t id = 0;
    HItemCore* previous = nullptr;  // toward the head of the list that holds the item
    HItemCore* next = nullptr;      // toward the tail
    mutable HSnapshotMemo snapshotMemo;

protected:
    // What an item adds to its state hash beyond kind, id, attributes and record.
    virtual void AddOwnStateTo(HStateHash&) const {}

private:
    int32_t m_selected = 0;
};

// The item view of a record, nullptr when the record is not part of an item.
HItemCore* ItemOf(HInfoCore* record);
const HItemCore* ItemOf(const HInfoCore* record);

}  // namespace zarvik
