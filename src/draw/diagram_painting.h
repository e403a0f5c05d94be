#pragma once
// The document's items on a painter, as the canvas paints them but without selection
// handles: the printer and the exported pictures draw the diagram here.

#include <QPainter>
#include <QPointF>
#include <optional>
#include <vector>

#include "core/port/gdi_types.h"

namespace zarvik {
class HFlowDocument;
class HItemCore;
}  // namespace zarvik

namespace zarvik::draw {

// A rectangle (canvas units) filled before the items, without an outline.
struct HBackdrop {
    HRect rect;
    HColorRef colour = 0;
};

// Every item in the order the canvas paints them: the boxes from the lowest, then the lines.
std::vector<const HItemCore*> ItemsInPaintingOrder(const HFlowDocument& doc);

// The rectangle (canvas units) the items may paint; empty at the origin without items.
HRect DiagramBounds(const HFlowDocument& doc);

// Draws the backdrop, then items in order, onto painter: the device shows canvas units
// scaled by scale, origin (a canvas point) at its top left.
void DrawItems(QPainter& painter, const std::vector<const HItemCore*>& items, double scale,
               QPointF origin, const std::optional<HBackdrop>& backdrop);

// The whole diagram of doc the same way.
void DrawDiagram(QPainter& painter, const HFlowDocument& doc, double scale, QPointF origin,
                 const std::optional<HBackdrop>& backdrop);

}  // namespace zarvik::draw
