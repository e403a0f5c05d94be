#include "core/items/item_line.h"

#include <algorithm>
#include <cmath>

#include "core/items/item_kinds.h"
#include "core/port/draw_context.h"
#include "core/records/info_core.h"
#include "core/records/state_hash.h"

namespace zarvik {
namespace {

constexpr double kArrowLength = 10;
constexpr double kArrowHalfWidth = 5;

double Distance(HPoint a, HPoint b) {
    return std::hypot(double(a.x) - b.x, double(a.y) - b.y);
}

HPoint Minus(HPoint a, HPoint b) {
    return HPoint{a.x - b.x, a.y - b.y};
}

// The pointer position when the item is the mouse cursor of a line being drawn.
const HItemMouseCursor* AsMouseCursor(const HItemObject* item) {
    return dynamic_cast<const HItemMouseCursor*>(item);
}

// Truncates toward zero, but takes a value within rounding noise of a whole number as
// that number: cos(π/2) is not exactly 0 in floating point, and an axis-parallel arrow
// would otherwise lose a unit on one side.
int32_t TruncateCoordinate(double value) {
    const double nearest = std::round(value);
    return std::fabs(value - nearest) < 1e-9 ? static_cast<int32_t>(nearest)
                                             : static_cast<int32_t>(value);
}

void DrawArrowhead(HDrawContext& dc, HPoint start, HPoint tip) {
    HPoint first, second;
    ArrowheadCorners(start, tip, first, second);
    dc.Polygon({tip, first, second});
}

}  // namespace

void ArrowheadCorners(HPoint start, HPoint tip, HPoint& first, HPoint& second) {
    const double phi = -std::atan2(double(tip.x - start.x), double(tip.y - start.y));
    const double c = std::cos(phi), s = std::sin(phi);
    first = HPoint{TruncateCoordinate(tip.x + kArrowHalfWidth * c + kArrowLength * s),
                   TruncateCoordinate(tip.y + kArrowHalfWidth * s - kArrowLength * c)};
    second = HPoint{TruncateCoordinate(tip.x - kArrowHalfWidth * c + kArrowLength * s),
                    TruncateCoordinate(tip.y - kArrowHalfWidth * s - kArrowLength * c)};
}

HItemLine::HItemLine() {
    kind = kKindLine;
}

void HItemLine::AddOwnStateTo(HStateHash& hash) const {
    hash.Add(fromOffset);
    hash.Add(toOffset);
    hash.Add(lineType, 0);
    for (const HItemObject* end : {fromItem, toItem}) {
        hash.Add(end != nullptr ? 1 : 0, 0);
        if (end != nullptr) {
            hash.Add(end->kind, end->id);
        }
    }
    hash.Add(fromKey);
    hash.Add(toKey);
}

void HItemLine::GetEndPoints(HPoint& from, HPoint& to) const {
    from = HPoint{};
    to = HPoint{};
    if (fromItem != nullptr) {
        from = HPoint{fromItem->position.x + fromOffset.x, fromItem->position.y + fromOffset.y};
    }
    if (const HItemMouseCursor* cursor = AsMouseCursor(toItem)) {
        to = cursor->pointer;
    } else if (toItem != nullptr) {
        to = HPoint{toItem->position.x + toOffset.x, toItem->position.y + toOffset.y};
    }
}

int HItemLine::IsHidden() const {
    if (fromItem != nullptr && fromItem->lineHide == 1) {
        return 1;
    }
    return toItem != nullptr && AsMouseCursor(toItem) == nullptr && toItem->lineHide == 1 ? 1 : 0;
}

int HItemLine::Draw(HDrawContext& dc, int) const {
    if (IsHidden()) {
        return 1;
    }
    HPoint from, to;
    GetEndPoints(from, to);
    const auto oldPen = dc.SelectPen(Selected() == 1 ? penSelected : penNormal);
    dc.Line(from, to);
    const auto oldBrush = dc.SelectBrush(brush);
    if (lineType == kLineArrowTo) {
        DrawArrowhead(dc, from, to);
    } else if (lineType == kLineArrowBoth) {
        DrawArrowhead(dc, to, from);
        DrawArrowhead(dc, from, to);
    }
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
    if (Selected() == 1) {
        const auto penBefore = dc.SelectPen(penGuide);
        for (HPoint end : {from, to}) {
            dc.Ellipse(HRect{end.x - kLineEndRadius, end.y - kLineEndRadius, end.x + kLineEndRadius,
                             end.y + kLineEndRadius});
        }
        dc.SelectPen(penBefore);
    }
    return 1;
}

int32_t HItemLine::HitTest(HPoint p) const {
    HPoint a, b;
    GetEndPoints(a, b);
    if (Distance(p, a) <= kLineEndRadius) {
        return kHitLineFrom;
    }
    if (Distance(p, b) <= kLineEndRadius) {
        return kHitLineTo;
    }
    if (IsHidden()) {
        return 0;
    }
    const double length = Distance(a, b);
    double distance = 1e17;
    if (length >= 0.00001) {
        distance = std::fabs(double(a.y) * b.x - double(a.x) * b.y + double(a.x - b.x) * p.y +
                             double(b.y - a.y) * p.x) /
                   length;
    }
    const bool inBounds =
        p.x >= std::min(a.x, b.x) - kLineEndRadius && p.x < std::max(a.x, b.x) + kLineEndRadius &&
        p.y >= std::min(a.y, b.y) - kLineEndRadius && p.y < std::max(a.y, b.y) + kLineEndRadius;
    return distance <= kLineHitTolerance && inBounds ? kHitBody : 0;
}

int HItemLine::GetBoundRect(HRect& rect) const {
    HPoint a, b;
    GetEndPoints(a, b);
    rect = HRect{std::min(a.x, b.x) - kLineEndRadius, std::min(a.y, b.y) - kLineEndRadius,
                 std::max(a.x, b.x) + kLineEndRadius, std::max(a.y, b.y) + kLineEndRadius};
    return 1;
}

int HItemLine::DragEnd(int32_t hitCode, HPoint point) {
    HItemObject* end = hitCode == kHitLineFrom ? fromItem
                       : hitCode == kHitLineTo ? toItem
                                               : nullptr;
    if (end == nullptr) {
        return 0;
    }
    HPoint out;
    if (!end->GetPointOnObject(point, out)) {
        return 0;
    }
    (hitCode == kHitLineFrom ? fromOffset : toOffset) = Minus(out, end->position);
    return 1;
}

void HItemLine::ReprojectEnd(const HItemObject& endItem, HPoint& offset) const {
    const HPoint point{endItem.position.x + offset.x, endItem.position.y + offset.y};
    HPoint out;
    if (endItem.GetPointOnObject(point, out)) {
        offset = Minus(out, endItem.position);
    }
}

void HItemLine::ReprojectEndsOn(const HItemObject& item) {
    if (fromItem == &item) {
        ReprojectEnd(item, fromOffset);
    }
    if (toItem == &item) {
        ReprojectEnd(item, toOffset);
    }
}

int HItemLine::RerouteEnds() {
    if (fromItem == nullptr || toItem == nullptr) {
        return 0;
    }
    HPoint fromOut, toOut;
    if (!fromItem->GetShorcutPointOnObject(toItem->Centre(), fromOut) ||
        !toItem->GetShorcutPointOnObject(fromItem->Centre(), toOut)) {
        return 0;
    }
    fromOffset = Minus(fromOut, fromItem->position);
    toOffset = Minus(toOut, toItem->position);
    return 1;
}

void HItemLine::Reverse() {
    std::swap(fromItem, toItem);
    std::swap(fromOffset, toOffset);
}

void HItemLine::ToggleBothArrows() {
    lineType = lineType == kLineArrowBoth ? kLineArrowTo : kLineArrowBoth;
}

void HItemLine::ToggleNoArrow() {
    lineType = lineType == kLineNoArrow ? kLineArrowTo : kLineNoArrow;
}

std::string HItemLine::DescribeLine() const {
    std::string text = "関係線";
    auto describe = [&text](const char* label, const HItemObject* item) {
        const HInfoCore* record = item != nullptr ? item->Record() : nullptr;
        if (record != nullptr) {
            text += std::string("\r\n") + label + " [" + record->typeLabel + "] " + record->name;
        }
    };
    describe("From", fromItem);
    describe("To", toItem);
    return text;
}

}  // namespace zarvik
