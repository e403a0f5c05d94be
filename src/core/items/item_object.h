#pragma once
// A box item: the common box rules for hit testing, the bounding rectangle and dragging a
// handle or the label, and the two connection-point operations lines use.

#include <cstdint>
#include <string>

#include "core/items/item_core.h"
#include "core/records/info_item.h"

namespace zarvik {

// Half the side of a resize handle square.
inline constexpr int32_t kHandleHalf = 5;

class HItemObject : public HItemCore, public HInfoItemObject {
public:
    HInfoItemCore* Attributes() override { return this; }
    const HInfoItemCore* Attributes() const override { return this; }
    HItemObject() = default;

    int32_t HitTest(HPoint point) const override;
    int GetBoundRect(HRect& rect) const override;
    int DragPart(int32_t hitCode, HPoint delta, HDrawList& lineList) override;

    // The outline point nearest to target.
    virtual int GetPointOnObject(HPoint target, HPoint& out) const;
    // The point where the path from the centre toward target leaves the outline.
    virtual int GetShorcutPointOnObject(HPoint target, HPoint& out) const;

    // The box (x, y) to (x + width, y + height).
    HRect Box() const;
    HPoint Centre() const;
    // The name with backslash-n and backslash-r turned into line breaks.
    std::string DisplayText() const;
    // The label rectangle in canvas coordinates when it stands at its free point.
    HRect LabelRect() const;

protected:
    // Sets kind, sizes and the default name at construction.
    void InitBox(int32_t boxKind, HSize defaultSize, HSize minimumSize, const char* nameFormat);
    // The body test of the box rule; boxes are hit on their edges too.
    virtual int BodyContains(HPoint point) const;
    // A kind's own adjustment after an accepted resize.
    virtual void AfterResize(int32_t) {}
};

// A display text: backslash-n becomes a line feed, backslash-r a carriage return.
std::string ToDisplayText(const std::string& name);

}  // namespace zarvik
