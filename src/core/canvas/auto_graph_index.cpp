#include "core/canvas/auto_graph_index.h"

#include <algorithm>
#include <cmath>

namespace zarvik {
namespace {

// About two nodes a cell, and never many more cells than nodes.
constexpr double kNodesPerCell = 2.0;
constexpr int64_t kMaxCellsPerNode = 4;

struct Best {
    int32_t index = -1;
    double distance = 0;

    void Offer(int32_t candidate, double d) {
        if (index < 0 || d < distance || (d == distance && candidate < index)) {
            index = candidate;
            distance = d;
        }
    }
};

}  // namespace

void HAutoGraphIndex::Build(const std::vector<HAutoGraphItem>& items,
                            const std::vector<int32_t>& members) {
    m_items = &items;
    m_members.clear();
    m_cellStart.clear();
    m_columns = m_rows = 0;
    if (members.empty()) {
        return;
    }
    double left = items[members[0]].centre.x, right = left;
    double top = items[members[0]].centre.y, bottom = top;
    for (int32_t m : members) {
        left = std::min(left, items[m].centre.x);
        right = std::max(right, items[m].centre.x);
        top = std::min(top, items[m].centre.y);
        bottom = std::max(bottom, items[m].centre.y);
    }
    const double width = right - left, height = bottom - top;
    const double count = static_cast<double>(members.size());
    double side = width > 0 && height > 0 ? std::sqrt(width * height * kNodesPerCell / count)
                                          : std::max(width, height) * kNodesPerCell / count;
    side = std::max(side, 1.0);
    const int64_t maxCells = kMaxCellsPerNode * static_cast<int64_t>(members.size()) + 16;
    while ((static_cast<int64_t>(width / side) + 1) * (static_cast<int64_t>(height / side) + 1) >
           maxCells) {
        side *= 2;
    }
    m_left = left;
    m_top = top;
    m_cellSide = side;
    m_columns = static_cast<int32_t>(width / side) + 1;
    m_rows = static_cast<int32_t>(height / side) + 1;

    // Counting sort by cell; members keep their ascending order inside a cell.
    const size_t cells = static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows);
    m_cellStart.assign(cells + 1, 0);
    std::vector<int32_t> cellOf(members.size());
    for (size_t i = 0; i < members.size(); ++i) {
        const HVector& c = items[members[i]].centre;
        cellOf[i] = CellRow(c.y) * m_columns + CellColumn(c.x);
        ++m_cellStart[static_cast<size_t>(cellOf[i]) + 1];
    }
    for (size_t c = 0; c < cells; ++c) {
        m_cellStart[c + 1] += m_cellStart[c];
    }
    m_members.resize(members.size());
    std::vector<int32_t> fill(m_cellStart.begin(), m_cellStart.end() - 1);
    for (size_t i = 0; i < members.size(); ++i) {
        m_members[static_cast<size_t>(fill[static_cast<size_t>(cellOf[i])]++)] = members[i];
    }
}

int32_t HAutoGraphIndex::CellColumn(double x) const {
    const double column = std::floor((x - m_left) / m_cellSide);
    return static_cast<int32_t>(std::clamp(column, 0.0, static_cast<double>(m_columns - 1)));
}

int32_t HAutoGraphIndex::CellRow(double y) const {
    const double row = std::floor((y - m_top) / m_cellSide);
    return static_cast<int32_t>(std::clamp(row, 0.0, static_cast<double>(m_rows - 1)));
}

int32_t HAutoGraphIndex::Nearest(const HVector& centre, int32_t exclude) const {
    if (m_members.empty()) {
        return -1;
    }
    const int32_t column = CellColumn(centre.x);
    const int32_t row = CellRow(centre.y);
    Best best;
    auto visit = [&](int32_t c, int32_t r) {
        if (c < 0 || r < 0 || c >= m_columns || r >= m_rows) {
            return;
        }
        const size_t cell =
            static_cast<size_t>(r) * static_cast<size_t>(m_columns) + static_cast<size_t>(c);
        for (int32_t k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k) {
            const int32_t m = m_members[static_cast<size_t>(k)];
            if (m != exclude) {
                best.Offer(m, CentreDistance(centre, (*m_items)[static_cast<size_t>(m)].centre));
            }
        }
    };
    const int32_t lastRing = std::max(m_columns, m_rows);
    for (int32_t ring = 0; ring <= lastRing; ++ring) {
        if (ring == 0) {
            visit(column, row);
        } else {
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
        // Every node beyond this ring lies at least ring cell sides away along one axis.
        // The slack covers rounding in the cell arithmetic, so an equally near node in a
        // farther cell is still seen and the tie still goes to the earlier node.
        if (best.index >= 0) {
            const double reach = ring * m_cellSide;
            const double slack = 1.0 + 1e-9 * (reach + best.distance);
            if (reach > best.distance + slack) {
                break;
            }
        }
    }
    return best.index;
}

}  // namespace zarvik
