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

// value held to [low, high]; low wins should the bounds cross.
int64_t Bounded(int64_t value, int64_t low, int64_t high) {
    return std::max(low, std::min(value, high));
}

int32_t Coordinate(int64_t value) {
    return static_cast<int32_t>(Bounded(value, -kCoordinateLimit, kCoordinateLimit));
}

// A moved near edge: its new position, held so that the distance to the far edge, which
// stays where it is, is within the coordinate limit.
int64_t MovedNearEdge(int64_t wanted, int64_t farEdge) {
    return Bounded(wanted, std::max<int64_t>(-kCoordinateLimit, farEdge - kCoordinateLimit),
                   kCoordinateLimit);
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
            text.labelOffset = HPoint{Coordinate(int64_t{text.labelDragStart.x} + delta.x),
                                      Coordinate(int64_t{text.labelDragStart.y} + delta.y)};
            break;
        // Positions and sizes stay within the coordinate limit: a handle dragged past it
        // stops there, the opposite edge staying where it is.
        case kHitTop: {
            const int64_t bottom = int64_t{position.y} + size.cy;
            const int64_t newY = MovedNearEdge(int64_t{dragOrigin.y} + delta.y, bottom);
            if (bottom - newY < minSize.cy) {
                return 0;
            }
            position.y = static_cast<int32_t>(newY);
            size.cy = static_cast<int32_t>(bottom - newY);
            break;
        }
        case kHitLeft: {
            const int64_t right = int64_t{position.x} + size.cx;
            const int64_t newX = MovedNearEdge(int64_t{dragOrigin.x} + delta.x, right);
            if (right - newX < minSize.cx) {
                return 0;
            }
            position.x = static_cast<int32_t>(newX);
            size.cx = static_cast<int32_t>(right - newX);
            break;
        }
        case kHitBottom: {
            const int64_t height = int64_t{dragOriginSize.cy} + delta.y;
            if (height < minSize.cy) {
                return 0;
            }
            size.cy = Coordinate(height);
            break;
        }
        case kHitRight: {
            const int64_t width = int64_t{dragOriginSize.cx} + delta.x;
            if (width < minSize.cx) {
                return 0;
            }
            size.cx = Coordinate(width);
            break;
        }
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
