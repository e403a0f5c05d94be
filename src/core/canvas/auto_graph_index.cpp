#include "core/canvas/auto_graph_index.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace zarvik {
namespace {

// About two nodes a cell, and never many more cells than nodes.
constexpr double kNodesPerCell = 2.0;
constexpr int64_t kMaxCellsPerNode = 4;

// Centres are whole numbers, so a point lies far less than this from the cell the division
// put it in; every bound on cells is widened by it.
constexpr double kCellSlack = 1.0;

// Cells for searches within a reach are a little more than twice the reach tall, so that
// the points within reach of a point lie in its own row of cells and at most one next to
// it, and a quarter of the reach wide, so that little beyond the reach lies in the part of a row
// that a search looks at. Such cells serve while a square as wide as the reach holds no
// more than this many points on average. With a reach far beyond the spacing of the points,
// as one huge box makes it, the rings around a point, which stop at its nearest neighbour,
// cost less.
constexpr double kPointsPerReachSquare = 16.0;

// A single search within a reach of up to this many cells looks at the whole block of
// cells around its own; beyond that, ring by ring.
constexpr double kBlockCells = 2.0;

int64_t CellCount(double width, double height, double cellWidth, double cellHeight) {
    return (static_cast<int64_t>(width / cellWidth) + 1) *
           (static_cast<int64_t>(height / cellHeight) + 1);
}

// The cell of a coordinate, held within the grid; a coordinate further along never has
// an earlier cell. Truncating serves as the floor, since below zero the cell is 0 anyway.
int32_t CellOf(double offset, double perCell, int32_t cells) {
    const double cell = offset * perCell;
    if (!(cell > 0)) {
        return 0;
    }
    return cell < cells - 1 ? static_cast<int32_t>(cell) : cells - 1;
}

}  // namespace

void HAutoGraphIndex::Build(const std::vector<HAutoGraphPoint>& points, double reach) {
    m_visits = 0;
    m_points.clear();
    m_cellStart.clear();
    m_columns = m_rows = 0;
    if (points.empty()) {
        return;
    }
    double left = points[0].x, right = left;
    double top = points[0].y, bottom = top;
    for (const HAutoGraphPoint& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const double width = right - left, height = bottom - top;
    const double count = static_cast<double>(points.size());
    double cellWidth = 0, cellHeight = 0;
    const double area = std::max(width, 1.0) * std::max(height, 1.0);
    if (reach > 0 && reach * reach * count <= kPointsPerReachSquare * area) {
        cellHeight = 2 * (reach + kCellSlack);
        cellWidth = std::max((reach + kCellSlack) / 4, 1.0);
    } else {
        cellWidth = width > 0 && height > 0 ? std::sqrt(width * height * kNodesPerCell / count)
                                            : std::max(width, height) * kNodesPerCell / count;
        cellWidth = cellHeight = std::max(cellWidth, 1.0);
    }
    const int64_t maxCells = kMaxCellsPerNode * static_cast<int64_t>(points.size()) + 16;
    while (CellCount(width, height, cellWidth, cellHeight) > maxCells) {
        // Wider first, up to square; then larger.
        if (cellWidth < cellHeight) {
            cellWidth = std::min(cellWidth * 2, cellHeight);
        } else {
            cellWidth *= 2;
            cellHeight *= 2;
        }
    }
    m_left = left;
    m_top = top;
    m_cellWidth = cellWidth;
    m_cellHeight = cellHeight;
    m_perWidth = 1 / cellWidth;
    m_perHeight = 1 / cellHeight;
    m_columns = static_cast<int32_t>(width / cellWidth) + 1;
    m_rows = static_cast<int32_t>(height / cellHeight) + 1;

    // Counting sort by cell; points keep their ascending order inside a cell.
    const size_t cells = static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows);
    m_cellStart.assign(cells + 1, 0);
    m_cellOf.resize(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        m_cellOf[i] = CellRow(points[i].y) * m_columns + CellColumn(points[i].x);
        ++m_cellStart[static_cast<size_t>(m_cellOf[i]) + 1];
    }
    for (size_t c = 0; c < cells; ++c) {
        m_cellStart[c + 1] += m_cellStart[c];
    }
    m_points.resize(points.size());
    // Each cell's start moves on as it fills, then is put back from its neighbour.
    for (size_t i = 0; i < points.size(); ++i) {
        m_points[static_cast<size_t>(m_cellStart[static_cast<size_t>(m_cellOf[i])]++)] = points[i];
    }
    for (size_t c = cells; c > 0; --c) {
        m_cellStart[c] = m_cellStart[c - 1];
    }
    m_cellStart[0] = 0;
}

