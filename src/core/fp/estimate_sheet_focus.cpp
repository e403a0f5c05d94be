#include "core/fp/estimate_sheet_focus.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace zarvik {
namespace {

// The boxes the keyboard and the mouse reach, by id.
std::vector<const HInfoKantanItem*> ForegroundById(const std::vector<HInfoKantanItem>& items) {
    std::vector<const HInfoKantanItem*> boxes;
    for (const HInfoKantanItem& item : items) {
        if (item.background == 0) {
            boxes.push_back(&item);
        }
    }
    std::sort(boxes.begin(), boxes.end(),
              [](const HInfoKantanItem* a, const HInfoKantanItem* b) { return a->id < b->id; });
    return boxes;
}

// Twice the centre, so that it stays whole.
HPoint Centre2(const HInfoKantanItem& item) {
    return {2 * item.x + item.width, 2 * item.y + item.height};
}

}  // namespace

int32_t KantanBoxAt(const std::vector<HInfoKantanItem>& items, HPoint point) {
    for (const HInfoKantanItem& item : items) {
        if (item.background == 0 && point.x >= item.x && point.x < item.x + item.width &&
            point.y >= item.y && point.y < item.y + item.height) {
            return item.id;
        }
    }
    return 0;
}

int32_t NextKantanFocus(const std::vector<HInfoKantanItem>& items, int32_t current, int step) {
    const std::vector<const HInfoKantanItem*> boxes = ForegroundById(items);
    if (boxes.empty()) {
        return 0;
    }
    const int count = static_cast<int>(boxes.size());
    const auto found =
        std::find_if(boxes.begin(), boxes.end(),
                     [current](const HInfoKantanItem* b) { return b->id == current; });
    if (found == boxes.end()) {
        return step < 0 ? boxes.back()->id : boxes.front()->id;
    }
    const int at = static_cast<int>(found - boxes.begin());
    return boxes[static_cast<std::size_t>(((at + (step < 0 ? -1 : 1)) % count + count) % count)]
        ->id;
}

int32_t KantanNeighbour(const std::vector<HInfoKantanItem>& items, int32_t current, int dx,
                        int dy) {
    const HInfoKantanItem* from = FindKantanItem(items, current);
    if (from == nullptr || from->background != 0) {
        return NextKantanFocus(items, 0, 1);
    }
    const HPoint origin = Centre2(*from);
    int32_t best = current;
    int64_t bestScore = std::numeric_limits<int64_t>::max();
    for (const HInfoKantanItem* box : ForegroundById(items)) {
        const HPoint c = Centre2(*box);
        const int64_t along =
            dx != 0 ? int64_t{dx} * (c.x - origin.x) : int64_t{dy} * (c.y - origin.y);
        const int64_t across =
            dx != 0 ? std::llabs(int64_t{c.y} - origin.y) : std::llabs(int64_t{c.x} - origin.x);
        if (box->id == current || along <= 0) {
            continue;
        }
        // Strictly less: of equals the first by id stays.
        if (along + across < bestScore) {
            bestScore = along + across;
            best = box->id;
        }
    }
    return best;
}

HSize KantanExtent(const std::vector<HInfoKantanItem>& items) {
    HSize extent;
    for (const HInfoKantanItem& item : items) {
        extent.cx = std::max(extent.cx, item.x + item.width + kKantanGridX);
        extent.cy = std::max(extent.cy, item.y + item.height + kKantanGridY);
    }
    return extent;
}

}  // namespace zarvik
