#pragma once
// The owning, ordered list of diagram items. The head is painted first and lies lowest;
// the tail is painted last, lies on top and is found first by hit testing. The links live
// in the items.

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/port/gdi_types.h"

namespace zarvik {

class HDrawContext;
class HItemCore;

// What an item may paint: its bounds widened by half its widest pen (and a unit for the
// device's rounding).
HRect PaintedBounds(const HItemCore& item);

class HDrawList {
public:
    HDrawList() = default;
    virtual ~HDrawList();
    HDrawList(const HDrawList&) = delete;
    HDrawList& operator=(const HDrawList&) = delete;

    int32_t Count() const { return m_count; }
    HItemCore* Head() const { return m_head; }
    HItemCore* Tail() const { return m_tail; }

    // Takes ownership and links the item on top. Returns 1.
    int Append(std::unique_ptr<HItemCore> item);
    // Unlinks an item of the list and hands it over.
    std::unique_ptr<HItemCore> Detach(HItemCore* item);
    // Destroys every item. Returns 1.
    int Clear();
    // Exchanges the items of the two lists.
    void Swap(HDrawList& other);

    int32_t CountSelected() const;
    // Paints every item from the head; the only selected item shows its handles unless
    // shift is held. Returns 1.
    int DrawAll(HDrawContext& dc, int shiftDown = 0) const;
    // The same for the items that reach into visible (their bounds widened by their pens);
    // the others would leave no mark there. Returns 1.
    int DrawVisible(HDrawContext& dc, int shiftDown, const HRect& visible) const;
    // From the item before start (the tail when start is null) toward the head: the first
    // item whose selection state is state.
    HItemCore* NextSelected(const HItemCore* start, int32_t state) const;
    // The same walk: the first item that the point hits.
    HItemCore* HitTestFrom(const HItemCore* start, HPoint point) const;
    // The item before item, or the tail for null.
    HItemCore* GetPrevious(const HItemCore* item) const;
    // Sets every item's selection. Returns 1.
    int SetAllSelected(int32_t state);

    // The item a section key names: the first from the head of the key's kind and id.
    // "LINE_" and unknown prefixes never resolve.
    HItemCore* FindByKey(std::string_view key) const;
    // The box kind and id a section key names as FindByKey reads it. Returns 0 for "LINE_"
    // and unknown prefixes.
    static int ParseBoxKey(std::string_view key, int32_t& kind, int32_t& id);

    // The items in list order, head first; empty when the list is empty or its links run
    // past the count.
    std::vector<HItemCore*> Snapshot() const;
    // Rebuilds the links from items in order (the list keeps owning them). Returns 0 and
    // empties the list links for an empty array.
    int Relink(const std::vector<HItemCore*>& items);

    // Z-order of the one selected item. Each returns 0 for fewer than two items.
    int SendToHead();
    int BringToTail();
    int StepTowardTail();
    int StepTowardHead();

    // Deletes the first selected item from the head with every line of lineList attached
    // to it, telling the ends of each line. Returns 1 if an item was removed.
    int RemoveFirstSelectedWithLines(HDrawList& lineList);
    // Deletes every selected item (lines), telling their ends. Returns 0 when empty.
    int RemoveSelected();

private:
    const HItemCore* ItemWithHandles(int shiftDown) const;

    void Invalidate() { m_index.clear(); }
    // The frame of the z-order moves: endItem is the head or the tail the move goes to.
    int Reorder(const HItemCore* endItem, void (*move)(std::vector<HItemCore*>&));

    int32_t m_count = 0;
    HItemCore* m_head = nullptr;
    HItemCore* m_tail = nullptr;
    // Built on first use after a change: kind and id to the first such item from the head.
    mutable std::unordered_map<int64_t, HItemCore*> m_index;
};

}  // namespace zarvik
