#include "draw/diagram_painting.h"

#include <algorithm>

#include "core/doc/flow_document.h"
#include "core/items/draw_list.h"
#include "core/items/item_core.h"
#include "core/records/info_item.h"
#include "draw/qt_draw_context.h"

namespace zarvik::draw {

std::vector<const HItemCore*> ItemsInPaintingOrder(const HFlowDocument& doc) {
    std::vector<const HItemCore*> items;
    items.reserve(static_cast<std::size_t>(doc.Boxes().Count() + doc.Lines().Count()));
    for (const HDrawList* list : {&doc.Boxes(), &doc.Lines()}) {
        for (const HItemCore* item = list->Head(); item != nullptr; item = item->next) {
            items.push_back(item);
        }
    }
    return items;
}

HRect DiagramBounds(const HFlowDocument& doc) {
    std::optional<HRect> all;
    for (const HItemCore* item : ItemsInPaintingOrder(doc)) {
        const HRect r = PaintedBounds(*item);
        all = all ? HRect{std::min(all->left, r.left), std::min(all->top, r.top),
                          std::max(all->right, r.right), std::max(all->bottom, r.bottom)}
                  : r;
    }
    return all.value_or(HRect{0, 0, 0, 0});
}

void DrawItems(QPainter& painter, const std::vector<const HItemCore*>& items, double scale,
               QPointF origin, const std::optional<HBackdrop>& backdrop) {
    HQtDrawContext dc(painter, scale, origin);
    if (backdrop) {
        const auto oldPen = dc.SelectPen(std::nullopt);
        const auto oldBrush = dc.SelectBrush(SolidBrush(backdrop->colour));
        dc.Rectangle(backdrop->rect);
        dc.SelectBrush(oldBrush);
        dc.SelectPen(oldPen);
    }
    for (const HItemCore* item : items) {
        item->Draw(dc, 0);
    }
}

void DrawDiagram(QPainter& painter, const HFlowDocument& doc, double scale, QPointF origin,
                 const std::optional<HBackdrop>& backdrop) {
    DrawItems(painter, ItemsInPaintingOrder(doc), scale, origin, backdrop);
}

}  // namespace zarvik::draw
