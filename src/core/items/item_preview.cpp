#include "core/items/item_preview.h"

#include "core/items/item_kinds.h"
#include "core/items/item_line.h"

namespace zarvik {
namespace {

int32_t CentredOrMargin(int32_t area, int32_t item) {
    return item + 2 * kPreviewMargin < area ? (area - item) / 2 : kPreviewMargin;
}

// Puts the numbering back however the scratch items leave it.
class HCountersKept {
public:
    HCountersKept() : m_saved(SaveItemCounters()) {}
    ~HCountersKept() { RestoreItemCounters(m_saved); }
    HCountersKept(const HCountersKept&) = delete;
    HCountersKept& operator=(const HCountersKept&) = delete;

private:
    HItemCounters m_saved;
};

}  // namespace

HPoint BoxPreviewPosition(HSize area, HSize item) {
    return HPoint{CentredOrMargin(area.cx, item.cx), CentredOrMargin(area.cy, item.cy)};
}

bool LinePreviewEnds(HSize area, HPoint& from, HPoint& to) {
    if (area.cx < 2 * kPreviewMargin || area.cy < 2 * kPreviewMargin) {
        return false;
    }
    from = HPoint{kPreviewMargin, kPreviewMargin};
    to = HPoint{area.cx - kPreviewMargin, area.cy - kPreviewMargin};
    return true;
}

int DrawBoxPreview(HDrawContext& dc, HSize area, int32_t kind, const HInfoItemObject& box,
                   const std::string& name, int selected, int showHandles) {
    const HCountersKept kept;
    const std::unique_ptr<HItemObject> item = MakeBoxItem(kind);
    if (item == nullptr) {
        return 0;
    }
    item->HInfoItemCore::CopyFrom(box);
    item->size = box.size;
    item->position = BoxPreviewPosition(area, box.size);
    if (HInfoCore* record = item->Record()) {
        record->name = name;
    }
    item->SetSelected(selected);
    return item->Draw(dc, showHandles);
}

int DrawLinePreview(HDrawContext& dc, HSize area, const HInfoItemCore& attributes, int selected) {
    HPoint from, to;
    if (!LinePreviewEnds(area, from, to)) {
        return 0;
    }
    const HCountersKept kept;
    HItemMouseCursor fromEnd;
    HItemMouseCursor toEnd;
    fromEnd.position = from;
    toEnd.pointer = to;
    HItemLine line;
    line.HInfoItemCore::CopyFrom(attributes);
    line.fromItem = &fromEnd;
    line.toItem = &toEnd;
    line.lineType = kLineArrowTo;
    line.SetSelected(selected);
    return line.Draw(dc, 0);
}

}  // namespace zarvik
