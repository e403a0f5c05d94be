#pragma once
// A uniform grid over node centres that finds the nearest node exactly as a scan of the
// whole array would: the same distance arithmetic, and ties to the earlier node.

#include <cstdint>
#include <vector>

#include "core/canvas/auto_graph_item.h"

namespace zarvik {

class HAutoGraphIndex {
public:
    // Indexes the given nodes of items (array positions, ascending).
    void Build(const std::vector<HAutoGraphItem>& items, const std::vector<int32_t>& members);
    // The member nearest to centre other than exclude, -1 when there is none.
    int32_t Nearest(const HVector& centre, int32_t exclude) const;

private:
    int32_t CellColumn(double x) const;
    int32_t CellRow(double y) const;

    const std::vector<HAutoGraphItem>* m_items = nullptr;
    double m_left = 0;
    double m_top = 0;
    double m_cellSide = 1;
    int32_t m_columns = 0;
    int32_t m_rows = 0;
    std::vector<int32_t> m_cellStart;  // members of cell c: m_cellStart[c] to [c + 1]
    std::vector<int32_t> m_members;
};

}  // namespace zarvik
