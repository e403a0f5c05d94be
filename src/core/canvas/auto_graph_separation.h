#pragma once
// The repetitions of the separation pass, worked on a copy of the boxes' geometry: a
// repetition rebuilds the centres from these positions, pushes each node out of its
// nearest neighbour and takes the centre step, all as the boxes themselves would move, and
// the positions go back to the boxes at the end of the timer step. Each node's search and
// move read only the centres at the start of the repetition, so two threads share them.

#include <array>
#include <cstdint>
#include <vector>

#include "core/canvas/auto_graph_directions.h"
#include "core/canvas/auto_graph_index.h"
#include "core/canvas/auto_graph_item.h"
#include "core/canvas/auto_graph_workers.h"
#include "core/port/gdi_types.h"

namespace zarvik {

// The units of work of a node in a repetition, beside the search for its nearest node,
// and of re-routing a line.
inline constexpr int64_t kNodeWork = 10;
inline constexpr int64_t kRerouteWork = 200;

class HAutoGraphSeparation {
public:
    // Takes the nodes as built from the box list, and whether each takes part.
    void Load(const std::vector<HAutoGraphItem>& nodes, const std::vector<bool>& participates);

    // One repetition on a canvas of canvas size; returns the units of work it took (see
    // HAutoGraphOptions::stepWork).
    int64_t Repeat(HSize canvas);
    // Moves the boxes to the positions reached.
    void Store() const;

private:
    // The centres from the positions, and the index over them.
    void RebuildCentres();
    // The push that takes a node that takes part, given by its point, out of its nearest
    // one within its reach; none for nullptr. The point holds all a push needs to know of
    // the node but where two centres coincide, so that the threads read little else.
    HVector Push(const HAutoGraphPoint& node, const HAutoGraphPoint* nearest) const;
    // Where node i ends under its push, then under the centre step.
    HPoint Moved(size_t i, const HVector& push, const HVector& step, HSize canvas) const;
    // The centre step of the repetition, from the centres at its start.
    HVector StepToMiddle(HSize canvas) const;

    std::vector<HAutoGraphItem> m_nodes;
    std::vector<HPoint> m_positions;
    std::vector<HSize> m_sizes;
    std::vector<uint8_t> m_participates;
    // A node's nearest neighbour pushes it only from nearer than its reach: its own radius
    // plus the largest radius plus one.
    int32_t m_largestRadius = 0;
    std::vector<double> m_reach;
    std::vector<HAutoGraphPoint> m_points;  // the centres of the nodes that take part
    HAutoGraphIndex m_index;
    HAutoGraphDirections m_directions;
    std::vector<HPoint> m_moved;  // the new positions, in the order of the index
    // What each thread's nearest-node searches found in a chunk, and their scratch; a
    // cache line apart, so that the two threads never write to the same one.
    struct alignas(64) HLane {
        std::array<const HAutoGraphPoint*, HAutoGraphIndex::kChunkPoints> found;
        std::vector<const HAutoGraphPoint*> kept;
        int64_t visits = 0;
    };
    HLane m_lanes[HAutoGraphWorkers::kLanes];
    HAutoGraphWorkers m_workers;  // last: its helper ends before anything it reads goes
};

}  // namespace zarvik
