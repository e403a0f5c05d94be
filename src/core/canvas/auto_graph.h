#pragma once
// The automatic layout engine: a small force simulation over the boxes of a diagram.
// One engine serves one timer step; it keeps references to the document's lists only for
// that step.

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "core/canvas/auto_graph_index.h"
#include "core/canvas/auto_graph_item.h"
#include "core/canvas/auto_graph_random.h"
#include "core/port/gdi_types.h"

namespace zarvik {

class HDrawList;
class HInfoSystem;

// The force pass moves each box by at most this much toward the middle of the canvas.
inline constexpr double kCentreStepLength = 10.0;

struct HAutoGraphOptions {
    int32_t fpOnly = 1;    // only data and transaction functions take part
    int32_t showOnly = 1;  // boxes that hide their lines do not take part
    // The canvas size, read once per pass (and once per separation repetition).
    std::function<HSize()> canvasSize;
    // The jitter source, which the layout run keeps from step to step; nullptr for a
    // generator of this engine's own.
    HAutoGraphRandom* random = nullptr;
    // Scan the whole node array for the nearest node instead of using the grid. The
    // results are the same; the scan is the reference the index is checked against.
    bool linearSearch = false;
};

// The two participation switches of the system settings.
HAutoGraphOptions AutoGraphOptionsFrom(const HInfoSystem& settings,
                                       std::function<HSize()> canvasSize);

class HAutoGraph {
public:
    HAutoGraph(HDrawList& boxes, HDrawList& lines, HAutoGraphOptions options);

    // Nodes fresh from the box list, top of the list first.
    void BuildItems();
    const std::vector<HAutoGraphItem>& Items() const { return m_items; }

    bool Participates(const HAutoGraphItem& node) const;
    // The nearest other participating node (of box kind kind, or any for -1); ties go to
    // the earlier node. nullptr when there is none.
    const HAutoGraphItem* FindNearest(const HAutoGraphItem& node, int32_t kind) const;

    // The phases of a force pass, on the nodes as last built.
    void SpringPhase(HSize canvas);
    void SpacingPhase(HSize canvas);
    // One repetition of the separation pass: pushes each node out of its nearest one.
    void OverlapPhase(HSize canvas);
    // Moves every box one step against the mean offset of the centres from the middle of
    // the canvas, and clamps it into the canvas.
    void CentreStep(HSize canvas);

    // Springs, spacing and the centre step, all from the centres at the start.
    void ForcePass();
    // Pushes overlapping boxes apart, once per box, then re-routes every line.
    void SeparationPass();

private:
    HSize CanvasSize() const;
    const HAutoGraphItem* NearestByScan(const HAutoGraphItem& node, int32_t kind) const;
    const HAutoGraphIndex& IndexFor(int32_t kind) const;

    HDrawList& m_boxes;
    HDrawList& m_lines;
    HAutoGraphOptions m_options;
    HAutoGraphRandom m_ownRandom;
    HAutoGraphRandom& m_random;
    std::vector<HAutoGraphItem> m_items;
    // Built on first use after the nodes were built, one per kind asked for.
    mutable std::map<int32_t, HAutoGraphIndex> m_indexes;
};

}  // namespace zarvik
