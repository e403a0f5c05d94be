#pragma once
// A uniform grid over node centres that finds the nearest node exactly as a scan of the
// whole array would: the same distance arithmetic, and ties to the earlier node.

#include <cstdint>
#include <span>
#include <vector>

#include "core/canvas/auto_graph_nearest.h"

namespace zarvik {

class HAutoGraphIndex {
public:
    // Indexes points, whole numbers given in ascending order: in square cells of about two
    // points each, or, with a reach, in cells that suit NearestOfEach for that reach. The
    // buffers stay for the next build.
    void Build(const std::vector<HAutoGraphPoint>& points, double reach = 0);
    // The order of the point nearest to (x, y) other than exclude, among the points no
    // farther than reach; -1 when there is none that near.
    int32_t Nearest(double x, double y, int32_t exclude, double reach = kUnboundedReach) const;
    // For every point, nearest[its order] := the point Nearest (point, its order,
    // reach[its order]) names, or one of order -1 for none; the other entries of nearest
    // are left alone. Fastest for reaches up to the one the
    // index was built for.
    void NearestOfEach(const std::vector<double>& reach, std::vector<HAutoGraphPoint>& nearest);
    // Cells and points looked at by the searches since the last build: the work they did.
    int64_t Visits() const { return m_visits; }

    // The points as the index holds them, by cell.
    std::span<const HAutoGraphPoint> Points() const { return m_points; }
    // NearestOfEach a chunk at a time, for several threads at once: the points lie in
    // chunks of up to kChunkPoints in the order of Points. found[j] := the nearest point
    // of the chunk's point j within its reach, nullptr for none. Each chunk's searches
    // read only the index; kept is the searching thread's scratch, with room for a pointer
    // per point. Returns the cells and points looked at, which Visits does not count.
    static constexpr int32_t kChunkPoints = 128;
    int32_t Chunks() const;
    std::span<const HAutoGraphPoint> ChunkPoints(int32_t chunk) const;
    int64_t NearestOfChunk(int32_t chunk, const std::vector<double>& reach,
                           const HAutoGraphPoint** found, const HAutoGraphPoint** kept) const;

private:
    // The searches add the cells and points they look at to visits.
    const HAutoGraphPoint* NearestPoint(double x, double y, int32_t exclude, double reach,
                                        int64_t& visits) const;
    int32_t CellColumn(double x) const;
    int32_t CellRow(double y) const;
    // Searches the cells within reach of the own cell, row by row.
    void SearchBlock(HAutoGraphNearestSearch& search, int32_t column, int32_t row,
                     int64_t& visits) const;
    // Searches rings of cells around the own cell until no nearer point can lie beyond.
    void SearchRings(HAutoGraphNearestSearch& search, int32_t column, int32_t row,
                     int64_t& visits) const;
    // The nearest within reach of point k, which lies in row, from the rows around.
    const HAutoGraphPoint* NearestAround(int32_t k, double reach, int32_t row,
                                         const HAutoGraphPoint** kept, int64_t& visits) const;
    // Where the cells of row begin in the point array, and where the last one ends.
    const int32_t* RowStarts(int32_t row) const;
    // The points of cells first to last of one row.
    void ScanRow(HAutoGraphNearestSearch& search, int32_t row, int32_t first, int32_t last,
                 int64_t& visits) const;

    double m_left = 0;
    double m_top = 0;
    double m_cellWidth = 1;
    double m_cellHeight = 1;
    double m_perWidth = 1;  // cells per unit of length
    double m_perHeight = 1;
    int32_t m_columns = 0;
    int32_t m_rows = 0;
    std::vector<int32_t> m_cellStart;            // points of cell c: m_cellStart[c] to [c + 1]
    std::vector<HAutoGraphPoint> m_points;       // by cell, in ascending order inside a cell
    std::vector<int32_t> m_cellOf;               // scratch of the build
    std::vector<const HAutoGraphPoint*> m_kept;  // scratch of NearestOfEach
    mutable int64_t m_visits = 0;
};

}  // namespace zarvik
