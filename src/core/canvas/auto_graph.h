#pragma once
// The automatic layout engine: a small force simulation over the boxes of a diagram.
// One engine serves one timer step; it keeps references to the document's lists only for
// that step.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "core/canvas/auto_graph_index.h"
#include "core/canvas/auto_graph_item.h"
#include "core/canvas/auto_graph_random.h"
#include "core/port/gdi_types.h"

namespace zarvik {

class HDrawList;
class HInfoSystem;

class HAutoGraphSeparation;

// How far a separation pass spread over several steps has come.
struct HAutoGraphSeparationProgress {
    int32_t done = 0;         // repetitions finished
    int32_t repetitions = 0;  // of the whole pass: one per box
    int32_t rerouted = 0;     // lines re-routed after the last repetition
    int32_t lines = 0;        // lines to re-route
    // The room the repetitions work in, kept so that each step need not claim it anew;
    // every step fills it afresh from the boxes.
    std::shared_ptr<HAutoGraphSeparation> workspace;

    bool InProgress() const { return done < repetitions || rerouted < lines; }
};

// The separation work of one timer step, in units of work: about 15 ms of processor time
// on the development machine when nothing else runs, so that a step stays under 30 ms
// while other work competes for the processor too.
inline constexpr int64_t kSeparationStepWork = 3500000;

struct HAutoGraphOptions {
    int32_t fpOnly = 1;    // only data and transaction functions take part
    int32_t showOnly = 1;  // boxes that hide their lines do not take part
    // The canvas size, read once per pass (and once per separation repetition).
    std::function<HSize()> canvasSize;
    // The jitter source, which the layout run keeps from step to step; nullptr for a
    // generator of this engine's own.
    HAutoGraphRandom* random = nullptr;
    // Where the separation pass stands, which the layout run keeps from step to step so
    // that the pass goes on over as many steps as it needs; nullptr runs the pass whole
    // in the step of the last iteration.
    HAutoGraphSeparationProgress* separation = nullptr;
    // The work a step spends on the separation pass, in units of work: ten for a node in
    // a repetition, one for a node or a row of cells looked at in a nearest-node search,
    // two hundred for a line re-routed. A step ends after the repetition or the line that
    // uses its work up.
    int64_t stepWork = kSeparationStepWork;
    // Run every phase in its plain form, on the boxes themselves, scanning the whole node
    // array for the nearest node. The results are the same; this is the reference the
    // grid and the separation on copied geometry are checked against.
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
    // The nearest other participating node (of box kind kind, or any for -1) no farther
    // than reach; ties go to the earlier node. nullptr when there is none.
    const HAutoGraphItem* FindNearest(const HAutoGraphItem& node, int32_t kind,
                                      double reach = kUnboundedReach) const;

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
    // Where a separation pass begins.
    HAutoGraphSeparationProgress SeparationStart() const;
    // The separation pass from where progress stands, until it is over or this call has
    // spent work units of work (after one repetition at least).
    void Separate(HAutoGraphSeparationProgress& progress, int64_t work);

private:
    HSize CanvasSize() const;
    const HAutoGraphItem* NearestByScan(const HAutoGraphItem& node, int32_t kind,
                                        double reach) const;
    int64_t SeparateOnCopy(HAutoGraphSeparationProgress& progress, int64_t work);
    int64_t SeparateOnBoxes(HAutoGraphSeparationProgress& progress, int64_t work);
    void Reroute(HAutoGraphSeparationProgress& progress, int64_t work);
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
