#pragma once
// One timer step of the automatic layout, and the run state the frame's two timers drive.

#include <cstdint>
#include <functional>

#include "core/canvas/auto_graph.h"

namespace zarvik {

class CZarvikDoc;
class HDrawList;

inline constexpr int32_t kAutoLayoutStepTimerId = 1614402;
inline constexpr int32_t kAutoLayoutStepPeriodMs = 1;
inline constexpr int32_t kAutoLayoutRedrawTimerId = 1614401;
inline constexpr int32_t kAutoLayoutRedrawPeriodMs = 17;
inline constexpr int32_t kAutoLayoutIterationLimit = 10;

// Step iteration of limit: -1 when the layout is over; 0 while a box or line is selected
// or an item is pending (the layout waits); otherwise a force pass, after the last one
// also the separation pass, and 1. With a separation progress in the options, the step of
// the last iteration begins the separation pass, and the steps that follow go on with it
// until it is over, each returning 1 for the same iteration. The caller records no undo
// step for it.
int AutoLayoutStep(HDrawList& boxes, HDrawList& lines, int pendingItem, int32_t iteration,
                   int32_t limit, const HAutoGraphOptions& options);
// The same on the document's lists; when boxes moved, its observers hear of it (the next
// recorded step takes the moves into the history).
int AutoLayoutStep(CZarvikDoc& doc, int pendingItem, int32_t iteration, int32_t limit,
                   const HAutoGraphOptions& options);

// What the frame does after a step tick.
enum class HAutoLayoutTick {
    kIgnored,   // not running
    kWaiting,   // nothing changed
    kStepped,   // the canvas wants a redraw at the next redraw tick
    kFinished,  // kill both timers and redraw the frame with erasing
};

struct HAutoLayoutRun {
    int32_t running = 0;
    int32_t iteration = 0;
    int32_t limit = kAutoLayoutIterationLimit;
    int32_t redrawNeeded = 0;
    // The jitter of every step of this run's layouts (the step options point here).
    HAutoGraphRandom random;
    // The separation pass of the last iteration while it goes on (the options point here);
    // the iteration is over when the pass is.
    HAutoGraphSeparationProgress separation;

    // The command: (re)starts at iteration 0. The frame then cancels the canvas
    // interaction and arms the step timer, then the redraw timer.
    void Start();
    // The step timer fired; step is the document's AutoLayoutStep (iteration, limit).
    HAutoLayoutTick OnStepTick(const std::function<int(int32_t, int32_t)>& step);
    // The redraw timer fired: true when the canvas is to be redrawn now.
    bool OnRedrawTick();
};

}  // namespace zarvik