int32_t HAutoGraphIndex::CellColumn(double x) const {
    return CellOf(x - m_left, m_perWidth, m_columns);
}

int32_t HAutoGraphIndex::CellRow(double y) const {
    return CellOf(y - m_top, m_perHeight, m_rows);
}

const int32_t* HAutoGraphIndex::RowStarts(int32_t row) const {
    return m_cellStart.data() + static_cast<std::ptrdiff_t>(row) * m_columns;
}

int32_t HAutoGraphIndex::Nearest(double x, double y, int32_t exclude, double reach) const {
    const HAutoGraphPoint* nearest = NearestPoint(x, y, exclude, reach, m_visits);
    return nearest != nullptr ? nearest->order : -1;
}

const HAutoGraphPoint* HAutoGraphIndex::NearestPoint(double x, double y, int32_t exclude,
                                                     double reach, int64_t& visits) const {
    if (m_points.empty() || !(reach >= 0)) {
        return nullptr;
    }
    HAutoGraphNearestSearch search(x, y, exclude, reach);
    const int32_t column = CellColumn(x);
    const int32_t row = CellRow(y);
    // The own cell first, where a point on the very centre ends the search soonest.
    const int32_t* starts = RowStarts(row);
    visits += 1 + starts[column + 1] - starts[column];
    if (search.Scan(m_points.data() + starts[column], m_points.data() + starts[column + 1])) {
        // Any other point on the very centre lies in the same cell, later.
        return search.BestPoint();
    }
    if (reach + kCellSlack <= kBlockCells * std::min(m_cellWidth, m_cellHeight)) {
        SearchBlock(search, column, row, visits);
    } else {
        SearchRings(search, column, row, visits);
    }
    return search.BestPoint();
}

void HAutoGraphIndex::NearestOfEach(const std::vector<double>& reach,
                                    std::vector<HAutoGraphPoint>& nearest) {
    m_kept.resize(m_points.size());
    const HAutoGraphPoint* found[kChunkPoints];
    HAutoGraphPoint none;
    none.order = -1;
    for (int32_t chunk = 0; chunk < Chunks(); ++chunk) {
        m_visits += NearestOfChunk(chunk, reach, found, m_kept.data());
        const auto points = ChunkPoints(chunk);
        for (size_t j = 0; j < points.size(); ++j) {
            nearest[static_cast<size_t>(points[j].order)] = found[j] != nullptr ? *found[j] : none;
        }
    }
}

int32_t HAutoGraphIndex::Chunks() const {
    return static_cast<int32_t>((m_points.size() + kChunkPoints - 1) / kChunkPoints);
}

std::span<const HAutoGraphPoint> HAutoGraphIndex::ChunkPoints(int32_t chunk) const {
    const size_t first = static_cast<size_t>(chunk) * kChunkPoints;
    return std::span(m_points).subspan(first,
                                       std::min<size_t>(kChunkPoints, m_points.size() - first));
}

int64_t HAutoGraphIndex::NearestOfChunk(int32_t chunk, const std::vector<double>& reach,
                                        const HAutoGraphPoint** found,
                                        const HAutoGraphPoint** kept) const {
    const int32_t first = chunk * kChunkPoints;
    const int32_t end = first + static_cast<int32_t>(ChunkPoints(chunk).size());
    // The row that holds the first point: the last one that begins at it or before.
    int32_t row = 0;
    while (RowStarts(row + 1)[0] <= first) {
        ++row;
    }
    int64_t visits = 0;
    for (int32_t k = first; k < end; ++row) {
        for (const int32_t rowEnd = std::min(end, RowStarts(row + 1)[0]); k < rowEnd; ++k) {
            const HAutoGraphPoint& p = m_points[static_cast<size_t>(k)];
            const double pointReach = reach[static_cast<size_t>(p.order)];
            found[k - first] = pointReach + kCellSlack <= m_cellHeight
                                   ? NearestAround(k, pointReach, row, kept, visits)
                                   : NearestPoint(p.x, p.y, p.order, pointReach, visits);
        }
    }
    return visits;
}

