#include "core/items/item_object.h"

#include <algorithm>

#include "core/items/draw_list.h"
#include "core/items/item_line.h"
#include "core/port/ui_port.h"
#include "core/records/info_core.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

constexpr const char* kReportLine = "\r\nこのダイアログが表示された場合には連絡をお願いします";

// A handle square: left and top edges inside, right and bottom outside.
bool InHandle(HPoint p, int32_t cx, int32_t cy) {
    return p.x >= cx - kHandleHalf && p.x < cx + kHandleHalf && p.y >= cy - kHandleHalf &&
           p.y < cy + kHandleHalf;
}

bool InHalfOpen(HPoint p, const HRect& r) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

HRect Union(const HRect& a, const HRect& b) {
    return HRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom)};
}

}  // namespace

std::string ToDisplayText(const std::string& name) {
    std::string text;
    text.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 1 < name.size() && (name[i + 1] == 'n' || name[i + 1] == 'r')) {
            text += name[i + 1] == 'n' ? '\n' : '\r';
            ++i;
        } else {
            text += name[i];
        }
    }
    return text;
}

void HItemObject::InitBox(int32_t boxKind, HSize defaultSize, HSize minimumSize,
                          const char* nameFormat) {
    kind = boxKind;
    size = defaultSize;
    minSize = minimumSize;
    if (HInfoCore* record = Record()) {
        record->name = Format(nameFormat, TakeNameNumber(boxKind));
    }
}

HRect HItemObject::Box() const {
    return HRect{position.x, position.y, position.x + size.cx, position.y + size.cy};
}

HPoint HItemObject::Centre() const {
    return HPoint{position.x + size.cx / 2, position.y + size.cy / 2};
}

std::string HItemObject::DisplayText() const {
    const HInfoCore* record = Record();
    return record != nullptr ? ToDisplayText(record->name) : std::string();
}

HRect HItemObject::LabelRect() const {
    HRect rect = text.MeasureLabel(DisplayText());
    rect.left += position.x;
    rect.right += position.x;
    rect.top += position.y;
    rect.bottom += position.y;
    return rect;
}

int HItemObject::BodyContains(HPoint p) const {
    return p.x >= position.x && p.x <= position.x + size.cx && p.y >= position.y &&
           p.y <= position.y + size.cy;
}

int32_t HItemObject::HitTest(HPoint p) const {
    int32_t hit = 0;
    if (Selected() == 1) {
        const int32_t midX = position.x + size.cx / 2;
        const int32_t midY = position.y + size.cy / 2;
        if (InHandle(p, midX, position.y)) {
            hit |= kHitTop;
        }
        if (InHandle(p, midX, position.y + size.cy)) {
            hit |= kHitBottom;
        }
        if (InHandle(p, position.x, midY)) {
            hit |= kHitLeft;
        }
        if (InHandle(p, position.x + size.cx, midY)) {
            hit |= kHitRight;
        }
    }
    if (text.freePoint == 1 && InHalfOpen(p, LabelRect())) {
        hit |= kHitLabel;
    }
    if (BodyContains(p)) {
        hit |= kHitBody;
    }
    return hit;
}

int HItemObject::GetBoundRect(HRect& rect) const {
    rect = HRect{position.x - kHandleHalf, position.y - kHandleHalf,
                 position.x + size.cx + kHandleHalf, position.y + size.cy + kHandleHalf};
    if (text.freePoint == 1) {
        rect = Union(rect, LabelRect());
    }
    return 1;
}

int HItemObject::DragPart(int32_t hitCode, HPoint delta, HDrawList& lineList) {
    switch (hitCode) {
        case kHitLabel:
            text.labelOffset =
                HPoint{text.labelDragStart.x + delta.x, text.labelDragStart.y + delta.y};
            break;
        case kHitTop: {
            const int32_t newY = dragOrigin.y + delta.y;
            const int32_t newHeight = position.y + size.cy - newY;
            if (newHeight < minSize.cy) {
                return 0;
            }
            position.y = newY;
            size.cy = newHeight;
            break;
        }
        case kHitLeft: {
            const int32_t newX = dragOrigin.x + delta.x;
            const int32_t newWidth = position.x + size.cx - newX;
            if (newWidth < minSize.cx) {
                return 0;
            }
            position.x = newX;
            size.cx = newWidth;
            break;
        }
        case kHitBottom:
            if (dragOriginSize.cy + delta.y < minSize.cy) {
                return 0;
            }
            size.cy = dragOriginSize.cy + delta.y;
            break;
        case kHitRight:
            if (dragOriginSize.cx + delta.x < minSize.cx) {
                return 0;
            }
            size.cx = dragOriginSize.cx + delta.x;
            break;
        default:
            return 0;
    }
    AfterResize(hitCode);
    for (HItemCore* item = lineList.Head(); item != nullptr; item = item->next) {
        if (auto* line = dynamic_cast<HItemLine*>(item)) {
            line->ReprojectEndsOn(*this);
        }
    }
    return 1;
}

int HItemObject::GetPointOnObject(HPoint, HPoint& out) const {
    out = HPoint{};
    UiPort().MessageBox(std::string("HItemObject::GetPointOnObject") + kReportLine, "Error",
                        HMsgIcon::Error, HMsgButtons::Ok);
    return 0;
}

int HItemObject::GetShorcutPointOnObject(HPoint, HPoint& out) const {
    out = HPoint{};
    UiPort().MessageBox(std::string("HItemObject::GetShorcutPointOnObject") + kReportLine, "Error",
                        HMsgIcon::Error, HMsgButtons::Ok);
    return 0;
}

}  // namespace zarvik
