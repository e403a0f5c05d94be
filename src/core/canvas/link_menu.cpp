#include "core/canvas/link_menu.h"

#include "core/canvas/zoom.h"
#include "core/items/draw_list.h"
#include "core/items/item_line.h"
#include "core/items/item_object.h"
#include "core/records/info_core.h"

namespace zarvik {

namespace {

// The name of an end that can be offered, nullptr for none (no item, or the pointer end of
// a line being drawn).
const std::string* NameOf(const HItemObject* item) {
    const HInfoCore* record = item != nullptr ? item->Record() : nullptr;
    return record != nullptr ? &record->name : nullptr;
}

int Contains(const HDrawList& list, const HItemCore* item) {
    for (const HItemCore* it = list.Head(); it != nullptr; it = it->next) {
        if (it == item) {
            return 1;
        }
    }
    return 0;
}

}  // namespace

int32_t HLinkJumpTable::Add(HItemObject* item) {
    if (m_count >= kLinkCommandCount) {
        return 0;
    }
    m_items[static_cast<std::size_t>(m_count)] = item;
    return kLinkCommandFirst + m_count++;
}

HItemObject* HLinkJumpTable::ItemOf(int32_t commandId) const {
    const int32_t k = commandId - kLinkCommandFirst;
    if (k < 0 || k >= kLinkCommandCount) {
        return nullptr;
    }
    return m_items[static_cast<std::size_t>(k)];
}

std::vector<HLinkEntry> BuildBoxLinks(const HDrawList& lines, const HItemObject& box,
                                      HLinkJumpTable& table) {
    std::vector<HLinkEntry> top;  // in the order handed out; shown reversed
    std::vector<HLinkEntry> bottom;
    for (const HItemCore* item = lines.Tail(); item != nullptr; item = item->previous) {
        const auto* line = dynamic_cast<const HItemLine*>(item);
        if (line == nullptr) {
            continue;
        }
        if (line->fromItem == &box) {
            if (const std::string* name = NameOf(line->toItem)) {
                const int32_t id = table.Add(line->toItem);
                if (id == 0) {
                    break;
                }
                top.push_back(HLinkEntry{id, "To: " + *name});
            }
        }
        if (line->toItem == &box) {
            if (const std::string* name = NameOf(line->fromItem)) {
                const int32_t id = table.Add(line->fromItem);
                if (id == 0) {
                    break;
                }
                bottom.push_back(HLinkEntry{id, "From: " + *name});
            }
        }
    }
    std::vector<HLinkEntry> entries(top.rbegin(), top.rend());
    entries.insert(entries.end(), bottom.begin(), bottom.end());
    return entries;
}

std::vector<HLinkEntry> BuildLineLinks(const HItemLine& line, HLinkJumpTable& table) {
    // Each end is offered only when it is there to jump to.
    std::vector<HLinkEntry> entries;
    if (const std::string* name = NameOf(line.toItem)) {
        if (const int32_t id = table.Add(line.toItem)) {
            entries.push_back(HLinkEntry{id, "To: " + *name});
        }
    }
    if (const std::string* name = NameOf(line.fromItem)) {
        if (const int32_t id = table.Add(line.fromItem)) {
            entries.push_back(HLinkEntry{id, "From: " + *name});
        }
    }
    return entries;
}

HJumpResult JumpToItem(HDrawList& boxes, HDrawList& lines, HItemCore* target, int centre,
                       int toggle, const HJumpView& view) {
    HJumpResult result;
    const int32_t wasSelected = target != nullptr ? target->Selected() : 0;
    boxes.SetAllSelected(0);
    lines.SetAllSelected(0);
    if (target == nullptr) {
        return result;
    }
    if (centre == 1) {
        HRect rect;
        target->GetBoundRect(rect);
        // The bound rectangle is in canvas units, the scroll position in pixels.
        const int32_t left = CanvasToPixels(rect.left, view.zoom);
        const int32_t top = CanvasToPixels(rect.top, view.zoom);
        const int32_t width = CanvasToPixels(rect.Width(), view.zoom);
        const int32_t height = CanvasToPixels(rect.Height(), view.zoom);
        result.scroll = 1;
        result.scrollTo =
            HPoint{(view.hasHorizontalBar ? left : 0) + width / 2 - view.client.cx / 2,
                   (view.hasVerticalBar ? top : 0) + height / 2 - view.client.cy / 2};
    }
    if (!(toggle == 1 && wasSelected == 1)) {
        target->SetSelected(1);
    }
    return result;
}

HJumpResult RunLinkCommand(int32_t commandId, const HLinkJumpTable& table, HDrawList& boxes,
                           HDrawList& lines, const HJumpView& view, int* done) {
    HItemObject* target = table.ItemOf(commandId);
    // The table outlives its menu; an item deleted since is not jumped to.
    if (target == nullptr || !Contains(boxes, target)) {
        if (done != nullptr) {
            *done = 0;
        }
        return {};
    }
    if (done != nullptr) {
        *done = 1;
    }
    return JumpToItem(boxes, lines, target, 1, 0, view);
}

}  // namespace zarvik
