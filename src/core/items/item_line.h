#pragma once
// A relation line between two boxes. Each end is kept as an offset from its box's
// position, so moving a box carries the end along.

#include <cstdint>
#include <string>

#include "core/items/item_core.h"
#include "core/records/info_item.h"

namespace zarvik {

class HItemObject;

// Greatest distance from the segment that still hits the line.
inline constexpr double kLineHitTolerance = 3;
// Radius of the end handles; distance that hits an end; margin of the bounding rectangle.
inline constexpr int32_t kLineEndRadius = 5;

// Arrow styles.
inline constexpr int32_t kLineArrowTo = 0;
inline constexpr int32_t kLineNoArrow = 1;
inline constexpr int32_t kLineArrowBoth = 2;

class HItemLine : public HItemCore, public HInfoItemCore {
public:
    HInfoItemCore* Attributes() override { return this; }
    const HInfoItemCore* Attributes() const override { return this; }
    HInfoCore* Record() override { return nullptr; }
    const HInfoCore* Record() const override { return nullptr; }
    HItemLine();

    int Draw(HDrawContext& dc, int showHandles) const override;
    int32_t HitTest(HPoint point) const override;
    int GetBoundRect(HRect& rect) const override;
    int DragPart(int32_t, HPoint, HDrawList&) override { return 0; }

    // The two end points in canvas coordinates. While the line is being drawn its to end
    // is the mouse-cursor item's pointer position.
    void GetEndPoints(HPoint& from, HPoint& to) const;
    // 1 when an end box hides its lines.
    int IsHidden() const;
    // Moves one end (kHitLineFrom or kHitLineTo) to the outline point of its box nearest
    // to point. Returns 0 for another code or an end that is not a box.
    int DragEnd(int32_t hitCode, HPoint point);
    // After endItem changed size: moves the stored offset to the nearest outline point.
    void ReprojectEnd(const HItemObject& endItem, HPoint& offset) const;
    // Re-projects whichever ends lie on item.
    void ReprojectEndsOn(const HItemObject& item);
    // Places both ends where the path between the two box centres leaves each box.
    // Returns 0 when an end is not a box.
    int RerouteEnds();
    // Swaps the two ends.
    void Reverse();
    // Both arrowheads, or back to one at the to end.
    void ToggleBothArrows();
    // No arrowhead, or back to one at the to end.
    void ToggleNoArrow();
    // "関係線" and the two ends' type labels and names.
    std::string DescribeLine() const;

    HItemObject* fromItem = nullptr;  // not owned
    HItemObject* toItem = nullptr;    // not owned
    HPoint fromOffset;
    HPoint toOffset;
    int32_t lineType = kLineArrowTo;
    std::string fromKey;  // section keys read from a document until they are resolved
    std::string toKey;

protected:
    // The ends' offsets, arrow style and keys, and the kind and id of each end box.
    void AddOwnStateTo(HStateHash& hash) const override;
};

// The two base corners of the arrowhead at tip for a segment from start.
void ArrowheadCorners(HPoint start, HPoint tip, HPoint& first, HPoint& second);

}  // namespace zarvik
