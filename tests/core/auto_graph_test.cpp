#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "auto_graph_diagram.h"
#include "core/canvas/auto_graph.h"
#include "core/canvas/auto_graph_directions.h"
#include "core/canvas/auto_graph_forces.h"
#include "core/canvas/auto_graph_random.h"
#include "core/canvas/auto_graph_step.h"
#include "core/canvas/auto_graph_workers.h"
#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"

namespace zarvik {
namespace {

using test_support::Diagram;
using test_support::ExpectSameGeometry;

HAutoGraphItem Node(int32_t x, int32_t y, int32_t radius, int32_t order) {
    HAutoGraphItem node;
    node.centre = HVector(x, y);
    node.radius = radius;
    node.order = order;
    return node;
}

// --- forces ---

TEST(AutoGraphForces, SpringPullsBeyondThePreferredGapAndPushesInsideIt) {
    struct Case {
        int32_t partnerX;  // the partner's centre, n's is (1000, 1000)
        double stiffness;
        double expectedX;
    };
    const Case cases[] = {
        {1400, 1.875, 187.5},  // gap 100: pulled toward the partner on the right
        {600, 1.875, -187.5},  // the same on the left
        {1300, 1.0, 0.0},      // exactly the preferred gap
        {1200, 1.0, -50.0},    // gap -100, push capped at half the radius sum
        {1290, 1.0, -10.0},    // gap -10: pushed 10 away from the partner on the right
        {5000, 1.0, 3700.0},   // pulls are not capped
        {1400, 0.0, 0.0},      // data functions feel no spring
    };
    for (const Case& c : cases) {
        const HVector f =
            SpringForce(Node(1000, 1000, 50, 0), Node(c.partnerX, 1000, 50, 1), c.stiffness);
        EXPECT_NEAR(f.x, c.expectedX, 1e-9) << c.partnerX;
        EXPECT_NEAR(f.y, 0.0, 1e-9) << c.partnerX;
    }
}

TEST(AutoGraphForces, SpacingFadesWithDistanceAndStopsOutOfReach) {
    HAutoGraphRandom random(1);
    // Gap 100 beyond 300 + the radii: 50000 / 100² = 5, along +x from the neighbour on
    // the left, turned by at most 0.1 radians of jitter.
    const HVector near = SpacingForce(Node(1000, 1000, 50, 1), Node(500, 1000, 50, 0), kSpacingA,
                                      kSpacingB, 1.0, random);
    EXPECT_NEAR(near.Length(), 5.0, 1e-9);
    EXPECT_GT(near.x, 0);
    EXPECT_GE(near.y, 0);
    EXPECT_LE(HVector(near).Angle(), 0.1 + 1e-12);
    // Inside the gap the push is capped at half the radius sum, with its sign.
    const HVector close = SpacingForce(Node(1000, 1000, 50, 1), Node(900, 1000, 50, 0), kSpacingA,
                                       kSpacingB, 1.0, random);
    EXPECT_NEAR(close.Length(), 50.0, 1e-9);
    // Beyond 500 units there is no force and no random draw.
    HAutoGraphRandom a(5), b(5);
    const HVector far =
        SpacingForce(Node(0, 0, 50, 1), Node(501, 0, 50, 0), kSpacingA, kSpacingB, 1.0, a);
    EXPECT_EQ(far.x, 0);
    EXPECT_EQ(far.y, 0);
    EXPECT_EQ(a.Next(), b.Next());
}

TEST(AutoGraphForces, ZeroStiffnessAtZeroGapIsZeroNotNaN) {
    // 50000 / 0² is infinite; times a stiffness of 0 it must stay a plain zero.
    HAutoGraphRandom random(3);
    const HVector f = SpacingForce(Node(1400, 1000, 50, 1), Node(1000, 1000, 50, 0), kSpacingA,
                                   kSpacingB, 0.0, random);
    EXPECT_EQ(f.x, 0);
    EXPECT_EQ(f.y, 0);
    // With stiffness 1 the infinite force is capped like any push.
    const HVector capped = SpacingForce(Node(1400, 1000, 50, 1), Node(1000, 1000, 50, 0), kSpacingA,
                                        kSpacingB, 1.0, random);
    EXPECT_NEAR(capped.Length(), 50.0, 1e-9);
}

TEST(AutoGraphForces, OverlapPushesApartOnlyWhenTheCirclesMeet) {
    struct Case {
        int32_t otherX;
        double expectedX;
    };
    const Case cases[] = {{1040, -61.0}, {960, 61.0}, {1101, 0.0}, {1100, -1.0}, {2000, 0.0}};
    for (const Case& c : cases) {
        const HVector f = OverlapForce(Node(1000, 1000, 50, 0), Node(c.otherX, 1000, 50, 1));
        EXPECT_NEAR(f.x, c.expectedX, 1e-9) << c.otherX;
        EXPECT_NEAR(f.y, 0.0, 1e-9) << c.otherX;
    }
}

TEST(AutoGraphForces, CoincidentCentresArePushedOppositeWays) {
    const HVector first = OverlapForce(Node(500, 500, 50, 0), Node(500, 500, 50, 1));
    const HVector second = OverlapForce(Node(500, 500, 50, 1), Node(500, 500, 50, 0));
    EXPECT_NEAR(first.x, -101.0, 1e-9);
    EXPECT_NEAR(second.x, 101.0, 1e-9);
}

TEST(AutoGraphForces, QuickDirectionsMoveBoxesAsTheTurnedForce) {
    // Every offset in a square around a centre, with whole magnitudes and the depths of
    // overlapping boxes: the push from the quotients must truncate exactly as the push
    // turned through the angle, also where a component falls on a whole number.
    const HAutoGraphDirections directions;
    for (int32_t dx = -70; dx <= 70; ++dx) {
        for (int32_t dy = -70; dy <= 70; ++dy) {
            if (dx == 0 && dy == 0) {
                continue;
            }
            const HVector offset(dx, dy);
            const double length = offset.Length();
            for (double m : {1.0, 2.0, 5.0, 10.0, 13.0, 17.0, 25.0, 26.0, 29.0, 50.0, 85.0,
                             101 - length, 61 - length, 145 - length}) {
                if (m < 1) {
                    continue;
                }
                HVector turned(m, 0);
                turned.Rotate(offset.Angle());
                const HVector quick = directions.Along(m, offset, length);
                ASSERT_EQ(TruncatedStep(quick.x), TruncatedStep(turned.x))
                    << dx << "," << dy << " " << m;
                ASSERT_EQ(TruncatedStep(quick.y), TruncatedStep(turned.y))
                    << dx << "," << dy << " " << m;
            }
        }
    }
}

TEST(AutoGraphForces, ApplyForceClampsThenMovesOnlyWithinTheCanvas) {
    struct Case {
        const char* what;
        HPoint start;
        HSize size;
        HVector force;
        HSize canvas;
        HPoint expected;
    };
    const Case cases[] = {
        {"truncates toward zero", {100, 100}, {50, 50}, {7.9, -7.9}, {1000, 1000}, {107, 93}},
        {"negative position clamped first", {-20, -5}, {50, 50}, {0, 0}, {1000, 1000}, {0, 0}},
        {"past the right edge", {980, 10}, {50, 50}, {0, 0}, {1000, 1000}, {949, 10}},
        {"move leaving the canvas dropped whole",
         {900, 500},
         {50, 50},
         {60, 3},
         {1000, 1000},
         {900, 503}},
        {"the left edge itself is refused", {10, 10}, {50, 50}, {-10, -9}, {1000, 1000}, {10, 1}},
        {"touching the right edge is refused",
         {900, 10},
         {50, 50},
         {50, 0},
         {1000, 1000},
         {900, 10}},
        {"box larger than the canvas", {0, 0}, {300, 50}, {5, 0}, {200, 200}, {-101, 0}},
        {"huge force is harmless", {100, 100}, {50, 50}, {1e300, -1e300}, {1000, 1000}, {100, 100}},
    };
    for (const Case& c : cases) {
        HItemTask box;
        box.position = c.start;
        box.size = c.size;
        ApplyForce(box, c.force, c.canvas);
        EXPECT_EQ(box.position, c.expected) << c.what;
    }
}

// --- participation and the nearest node ---

TEST(AutoGraphNearest, ParticipationFollowsTheTwoSettings) {
    struct Case {
        int32_t kind;
        int32_t lineHide;
        int32_t fpOnly;
        int32_t showOnly;
        bool expected;
    };
    const Case cases[] = {
        {kKindFile, 0, 1, 1, true},   {kKindTask, 0, 1, 1, true},   {kKindBorder, 0, 1, 1, false},
        {kKindBorder, 0, 0, 1, true}, {kKindView, 0, 1, 0, false},  {kKindTask, 1, 1, 1, false},
        {kKindTask, 1, 1, 0, true},   {kKindOther, 1, 0, 1, false},
    };
    for (const Case& c : cases) {
        Diagram d;
        d.fpOnly = c.fpOnly;
        d.showOnly = c.showOnly;
        d.Add(c.kind, 0, 0)->lineHide = c.lineHide;
        HAutoGraph graph(d.boxes, d.lines, d.Options());
        graph.BuildItems();
        EXPECT_EQ(graph.Participates(graph.Items()[0]), c.expected) << c.kind << " " << c.lineHide;
    }
}

TEST(AutoGraphNearest, NearestIsTheClosestParticipantWithTiesToTheEarlierNode) {
    for (bool linear : {false, true}) {
        Diagram d;
        d.linearSearch = linear;
        // Added bottom first: the node array runs from the top of the list.
        d.Add(kKindFile, 1000, 1625, {100, 50});  // 4, 600 below 0
        d.Add(kKindBorder, 1010, 1000);           // 3, closest but does not take part
        d.Add(kKindFile, 800, 1025, {100, 50});   // 2, 200 to the left: ties with 1
        d.Add(kKindTask, 1200, 1000);             // 1, 200 to the right
        d.Add(kKindTask, 1000, 1000);             // 0, centre (1050, 1050)
        HAutoGraph graph(d.boxes, d.lines, d.Options());
        graph.BuildItems();
        const auto& items = graph.Items();
        EXPECT_EQ(graph.FindNearest(items[0], -1), &items[1]) << linear;
        EXPECT_EQ(graph.FindNearest(items[0], kKindFile), &items[2]) << linear;
        EXPECT_EQ(graph.FindNearest(items[2], kKindFile), &items[4]) << linear;
        EXPECT_EQ(graph.FindNearest(items[0], kKindBorder), nullptr) << linear;
        EXPECT_EQ(graph.FindNearest(items[1], kKindTask), &items[0]) << linear;
    }
}

TEST(AutoGraphNearest, EvenlySpacedBoxesPushApartAsTiesResolve) {
    // The middle box is 40 from each neighbour; the tie goes to the higher box, the last
    // one added, so the middle box is pushed to the left.
    for (bool linear : {false, true}) {
        Diagram d;
        d.linearSearch = linear;
        HItemObject* left = d.Add(kKindTask, 450, 1000);
        HItemObject* middle = d.Add(kKindTask, 490, 1000);
        HItemObject* right = d.Add(kKindTask, 530, 1000);
        HAutoGraph graph(d.boxes, d.lines, d.Options());
        graph.BuildItems();
        graph.OverlapPhase(d.canvas);
        EXPECT_EQ(left->position.x, 389) << linear;
        EXPECT_EQ(middle->position.x, 429) << linear;
        EXPECT_EQ(right->position.x, 591) << linear;
    }
}

TEST(AutoGraphNearest, IndexAgreesWithTheScanOnCrowdedLattices) {
    std::mt19937 generator(11);
    for (int n : {1, 2, 9, 60, 250}) {
        Diagram d;
        d.fpOnly = 0;
        std::uniform_int_distribution<int> cell(0, 12), kind(kKindFile, kKindView), hide(0, 5),
            side(1, 4);
        for (int i = 0; i < n; ++i) {
            // Few distinct centres: many exact ties and coincident boxes.
            d.Add(kind(generator), cell(generator) * 40, cell(generator) * 30,
                  {side(generator) * 20, side(generator) * 20})
                ->lineHide = hide(generator) == 0;
        }
        HAutoGraphOptions linearOptions = d.Options();
        linearOptions.linearSearch = true;
        HAutoGraph indexed(d.boxes, d.lines, d.Options());
        HAutoGraph linear(d.boxes, d.lines, linearOptions);
        indexed.BuildItems();
        linear.BuildItems();
        for (size_t i = 0; i < indexed.Items().size(); ++i) {
            for (int32_t k : {-1, kKindFile, kKindTask, kKindView}) {
                // Unbounded, on the very centre only, and reaches that end on a centre
                // or between two.
                for (double reach : {kUnboundedReach, 0.0, 50.0, 72.5, 130.0}) {
                    const HAutoGraphItem* a = indexed.FindNearest(indexed.Items()[i], k, reach);
                    const HAutoGraphItem* b = linear.FindNearest(linear.Items()[i], k, reach);
                    ASSERT_EQ(a == nullptr, b == nullptr)
                        << n << " " << i << " " << k << " " << reach;
                    if (a != nullptr) {
                        EXPECT_EQ(a->order, b->order) << n << " " << i << " " << k << " " << reach;
                    }
                }
            }
        }
        // Every node's nearest at once, each within a reach of its own, in cells built for
        // every reach and in cells too small for some.
        std::vector<HAutoGraphPoint> points;
        std::vector<double> reach;
        for (const HAutoGraphItem& item : linear.Items()) {
            if (linear.Participates(item)) {
                points.push_back(
                    HAutoGraphPoint{item.centre.x, item.centre.y, item.order, item.radius});
            }
            reach.push_back(30.0 + (item.order % 4) * 25);
        }
        for (double side : {105.0, 40.0, 1000.0}) {
            HAutoGraphIndex index;
            index.Build(points, side);
            std::vector<HAutoGraphPoint> nearest(reach.size());
            index.NearestOfEach(reach, nearest);
            for (const HAutoGraphPoint& p : points) {
                const auto i = static_cast<size_t>(p.order);
                const HAutoGraphItem* b = linear.FindNearest(linear.Items()[i], -1, reach[i]);
                EXPECT_EQ(nearest[i].order, b != nullptr ? b->order : -1)
                    << n << " " << i << " " << side;
                if (b != nullptr) {
                    EXPECT_EQ(nearest[i].x, b->centre.x);
                    EXPECT_EQ(nearest[i].radius, b->radius);
                }
            }
        }
    }
}

TEST(AutoGraphNearest, WorkersRunEveryChunkOnceOnEitherThread) {
    // Runs of every size, with the helper and without as the pool's timing decides.
    HAutoGraphWorkers workers;
    for (int32_t run = 0; run < 300; ++run) {
        const int32_t chunks = run % 40;
        std::vector<int32_t> calls(static_cast<size_t>(chunks));
        std::vector<int32_t> lanes(static_cast<size_t>(chunks));
        workers.Run(chunks, [&](int32_t lane, int32_t chunk) {
            ++calls[static_cast<size_t>(chunk)];
            lanes[static_cast<size_t>(chunk)] = lane;
        });
        for (int32_t c = 0; c < chunks; ++c) {
            ASSERT_EQ(calls[static_cast<size_t>(c)], 1) << run << " " << c;
            ASSERT_TRUE(lanes[static_cast<size_t>(c)] == 0 || lanes[static_cast<size_t>(c)] == 1);
        }
    }
}

// --- the passes ---

TEST(AutoGraphPasses, TransactionIsDrawnTowardItsDataFunction) {
    Diagram d;
    HItemObject* task = d.Add(kKindTask, 1000, 1000);             // centre (1050, 1050)
    HItemObject* file = d.Add(kKindFile, 1400, 1025, {100, 50});  // centre 400 to the right
    d.Link(file, task);
    HAutoGraph graph(d.boxes, d.lines, d.Options());
    graph.BuildItems();
    graph.SpringPhase(d.canvas);
    EXPECT_EQ(task->position, (HPoint{1187, 1000}));
    EXPECT_EQ(file->position, (HPoint{1400, 1025}));
}

TEST(AutoGraphPasses, SpringsAverageOverTheCountedLines) {
    Diagram d;
    HItemObject* task = d.Add(kKindTask, 1000, 1000);
    HItemObject* right = d.Add(kKindFile, 1400, 1025, {100, 50});
    HItemObject* border = d.Add(kKindBorder, 0, 1000);  // does not take part: not counted
    HItemObject* left = d.Add(kKindFile, 600, 1025, {100, 50});
    d.Link(task, right);
    d.Link(border, task);
    d.Link(left, task);
    HAutoGraph graph(d.boxes, d.lines, d.Options());
    graph.BuildItems();
    graph.SpringPhase(d.canvas);
    EXPECT_EQ(task->position, (HPoint{1000, 1000}));  // the two pulls cancel
    EXPECT_EQ(border->position, (HPoint{0, 1000}));
}

TEST(AutoGraphPasses, SelfLineCountsInSpringPhase) {
    // The box is its own partner: zero distance, so a push along +x capped at half the
    // radius sum, 50 ...
    const HAutoGraphItem alone = Node(1000, 1000, 50, 0);
    const HVector self = SpringForce(alone, alone, kSpringStiffness);
    EXPECT_EQ(self.x, 50.0);
    EXPECT_EQ(self.y, 0.0);
    // ... averaged with the pull of 187.5 toward the data function.
    Diagram d;
    HItemObject* task = d.Add(kKindTask, 1000, 1000);
    HItemObject* file = d.Add(kKindFile, 1400, 1025, {100, 50});
    d.Link(task, file);
    d.Link(task, task);
    HAutoGraph graph(d.boxes, d.lines, d.Options());
    graph.BuildItems();
    graph.SpringPhase(d.canvas);
    EXPECT_EQ(task->position, (HPoint{1118, 1000}));
    EXPECT_EQ(file->position, (HPoint{1400, 1025}));
}

TEST(AutoGraphPasses, OneSeparationRepetitionPartsTwoOverlappingBoxes) {
    Diagram d;
    HItemObject* a = d.Add(kKindTask, 1000, 1000);
    HItemObject* b = d.Add(kKindTask, 1040, 1000);
    HAutoGraph graph(d.boxes, d.lines, d.Options());
    graph.BuildItems();
    graph.OverlapPhase(d.canvas);
    EXPECT_EQ(a->position.x, 939);
    EXPECT_EQ(b->position.x, 1101);
    EXPECT_EQ(b->position.x - a->position.x, 162);
}

TEST(AutoGraphPasses, CentreStepMovesEveryBoxTenUnitsTowardTheMiddle) {
    struct Case {
        HPoint start;
        HPoint expected;
    };
    const Case cases[] = {
        {{100, 100}, {107, 107}},  // up and left of the middle: diagonal 7 and 7
        {{3000, 1950}, {2990, 1950}},
        {{1950, 100}, {1950, 110}},
    };
    for (const Case& c : cases) {
        Diagram d;
        HItemObject* box = d.Add(kKindTask, c.start.x, c.start.y);
        HAutoGraph graph(d.boxes, d.lines, d.Options());
        graph.BuildItems();
        graph.CentreStep(d.canvas);
        EXPECT_EQ(box->position, c.expected) << c.start.x << "," << c.start.y;
    }
}

TEST(AutoGraphPasses, CentreStepAtMiddleMovesByMinusTen) {
    // The mean offset of the centres is exactly zero; its angle is 0, so every box steps
    // along -x.
    Diagram d;
    HItemObject* a = d.Add(kKindTask, 1500, 1950);  // centre 450 left of the middle
    HItemObject* b = d.Add(kKindFile, 2400, 1900);  // 450 right and 50 up
    HItemObject* c = d.Add(kKindTask, 1950, 2000);  // 50 down
    HAutoGraph graph(d.boxes, d.lines, d.Options());
    graph.BuildItems();
    graph.CentreStep(d.canvas);
    EXPECT_EQ(a->position, (HPoint{1490, 1950}));
    EXPECT_EQ(b->position, (HPoint{2390, 1900}));
    EXPECT_EQ(c->position, (HPoint{1940, 2000}));
}

TEST(AutoGraphPasses, BoxesWithoutLinesMakeTenPlusNCentreSteps) {
    Diagram d;
    HItemObject* a = d.Add(kKindFile, 100, 100, {100, 100});
    HItemObject* b = d.Add(kKindTask, 900, 900);
    HItemObject* c = d.Add(kKindTask, 100, 900);
    HItemObject* e = d.Add(kKindFile, 900, 100, {100, 100});
    EXPECT_EQ(d.RunLayout(), 10);
    // Mean offset stays up and left of the middle: 10 + 4 diagonal steps of 7 and 7.
    EXPECT_EQ(a->position, (HPoint{198, 198}));
    EXPECT_EQ(b->position, (HPoint{998, 998}));
    EXPECT_EQ(c->position, (HPoint{198, 998}));
    EXPECT_EQ(e->position, (HPoint{998, 198}));
}

TEST(AutoGraphPasses, BoxesLeftOutMoveOnlyWithTheCentreStep) {
    struct Case {
        int32_t kind;
        int32_t lineHide;
    };
    for (const Case& c : {Case{kKindBorder, 0}, Case{kKindTask, 1}}) {
        Diagram d;
        HItemObject* task = d.Add(kKindTask, 1000, 1000);
        HItemObject* out = d.Add(c.kind, 1040, 1040);  // overlaps the transaction
        out->lineHide = c.lineHide;
        d.Link(out, task);
        HAutoGraph graph(d.boxes, d.lines, d.Options());
        graph.ForcePass();
        // The left-out box took the centre step only; the transaction neither felt its
        // line nor its closeness, so it too took the centre step only.
        EXPECT_EQ(out->position, (HPoint{1047, 1047})) << c.kind;
        EXPECT_EQ(task->position, (HPoint{1007, 1007})) << c.kind;
    }
}

TEST(AutoGraphPasses, SeparationReroutesLinesBetweenTheCentres) {
    Diagram d;
    HItemObject* task = d.Add(kKindTask, 1000, 1000);
    HItemObject* file = d.Add(kKindFile, 1600, 1025, {100, 50});
    HItemLine* line = d.Link(file, task);
    line->fromOffset = {3, 3};
    line->toOffset = {4, 4};
    HAutoGraph graph(d.boxes, d.lines, d.Options());
    graph.SeparationPass();
    HPoint from, to;
    line->GetEndPoints(from, to);
    // The ends face each other on the centre line.
    EXPECT_EQ(from.x, file->position.x);
    EXPECT_EQ(to.x, task->position.x + task->size.cx);
    EXPECT_EQ(from.y, to.y);
}

// --- steps and the run state ---

TEST(AutoGraphSteps, StepWaitsForSelectionAndPendingItems) {
    Diagram d;
    HItemObject* box = d.Add(kKindTask, 1000, 1000);
    HItemLine* line = d.Link(box, d.Add(kKindFile, 1400, 1000, {100, 50}));
    const HAutoGraphOptions options = d.Options();
    EXPECT_EQ(AutoLayoutStep(d.boxes, d.lines, 0, 10, 10, options), -1);
    box->SetSelected(1);
    EXPECT_EQ(AutoLayoutStep(d.boxes, d.lines, 0, 3, 10, options), 0);
    box->SetSelected(0);
    line->SetSelected(1);
    EXPECT_EQ(AutoLayoutStep(d.boxes, d.lines, 0, 3, 10, options), 0);
    line->SetSelected(0);
    EXPECT_EQ(AutoLayoutStep(d.boxes, d.lines, 1, 3, 10, options), 0);
    EXPECT_EQ(box->position, (HPoint{1000, 1000}));
    EXPECT_EQ(AutoLayoutStep(d.boxes, d.lines, 0, 3, 10, options), 1);
    EXPECT_NE(box->position, (HPoint{1000, 1000}));
}

TEST(AutoGraphSteps, RunPausesOnSelectionAndResumesAtTheSameIteration) {
    Diagram d;
    HItemObject* box = d.Add(kKindTask, 1000, 1000);
    const HAutoGraphOptions options = d.Options();
    auto step = [&](int32_t i, int32_t n) {
        return AutoLayoutStep(d.boxes, d.lines, 0, i, n, options);
    };
    HAutoLayoutRun run;
    EXPECT_EQ(run.OnStepTick(step), HAutoLayoutTick::kIgnored);
    EXPECT_FALSE(run.OnRedrawTick());
    run.Start();
    EXPECT_FALSE(run.OnRedrawTick());
    EXPECT_EQ(run.OnStepTick(step), HAutoLayoutTick::kStepped);
    EXPECT_EQ(run.OnStepTick(step), HAutoLayoutTick::kStepped);
    EXPECT_TRUE(run.OnRedrawTick());
    EXPECT_FALSE(run.OnRedrawTick());  // one redraw for any number of steps
    box->SetSelected(1);
    EXPECT_EQ(run.OnStepTick(step), HAutoLayoutTick::kWaiting);
    EXPECT_EQ(run.iteration, 2);
    box->SetSelected(0);
    for (int i = 2; i < 10; ++i) {
        EXPECT_EQ(run.OnStepTick(step), HAutoLayoutTick::kStepped);
    }
    EXPECT_EQ(run.OnStepTick(step), HAutoLayoutTick::kFinished);
    EXPECT_EQ(run.running, 1);
    run.Start();  // the command again restarts from the beginning
    EXPECT_EQ(run.iteration, 0);
    EXPECT_EQ(run.redrawNeeded, 0);
}

TEST(AutoGraphSteps, SeparationGoesOnOverStepsOfTheLastIteration) {
    // Twenty boxes on one spot, and a step that spends one repetition on the pass.
    Diagram cut, whole;
    for (Diagram* d : {&cut, &whole}) {
        for (int i = 0; i < 20; ++i) {
            d->Add(kKindTask, 1500, 1500);
        }
    }
    HItemCore* box = cut.boxes.Head();
    HAutoLayoutRun run;
    run.Start();
    HAutoGraphOptions options = cut.Options();
    options.separation = &run.separation;
    options.stepWork = 1;
    auto step = [&](int32_t i, int32_t n) {
        return AutoLayoutStep(cut.boxes, cut.lines, 0, i, n, options);
    };
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(run.OnStepTick(step), HAutoLayoutTick::kStepped);
    }
    EXPECT_EQ(run.iteration, 9);  // the last force pass ran; the separation comes next
    EXPECT_TRUE(run.OnRedrawTick());
    ASSERT_EQ(run.OnStepTick(step), HAutoLayoutTick::kStepped);
    EXPECT_EQ(run.separation.done, 1);
    EXPECT_EQ(run.iteration, 9);
    EXPECT_TRUE(run.OnRedrawTick());  // the canvas shows every part of the pass
    box->SetSelected(1);
    EXPECT_EQ(run.OnStepTick(step), HAutoLayoutTick::kWaiting);
    EXPECT_EQ(run.separation.done, 1);
    box->SetSelected(0);
    int steps = 1;
    while (run.OnStepTick(step) == HAutoLayoutTick::kStepped) {
        ++steps;
    }
    EXPECT_EQ(steps, 20);
    EXPECT_EQ(run.iteration, 10);

    EXPECT_EQ(whole.RunLayout(std::numeric_limits<int64_t>::max()), 10);
    ExpectSameGeometry(cut, whole, 20);
}

TEST(AutoGraphSteps, EmptyDiagramStepsStillCount) {
    Diagram d;
    EXPECT_EQ(d.RunLayout(), 10);
}

}  // namespace
}  // namespace zarvik
