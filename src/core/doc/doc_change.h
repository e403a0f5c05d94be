#pragma once
// What views hear from the document: one notice after every change, saying what changed,
// and one before items are destroyed or replaced, whatever route the change took (a
// command, a gesture on the canvas, undo, redo, new, open, a sheet's OK).

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zarvik {

class HItemCore;

// What a change touched, one bit each.
enum HChangeFlag : uint32_t {
    kChangeStructure = 1u << 0,  // items added or removed, stacking order
    kChangeGeometry = 1u << 1,   // positions, sizes, labels, line ends
    kChangeSelection = 1u << 2,
    kChangeRecords = 1u << 3,  // names, function settings, appearance, gathered links
    kChangeEstimate = 1u << 4,
    kChangeRules = 1u << 5,     // the rules in force: counts and values may follow
    kChangeTitle = 1u << 6,     // path name and title
    kChangeModified = 1u << 7,  // the document's changed state turned
};
// An edit of the items, as a gesture or the item list makes one.
inline constexpr uint32_t kChangeEdit = kChangeStructure | kChangeGeometry | kChangeRecords;
// Everything about the items: what undo, redo, new and open bring.
inline constexpr uint32_t kChangeItems = kChangeEdit | kChangeSelection;

struct HDocChange {
    uint32_t what = 0;
    // The box the item list is to bring into view (a click left it the only selected
    // one); null for none.
    HItemCore* bringIntoView = nullptr;

    bool Has(uint32_t flags) const { return (what & flags) != 0; }
};

// The items about to be destroyed: every item when the lists are replaced, else those
// listed.
struct HItemsGoing {
    int all = 0;
    std::vector<const HItemCore*> items;

    bool Contains(const HItemCore* item) const {
        return all == 1 || std::find(items.begin(), items.end(), item) != items.end();
    }
};

class HDocObserver {
public:
    virtual ~HDocObserver() = default;
    // The items are still alive: whatever refers to one of them lets go of it now.
    virtual void OnItemsAboutToGo(const HItemsGoing& /*going*/) {}
    // After a change, once, when everything is consistent again.
    virtual void OnDocumentChanged(const HDocChange& /*change*/) {}
};

}  // namespace zarvik
