// The passes of the layout engine.

#include <limits>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/canvas/auto_graph.h"
#include "core/canvas/auto_graph_forces.h"
#include "core/canvas/auto_graph_separation.h"
#include "core/items/draw_list.h"
#include "core/items/item_line.h"
#include "core/items/item_object.h"

namespace zarvik {

void HAutoGraph::SpringPhase(HSize canvas) {
    // The lines of each node from the top of the line list, and the first participating node of
    // each box, so a node does not scan every line and every node.
    std::unordered_map<const HItemObject*, int32_t> nodeOf;
    std::unordered_map<const HItemObject*, int32_t> partnerNodeOf;
    for (const HAutoGraphItem& item : m_items) {
        nodeOf.try_emplace(item.box, item.order);
        if (Participates(item)) {
            partnerNodeOf.try_emplace(item.box, item.order);
        }
    }
    std::vector<std::vector<const HItemLine*>> linesOf(m_items.size());
    for (HItemCore* item = m_lines.Tail(); item != nullptr; item = item->previous) {
        const auto* line = dynamic_cast<const HItemLine*>(item);
        if (line == nullptr) {
            continue;
        }
        auto from = nodeOf.find(line->fromItem);
        auto to = nodeOf.find(line->toItem);
        if (from != nodeOf.end()) {
            linesOf[static_cast<size_t>(from->second)].push_back(line);
        }
        if (to != nodeOf.end() && line->toItem != line->fromItem) {
            linesOf[static_cast<size_t>(to->second)].push_back(line);
        }
    }
    for (const HAutoGraphItem& node : m_items) {
        if (!Participates(node)) {
            continue;
        }
        const double stiffness = node.box->kind == kKindFile ? 0.0 : kSpringStiffness;
        HVector sum;
        int counted = 0;
        for (const HItemLine* line : linesOf[static_cast<size_t>(node.order)]) {
            // A line from the box to itself makes the box its own partner.
            const HItemObject* partner = line->toItem == node.box ? line->fromItem : line->toItem;
            auto found = partnerNodeOf.find(partner);
            if (found == partnerNodeOf.end()) {
                continue;
            }
            sum += SpringForce(node, m_items[static_cast<size_t>(found->second)], stiffness);
            ++counted;
        }
        HVector force;
        if (counted > 0) {
            force = HVector(sum.x / counted, sum.y / counted);
        }
        ApplyForce(*node.box, force, canvas);
    }
}

void HAutoGraph::SpacingPhase(HSize canvas) {
    for (const HAutoGraphItem& node : m_items) {
        if (!Participates(node)) {
            continue;
        }
        const bool isFile = node.box->kind == kKindFile;
        HVector force;
        // Spacing has no force beyond its reach, and draws no jitter there.
        if (const HAutoGraphItem* nearest = FindNearest(node, -1, kSpacingReach)) {
            double b = kSpacingB;
            double c = 1.0;
            if (isFile) {
                c = 0.0;
            } else if (node.box->kind == nearest->box->kind) {
                b = kSpacingSameKindB;
            }
            force = SpacingForce(node, *nearest, kSpacingA, b, c, m_random);
        }
        if (isFile) {
            if (const HAutoGraphItem* file = FindNearest(node, kKindFile, kSpacingReach)) {
                force += SpacingForce(node, *file, kSpacingA, kSpacingB, 1.0, m_random);
            }
        }
        ApplyForce(*node.box, force, canvas);
    }
}

void HAutoGraph::OverlapPhase(HSize canvas) {
    for (const HAutoGraphItem& node : m_items) {
        HVector force;
        if (Participates(node)) {
            // Spacing has no force beyond its reach, and draws no jitter there.
            if (const HAutoGraphItem* nearest = FindNearest(node, -1, kSpacingReach)) {
                force = OverlapForce(node, *nearest);
            }
        }
        // A node that does not take part is still clamped into the canvas.
        ApplyForce(*node.box, force, canvas);
    }
}

void HAutoGraph::CentreStep(HSize canvas) {
    if (m_items.empty()) {
        return;
    }
    HVector sum;
    const HVector middle(canvas.cx / 2, canvas.cy / 2);
    for (const HAutoGraphItem& item : m_items) {
        HVector offset = item.centre;
        offset -= middle;
        sum += offset;
    }
    const HVector step = CentreStepForce(sum, static_cast<double>(m_items.size()));
    for (const HAutoGraphItem& item : m_items) {
        ApplyForce(*item.box, step, canvas);
    }
}

void HAutoGraph::ForcePass() {
    if (m_boxes.Count() == 0) {
        return;
    }
    BuildItems();
    const HSize canvas = CanvasSize();
    SpringPhase(canvas);
    SpacingPhase(canvas);
    CentreStep(canvas);
}

void HAutoGraph::SeparationPass() {
    HAutoGraphSeparationProgress progress = SeparationStart();
    Separate(progress, std::numeric_limits<int64_t>::max());
}

HAutoGraphSeparationProgress HAutoGraph::SeparationStart() const {
    // An empty box list makes the pass nothing at all.
    HAutoGraphSeparationProgress progress;
    progress.repetitions = m_boxes.Count();
    progress.lines = progress.repetitions > 0 ? m_lines.Count() : 0;
    return progress;
}

void HAutoGraph::Separate(HAutoGraphSeparationProgress& progress, int64_t work) {
    int64_t spent = 0;
    if (progress.done < progress.repetitions) {
        BuildItems();
        spent = m_options.linearSearch ? SeparateOnBoxes(progress, work)
                                       : SeparateOnCopy(progress, work);
    }
    if (progress.done >= progress.repetitions) {
        progress.workspace.reset();  // the copy, and the helper thread with it
    }
    if (progress.done >= progress.repetitions && spent < work) {
        Reroute(progress, work - spent);
    }
}

int64_t HAutoGraph::SeparateOnCopy(HAutoGraphSeparationProgress& progress, int64_t work) {
    std::vector<bool> participates;
    participates.reserve(m_items.size());
    for (const HAutoGraphItem& item : m_items) {
        participates.push_back(Participates(item));
    }
    if (progress.workspace == nullptr) {
        progress.workspace = std::make_shared<HAutoGraphSeparation>();
    }
    HAutoGraphSeparation& separation = *progress.workspace;
    separation.Load(m_items, participates);
    int64_t spent = kNodeWork * static_cast<int64_t>(m_items.size());  // the copy
    do {
        spent += separation.Repeat(CanvasSize());
        ++progress.done;
    } while (progress.done < progress.repetitions && spent < work);
    separation.Store();
    return spent;
}

int64_t HAutoGraph::SeparateOnBoxes(HAutoGraphSeparationProgress& progress, int64_t work) {
    int64_t spent = 0;
    do {
        BuildItems();
        const HSize canvas = CanvasSize();
        OverlapPhase(canvas);
        CentreStep(canvas);
        const auto nodes = static_cast<int64_t>(m_items.size());
        spent += nodes * (kNodeWork + nodes);  // each node scans every node
        ++progress.done;
    } while (progress.done < progress.repetitions && spent < work);
    return spent;
}

void HAutoGraph::Reroute(HAutoGraphSeparationProgress& progress, int64_t work) {
    // Each line goes straight between its boxes' centres, whatever the others do.
    int32_t index = 0;
    int64_t spent = 0;
    for (HItemCore* item = m_lines.Head(); item != nullptr && progress.rerouted < progress.lines;
         item = item->next, ++index) {
        if (index < progress.rerouted) {
            continue;
        }
        if (spent >= work) {
            return;
        }
        if (auto* line = dynamic_cast<HItemLine*>(item)) {
            line->RerouteEnds();
        }
        ++progress.rerouted;
        spent += kRerouteWork;
    }
    progress.rerouted = progress.lines;  // the end of the list: nothing is left
}

}  // namespace zarvik
