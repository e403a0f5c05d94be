#include "core/canvas/auto_graph_step.h"

#include "core/doc/zarvik_doc.h"
#include "core/items/draw_list.h"

namespace zarvik {

int AutoLayoutStep(HDrawList& boxes, HDrawList& lines, int pendingItem, int32_t iteration,
                   int32_t limit, const HAutoGraphOptions& options) {
    if (iteration >= limit) {
        return -1;
    }
    if (boxes.CountSelected() > 0 || lines.CountSelected() > 0 || pendingItem != 0) {
        return 0;
    }
    HAutoGraph graph(boxes, lines, options);
    const bool last = iteration + 1 >= limit;
    if (options.separation == nullptr) {
        graph.ForcePass();
        if (last) {
            graph.SeparationPass();
        }
        return 1;
    }
    HAutoGraphSeparationProgress& separation = *options.separation;
    if (separation.InProgress()) {
        graph.Separate(separation, options.stepWork);
        return 1;
    }
    graph.ForcePass();
    if (last) {
        separation = graph.SeparationStart();
    }
    return 1;
}

int AutoLayoutStep(CZarvikDoc& doc, int pendingItem, int32_t iteration, int32_t limit,
                   const HAutoGraphOptions& options) {
    const int result =
        AutoLayoutStep(doc.Boxes(), doc.Lines(), pendingItem, iteration, limit, options);
    if (result == 1) {
        doc.NoteUnrecordedMove();
    }
    return result;
}

void HAutoLayoutRun::Start() {
    running = 1;
    iteration = 0;
    limit = kAutoLayoutIterationLimit;
    redrawNeeded = 0;
    separation = HAutoGraphSeparationProgress{};
}

HAutoLayoutTick HAutoLayoutRun::OnStepTick(const std::function<int(int32_t, int32_t)>& step) {
    if (running != 1) {
        return HAutoLayoutTick::kIgnored;
    }
    const int result = step(iteration, limit);
    if (result < 0) {
        return HAutoLayoutTick::kFinished;
    }
    if (result == 0) {
        return HAutoLayoutTick::kWaiting;
    }
    redrawNeeded = 1;
    if (!separation.InProgress()) {
        iteration += result;
    }
    return HAutoLayoutTick::kStepped;
}

bool HAutoLayoutRun::OnRedrawTick() {
    if (running != 1 || redrawNeeded != 1) {
        return false;
    }
    redrawNeeded = 0;
    return true;
}

}  // namespace zarvik
