#include "core/canvas/auto_graph_separation.h"

#include <algorithm>

#include "core/canvas/auto_graph_forces.h"
#include "core/items/item_object.h"

namespace zarvik {

void HAutoGraphSeparation::Load(const std::vector<HAutoGraphItem>& nodes,
                                const std::vector<bool>& participates) {
    m_nodes = nodes;
    m_positions.clear();
    m_sizes.clear();
    m_participates.clear();
    m_largestRadius = 0;
    for (size_t i = 0; i < nodes.size(); ++i) {
        m_positions.push_back(nodes[i].box->position);
        m_sizes.push_back(nodes[i].box->size);
        m_participates.push_back(participates[i] ? 1 : 0);
        if (participates[i]) {
            m_largestRadius = std::max(m_largestRadius, nodes[i].radius);
        }
    }
    // A nearest node farther than this cannot push, whichever it is.
    m_reach.clear();
    for (const HAutoGraphItem& node : nodes) {
        m_reach.push_back(static_cast<double>(node.radius) + m_largestRadius + 1);
    }
    HAutoGraphPoint none;
    none.order = -1;
    m_nearest.assign(nodes.size(), none);
}

int64_t HAutoGraphSeparation::Repeat(HSize canvas) {
    if (m_nodes.empty()) {
        return 0;
    }
    RebuildCentres();
    // Both the pushes and the centre step go from the centres at the start, so each node
    // takes its push and then the step before the next node's turn.
    const HVector step = StepToMiddle(canvas);
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        // A node that does not take part is still clamped into the canvas.
        const HVector push = m_participates[i] ? Push(i) : HVector();
        m_positions[i] = ForcedPosition(m_positions[i], m_sizes[i], push, canvas);
        m_positions[i] = ForcedPosition(m_positions[i], m_sizes[i], step, canvas);
    }
    return kNodeWork * static_cast<int64_t>(m_nodes.size()) + m_index.Visits();
}

void HAutoGraphSeparation::Store() const {
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        m_nodes[i].box->position = m_positions[i];
    }
}

void HAutoGraphSeparation::RebuildCentres() {
    m_points.clear();
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        // As MakeAutoGraphItem takes them; the size, and so the radius, stays.
        HAutoGraphItem& node = m_nodes[i];
        node.centre.x = static_cast<double>(m_positions[i].x) + m_sizes[i].cx / 2;
        node.centre.y = static_cast<double>(m_positions[i].y) + m_sizes[i].cy / 2;
        if (m_participates[i]) {
            m_points.push_back(
                HAutoGraphPoint{node.centre.x, node.centre.y, node.order, node.radius});
        }
    }
    m_index.Build(m_points, 2.0 * m_largestRadius + 1);  // the largest reach
    m_index.NearestOfEach(m_reach, m_nearest);
}

HVector HAutoGraphSeparation::Push(size_t i) const {
    const HAutoGraphPoint& other = m_nearest[i];
    if (other.order < 0) {
        return HVector();
    }
    const HAutoGraphItem& node = m_nodes[i];
    const double distance = CentreDistance(node.centre.x, node.centre.y, other.x, other.y);
    const double depth = OverlapDepth(node.radius, other.radius, distance);
    // A push shorter than one unit moves nothing once truncated.
    if (depth < 1) {
        return HVector();
    }
    const HVector offset(node.centre.x - other.x, node.centre.y - other.y);
    if (offset.x == 0 && offset.y == 0) {
        // Which way depends on the order.
        return OverlapForce(node, m_nodes[static_cast<size_t>(other.order)], distance);
    }
    return m_directions.Along(depth, offset, distance);
}

HVector HAutoGraphSeparation::StepToMiddle(HSize canvas) const {
    // Summed as HVector sums the offsets of the centres from the middle.
    const double middleX = canvas.cx / 2, middleY = canvas.cy / 2;
    double sumX = 0, sumY = 0;
    for (const HAutoGraphItem& node : m_nodes) {
        sumX += node.centre.x - middleX;
        sumY += node.centre.y - middleY;
    }
    return CentreStepForce(HVector(sumX, sumY), static_cast<double>(m_nodes.size()));
}

}  // namespace zarvik
