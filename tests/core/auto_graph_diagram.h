#pragma once
// Diagrams for the layout tests: two lists of boxes and lines, the options a layout of them
// runs with, random ones, and the check that two layouts came out the same.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "core/canvas/auto_graph.h"
#include "core/canvas/auto_graph_step.h"
#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"

namespace zarvik::test_support {

inline constexpr HSize kDiagramCanvas{4000, 4000};

// A diagram with its two lists, and the options a layout of it runs with.
struct Diagram {
    HDrawList boxes;
    HDrawList lines;
    HAutoGraphRandom random{7};
    HSize canvas = kDiagramCanvas;
    int32_t fpOnly = 1;
    int32_t showOnly = 1;
    bool linearSearch = false;

    HItemObject* Add(int32_t kind, int32_t x, int32_t y, HSize size = {100, 100}) {
        auto box = MakeBoxItem(kind);
        box->position = {x, y};
        box->size = size;
        HItemObject* raw = box.get();
        boxes.Append(std::move(box));
        return raw;
    }
    HItemLine* Link(HItemObject* from, HItemObject* to) {
        auto line = std::make_unique<HItemLine>();
        line->fromItem = from;
        line->toItem = to;
        HItemLine* raw = line.get();
        lines.Append(std::move(line));
        return raw;
    }
    HAutoGraphOptions Options() {
        HAutoGraphOptions options;
        options.fpOnly = fpOnly;
        options.showOnly = showOnly;
        options.canvasSize = [this] { return canvas; };
        options.random = &random;
        options.linearSearch = linearSearch;
        return options;
    }
    // Steps a whole layout as the frame's timers would, each step spending work units on
    // the separation pass; returns the iterations that ran.
    int RunLayout(int64_t work = kSeparationStepWork) {
        HAutoLayoutRun run;
        run.Start();
        HAutoGraphOptions options = Options();
        options.separation = &run.separation;
        options.stepWork = work;
        auto step = [&](int32_t i, int32_t n) {
            return AutoLayoutStep(boxes, lines, 0, i, n, options);
        };
        while (run.OnStepTick(step) == HAutoLayoutTick::kStepped) {
        }
        return run.iteration;
    }
};

// Every box's position and every line's ends must be the same in both diagrams.
inline void ExpectSameGeometry(const Diagram& a, const Diagram& b, int boxes) {
    const auto boxesA = a.boxes.Snapshot(), boxesB = b.boxes.Snapshot();
    int moved = 0;
    for (size_t i = 0; i < boxesA.size(); ++i) {
        const auto& boxA = dynamic_cast<const HItemObject&>(*boxesA[i]);
        const auto& boxB = dynamic_cast<const HItemObject&>(*boxesB[i]);
        ASSERT_EQ(boxA.position, boxB.position) << boxes << " box " << i;
        moved += boxA.position != HPoint{} ? 1 : 0;
    }
    EXPECT_GT(moved, 0);
    const auto linesA = a.lines.Snapshot(), linesB = b.lines.Snapshot();
    for (size_t i = 0; i < linesA.size(); ++i) {
        const auto& lineA = static_cast<const HItemLine&>(*linesA[i]);
        const auto& lineB = static_cast<const HItemLine&>(*linesB[i]);
        ASSERT_EQ(lineA.fromOffset, lineB.fromOffset) << boxes << " line " << i;
        ASSERT_EQ(lineA.toOffset, lineB.toOffset) << boxes << " line " << i;
    }
}

// A random diagram: boxes of every kind, some hiding their lines, some stacked on one
// another (half of those with the same size, so on the same centre), and about as many
// lines as boxes.
inline void BuildRandomDiagram(Diagram& d, int boxes, uint32_t seed) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> kind(kKindFile, kKindView), coordinate(0, 2800),
        side(30, 200), coin(0, 9);
    std::vector<HItemObject*> added;
    for (int i = 0; i < boxes; ++i) {
        HPoint at{coordinate(generator), coordinate(generator)};
        HSize size{side(generator), side(generator)};
        if (!added.empty() && coin(generator) == 0) {
            const HItemObject* below =
                added[static_cast<size_t>(coordinate(generator)) % added.size()];
            at = below->position;
            size = coin(generator) < 5 ? below->size : size;
        }
        HItemObject* box = d.Add(kind(generator), at.x, at.y, size);
        box->lineHide = coin(generator) == 0;
        added.push_back(box);
    }
    std::uniform_int_distribution<size_t> pick(0, added.size() - 1);
    for (int i = 0; i < boxes; ++i) {
        d.Link(added[pick(generator)], added[pick(generator)]);
    }
}

}  // namespace zarvik::test_support
