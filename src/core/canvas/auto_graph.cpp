#include "core/canvas/auto_graph.h"

#include <utility>

#include "core/app/info_system.h"
#include "core/canvas/auto_graph_random.h"
#include "core/items/draw_list.h"
#include "core/items/item_object.h"

namespace zarvik {

HAutoGraphOptions AutoGraphOptionsFrom(const HInfoSystem& settings,
                                       std::function<HSize()> canvasSize) {
    HAutoGraphOptions options;
    options.fpOnly = settings.AutoGraphCheckFpOnly;
    options.showOnly = settings.AutoGraphCheckShowOnly;
    options.canvasSize = std::move(canvasSize);
    return options;
}

HAutoGraph::HAutoGraph(HDrawList& boxes, HDrawList& lines, HAutoGraphOptions options)
    : m_boxes(boxes),
      m_lines(lines),
      m_options(std::move(options)),
      m_random(m_options.random != nullptr ? *m_options.random : m_ownRandom) {}

void HAutoGraph::BuildItems() {
    m_items.clear();
    m_indexes.clear();
    m_items.reserve(static_cast<size_t>(m_boxes.Count()));
    // From the top of the list (its tail) down, so ties go to the higher box.
    for (HItemCore* item = m_boxes.Tail(); item != nullptr; item = item->previous) {
        if (auto* box = dynamic_cast<HItemObject*>(item)) {
            m_items.push_back(MakeAutoGraphItem(*box, static_cast<int32_t>(m_items.size())));
        }
    }
}

bool HAutoGraph::Participates(const HAutoGraphItem& node) const {
    const int32_t kind = node.box->kind;
    if (m_options.fpOnly == 1 && kind != kKindFile && kind != kKindTask) {
        return false;
    }
    return !(m_options.showOnly == 1 && node.box->lineHide == 1);
}

const HAutoGraphItem* HAutoGraph::FindNearest(const HAutoGraphItem& node, int32_t kind,
                                              double reach) const {
    if (m_options.linearSearch) {
        return NearestByScan(node, kind, reach);
    }
    const int32_t nearest = IndexFor(kind).Nearest(node.centre.x, node.centre.y, node.order, reach);
    return nearest < 0 ? nullptr : &m_items[static_cast<size_t>(nearest)];
}

const HAutoGraphItem* HAutoGraph::NearestByScan(const HAutoGraphItem& node, int32_t kind,
                                                double reach) const {
    const HAutoGraphItem* best = nullptr;
    double bestDistance = 0;
    for (const HAutoGraphItem& other : m_items) {
        if (other.order == node.order || !Participates(other) ||
            (kind != -1 && other.box->kind != kind)) {
            continue;
        }
        const double d = CentreDistance(node.centre, other.centre);
        if (best == nullptr || d < bestDistance) {
            best = &other;
            bestDistance = d;
        }
    }
    return best != nullptr && bestDistance <= reach ? best : nullptr;
}

const HAutoGraphIndex& HAutoGraph::IndexFor(int32_t kind) const {
    auto found = m_indexes.find(kind);
    if (found != m_indexes.end()) {
        return found->second;
    }
    std::vector<HAutoGraphPoint> points;
    for (const HAutoGraphItem& item : m_items) {
        if (Participates(item) && (kind == -1 || item.box->kind == kind)) {
            points.push_back(HAutoGraphPoint{item.centre.x, item.centre.y, item.order});
        }
    }
    HAutoGraphIndex& index = m_indexes[kind];
    index.Build(points);
    return index;
}

HSize HAutoGraph::CanvasSize() const {
    return m_options.canvasSize ? m_options.canvasSize() : HSize{};
}

}  // namespace zarvik