// The points within reach lie in the own row of cells and the row above or below.
const HAutoGraphPoint* HAutoGraphIndex::NearestAround(int32_t k, double reach, int32_t row,
                                                      const HAutoGraphPoint** kept,
                                                      int64_t& visits) const {
    if (!(reach >= 0)) {
        return nullptr;
    }
    const HAutoGraphPoint* points = m_points.data();
    const HAutoGraphPoint& from = points[k];
    HAutoGraphNearestGather gather(from, reach, kept);
    // The cells of one row lie side by side in the point array, so each row's part within
    // reach is one run of points.
    const int32_t first = CellColumn(from.x - reach - kCellSlack);
    const int32_t end = CellColumn(from.x + reach + kCellSlack) + 1;
    // The own row first, around the point itself. A point on the very centre lies in the
    // own cell, and the first one there is the nearest: none is nearer, and the cell holds
    // the others on the same centre later in the array.
    const int32_t* own = RowStarts(row);
    visits += 2 + own[end] - own[first];
    const HAutoGraphPoint* centre = gather.Gather(points + own[first], points + k);
    if (centre == nullptr) {
        centre = gather.Gather(points + k + 1, points + own[end]);
    }
    if (centre != nullptr) {
        return centre;
    }
    // The rows above and below, narrowed to what the own row leaves in question.
    const double bound = gather.Bound() + kCellSlack;
    const int32_t near = CellColumn(from.x - bound);
    const int32_t far = CellColumn(from.x + bound) + 1;
    if (row > 0 && from.y - (m_top + row * m_cellHeight) <= bound) {
        const int32_t* starts = RowStarts(row - 1);
        visits += 1 + starts[far] - starts[near];
        gather.GatherOffCentre(points + starts[near], points + starts[far]);
    }
    if (row + 1 < m_rows && m_top + (row + 1) * m_cellHeight - from.y <= bound) {
        const int32_t* starts = RowStarts(row + 1);
        visits += 1 + starts[far] - starts[near];
        gather.GatherOffCentre(points + starts[near], points + starts[far]);
    }
    return gather.Nearest();
}

void HAutoGraphIndex::ScanRow(HAutoGraphNearestSearch& search, int32_t row, int32_t first,
                              int32_t last, int64_t& visits) const {
    if (first > last) {
        return;
    }
    const int32_t* starts = RowStarts(row);
    visits += 1 + starts[last + 1] - starts[first];
    search.Scan(m_points.data() + starts[first], m_points.data() + starts[last + 1]);
}

void HAutoGraphIndex::SearchBlock(HAutoGraphNearestSearch& search, int32_t column, int32_t row,
                                  int64_t& visits) const {
    // The cells of one row lie side by side in the point array, so each row of the block
    // is one run of points.
    const double reach = search.Bound() + kCellSlack;
    const int32_t firstColumn = CellColumn(search.X() - reach);
    const int32_t lastColumn = CellColumn(search.X() + reach);
    const int32_t lastRow = CellRow(search.Y() + reach);
    for (int32_t r = CellRow(search.Y() - reach); r <= lastRow; ++r) {
        if (r == row) {  // without the own cell, searched already
            ScanRow(search, r, firstColumn, column - 1, visits);
            ScanRow(search, r, column + 1, lastColumn, visits);
        } else {
            ScanRow(search, r, firstColumn, lastColumn, visits);
        }
    }
}

void HAutoGraphIndex::SearchRings(HAutoGraphNearestSearch& search, int32_t column, int32_t row,
                                  int64_t& visits) const {
    // A cell wholly farther away than the bound along one axis has nothing to offer.
    auto visit = [&](int32_t c, int32_t r) {
        if (c < 0 || r < 0 || c >= m_columns || r >= m_rows) {
            return;
        }
        const double gapX = c < column   ? search.X() - (m_left + (c + 1) * m_cellWidth)
                            : c > column ? m_left + c * m_cellWidth - search.X()
                                         : 0.0;
        const double gapY = r < row   ? search.Y() - (m_top + (r + 1) * m_cellHeight)
                            : r > row ? m_top + r * m_cellHeight - search.Y()
                                      : 0.0;
        if (gapX <= search.Bound() + kCellSlack && gapY <= search.Bound() + kCellSlack) {
            ScanRow(search, r, c, c, visits);
        }
    };
    const double ringWidth = std::min(m_cellWidth, m_cellHeight);
    const int32_t lastRing = std::max(m_columns, m_rows);
    for (int32_t ring = 1; ring <= lastRing; ++ring) {
        // Every point beyond the last ring lies at least ring - 1 cells away along one axis.
        if ((ring - 1) * ringWidth > search.Bound() + kCellSlack) {
            break;
        }
        // Only the part of the ring inside the grid, so a thin grid costs no more.
        const int32_t firstColumn = std::max(column - ring, 0);
        const int32_t endColumn = std::min(column + ring, m_columns - 1);
        for (int32_t c = firstColumn; c <= endColumn; ++c) {
            visit(c, row - ring);
            visit(c, row + ring);
        }
        const int32_t firstRow = std::max(row - ring + 1, 0);
        const int32_t endRow = std::min(row + ring - 1, m_rows - 1);
        for (int32_t r = firstRow; r <= endRow; ++r) {
            visit(column - ring, r);
            visit(column + ring, r);
        }
    }
}

}  // namespace zarvik
