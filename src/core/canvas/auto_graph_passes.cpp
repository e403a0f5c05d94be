// The passes of the layout engine.

#include <numbers>
#include <unordered_map>
#include <vector>

#include "core/canvas/auto_graph.h"
#include "core/canvas/auto_graph_forces.h"
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
        if (const HAutoGraphItem* nearest = FindNearest(node, -1)) {
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
            if (const HAutoGraphItem* file = FindNearest(node, kKindFile)) {
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
            if (const HAutoGraphItem* nearest = FindNearest(node, -1)) {
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
    HVector mean;
    const HVector middle(canvas.cx / 2, canvas.cy / 2);
    for (const HAutoGraphItem& item : m_items) {
        HVector offset = item.centre;
        offset -= middle;
        mean += offset;
    }
    const double count = static_cast<double>(m_items.size());
    mean = HVector(mean.x / count, mean.y / count);
    // A mean right at the middle has the angle 0, so the step then goes along -x.
    HVector step(kCentreStepLength, 0);
    step.Rotate(mean.Angle() + std::numbers::pi);
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
    if (m_boxes.Count() == 0) {
        return;
    }
    const int32_t repetitions = m_boxes.Count();
    for (int32_t i = 0; i < repetitions; ++i) {
        BuildItems();
        const HSize canvas = CanvasSize();
        OverlapPhase(canvas);
        CentreStep(canvas);
    }
    for (HItemCore* item = m_lines.Head(); item != nullptr; item = item->next) {
        if (auto* line = dynamic_cast<HItemLine*>(item)) {
            line->RerouteEnds();
        }
    }
}

}  // namespace zarvik
