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
}

int64_t HAutoGraphSeparation::Repeat(HSize canvas) {
    if (m_nodes.empty()) {
        return 0;
    }
    m_workers.Prepare(m_index.Chunks());  // as many as the last repetition had
    RebuildCentres();
    // Both the pushes and the centre step go from the centres at the start, so each node
    // takes its push and then the step, whatever the others did before.
    const HVector step = StepToMiddle(canvas);
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        // A node that does not take part is still clamped into the canvas.
        if (!m_participates[i]) {
            m_positions[i] = Moved(i, HVector(), step, canvas);
        }
    }
    // Each chunk of the index writes the new positions of its own points in the order of
    // the index, where no other chunk writes near, then they go back to their nodes.
    for (HLane& lane : m_lanes) {
        lane.kept.resize(m_points.size());
        lane.visits = 0;
    }
    m_moved.resize(m_points.size());
    m_workers.Run(m_index.Chunks(), [&](int32_t laneNumber, int32_t chunk) {
        HLane& lane = m_lanes[laneNumber];
        lane.visits += m_index.NearestOfChunk(chunk, m_reach, lane.found.data(), lane.kept.data());
        const auto points = m_index.ChunkPoints(chunk);
        HPoint* moved =
            m_moved.data() + static_cast<ptrdiff_t>(chunk) * HAutoGraphIndex::kChunkPoints;
        for (size_t j = 0; j < points.size(); ++j) {
            const auto i = static_cast<size_t>(points[j].order);
            moved[j] = Moved(i, Push(points[j], lane.found[j]), step, canvas);
        }
    });
    const auto points = m_index.Points();
    for (size_t k = 0; k < points.size(); ++k) {
        m_positions[static_cast<size_t>(points[k].order)] = m_moved[k];
    }
    int64_t work = kNodeWork * static_cast<int64_t>(m_nodes.size());
    for (const HLane& lane : m_lanes) {
        work += lane.visits;
    }
    return work;
}

HPoint HAutoGraphSeparation::Moved(size_t i, const HVector& push, const HVector& step,
                                   HSize canvas) const {
    const HPoint pushed = ForcedPosition(m_positions[i], m_sizes[i], push, canvas);
    return ForcedPosition(pushed, m_sizes[i], step, canvas);
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
}

HVector HAutoGraphSeparation::Push(const HAutoGraphPoint& node,
                                   const HAutoGraphPoint* nearest) const {
    if (nearest == nullptr) {
        return HVector();
    }
    const HAutoGraphPoint& other = *nearest;
    const double distance = CentreDistance(node.x, node.y, other.x, other.y);
    const double depth = OverlapDepth(node.radius, other.radius, distance);
    // A push shorter than one unit moves nothing once truncated.
    if (depth < 1) {
        return HVector();
    }
    const HVector offset(node.x - other.x, node.y - other.y);
    if (offset.x == 0 && offset.y == 0) {
        // Which way depends on the order.
        return OverlapForce(m_nodes[static_cast<size_t>(node.order)],
                            m_nodes[static_cast<size_t>(other.order)], distance);
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
