// Whole layouts: the grid and the separation on copied geometry against the plain scan.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "auto_graph_diagram.h"
#include "core/canvas/auto_graph.h"
#include "core/canvas/auto_graph_step.h"
#include "core/items/item_object.h"

namespace zarvik {
namespace {

using test_support::BuildRandomDiagram;
using test_support::Diagram;
using test_support::ExpectSameGeometry;

TEST(AutoGraphLayout, IndexedLayoutEqualsTheScanningLayout) {
    // The indexed layout's separation pass is cut after every repetition, after a few, or
    // runs in one step; the scanning layout runs it in one step.
    struct Case {
        int boxes;
        int32_t fpOnly;
        int64_t work;
        bool huge = false;  // the first box far larger than the others
    };
    const Case cases[] = {{1, 1, 1},
                          {2, 0, 1},
                          {40, 1, 1},
                          {40, 0, 700},
                          {150, 0, 1},
                          {150, 0, 5000, true},
                          {300, 1, kSeparationStepWork},
                          {300, 0, 1},
                          {300, 0, 9000}};
    uint32_t seed = 100;
    for (const Case& c : cases) {
        Diagram indexed, scanning;
        for (Diagram* d : {&indexed, &scanning}) {
            BuildRandomDiagram(*d, c.boxes, seed);
            if (c.huge) {
                dynamic_cast<HItemObject*>(d->boxes.Head())->size = {2400, 1800};
            }
            d->fpOnly = c.fpOnly;
            d->canvas = {3000, 2600};
            d->random.SetSeed(seed);
        }
        scanning.linearSearch = true;
        ++seed;
        EXPECT_EQ(indexed.RunLayout(c.work), 10);
        EXPECT_EQ(scanning.RunLayout(std::numeric_limits<int64_t>::max()), 10);
        ExpectSameGeometry(indexed, scanning, c.boxes);
    }
}

TEST(AutoGraphLayout, LargeIndexedLayoutEqualsTheScanningLayout) {
    // 2 000 boxes: the ten force passes, then the first repetitions of the separation pass
    // (scanning through the whole pass would take minutes).
    constexpr int kBoxes = 2000;
    constexpr int32_t kRepetitions = 30;
    Diagram indexed, scanning;
    for (Diagram* d : {&indexed, &scanning}) {
        BuildRandomDiagram(*d, kBoxes, 3);
        d->fpOnly = 0;
        d->canvas = {3000, 2600};
    }
    scanning.linearSearch = true;
    for (Diagram* d : {&indexed, &scanning}) {
        const HAutoGraphOptions options = d->Options();
        for (int32_t i = 0; i < kAutoLayoutIterationLimit; ++i) {
            ASSERT_EQ(
                AutoLayoutStep(d->boxes, d->lines, 0, i, kAutoLayoutIterationLimit + 1, options),
                1);
        }
        HAutoGraph graph(d->boxes, d->lines, options);
        HAutoGraphSeparationProgress progress;
        progress.repetitions = kRepetitions;
        while (progress.InProgress()) {
            graph.Separate(progress, 20000);
        }
    }
    ExpectSameGeometry(indexed, scanning, kBoxes);
}

TEST(AutoGraphLayout, SameSeedSameLayout) {
    Diagram first, second;
    for (Diagram* d : {&first, &second}) {
        BuildRandomDiagram(*d, 60, 5);
        d->random.SetSeed(42);
        d->RunLayout();
    }
    const auto a = first.boxes.Snapshot(), b = second.boxes.Snapshot();
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(dynamic_cast<const HItemObject&>(*a[i]).position,
                  dynamic_cast<const HItemObject&>(*b[i]).position);
    }
}

TEST(AutoGraphLayout, StackedBoxesEndApart) {
    // Three transactions on one spot: the separation pass parts them.
    Diagram d;
    for (int i = 0; i < 3; ++i) {
        d.Add(kKindTask, 1500, 1500);
    }
    d.RunLayout();
    const auto items = d.boxes.Snapshot();
    for (size_t i = 0; i < items.size(); ++i) {
        for (size_t j = i + 1; j < items.size(); ++j) {
            EXPECT_NE(dynamic_cast<const HItemObject&>(*items[i]).position,
                      dynamic_cast<const HItemObject&>(*items[j]).position);
        }
    }
}

}  // namespace
}  // namespace zarvik
