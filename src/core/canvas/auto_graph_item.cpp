#include "core/canvas/auto_graph_item.h"

#include <algorithm>

#include "core/items/item_object.h"

namespace zarvik {

HAutoGraphItem MakeAutoGraphItem(HItemObject& box, int32_t order) {
    HAutoGraphItem item;
    item.box = &box;
    const int32_t halfWidth = box.size.cx / 2;
    const int32_t halfHeight = box.size.cy / 2;
    item.centre = HVector(static_cast<double>(box.position.x) + halfWidth,
                          static_cast<double>(box.position.y) + halfHeight);
    item.radius = std::max(halfWidth, halfHeight);
    item.order = order;
    return item;
}

}  // namespace zarvik
