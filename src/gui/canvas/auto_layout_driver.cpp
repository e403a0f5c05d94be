#include "gui/canvas/auto_layout_driver.h"

#include "core/app/system.h"
#include "core/doc/zarvik_doc.h"
#include "gui/canvas/canvas_widget.h"

namespace zarvik::gui {

HAutoLayoutDriver::HAutoLayoutDriver(CZarvikDoc& doc, HCanvasWidget& canvas, QObject* parent)
    : QObject(parent), m_doc(doc), m_canvas(&canvas) {
    m_stepTimer.setInterval(kAutoLayoutStepPeriodMs);
    m_redrawTimer.setInterval(kAutoLayoutRedrawPeriodMs);
    connect(&m_stepTimer, &QTimer::timeout, this, &HAutoLayoutDriver::OnStepTick);
    connect(&m_redrawTimer, &QTimer::timeout, this, &HAutoLayoutDriver::OnRedrawTick);
}

// The document may already be gone when the window takes its children down: nothing is
// recorded here.
HAutoLayoutDriver::~HAutoLayoutDriver() = default;

void HAutoLayoutDriver::Start() {
    const bool wasRunning = IsRunning();
    m_run.Start();
    if (m_canvas != nullptr) {
        m_canvas->Controller().CancelInteraction();
    }
    m_stepTimer.start();
    m_redrawTimer.start();
    if (!wasRunning) {
        m_moved = false;
        emit RunningChanged(true);
    }
}

void HAutoLayoutDriver::Stop() {
    if (IsRunning()) {
        Finish();
    }
}

void HAutoLayoutDriver::OnStepTick() {
    if (m_canvas == nullptr) {
        Finish();
        return;
    }
    HCanvasWidget* canvas = m_canvas;
    HAutoGraphOptions options =
        AutoGraphOptionsFrom(System().settings, [canvas] { return canvas->CanvasSizeNow(); });
    options.random = &m_run.random;
    options.separation = &m_run.separation;
    options.stepWork = m_stepWork;
    const int pending = canvas->Controller().PendingItem() != nullptr ? 1 : 0;
    const HAutoLayoutTick tick = m_run.OnStepTick([&](int32_t iteration, int32_t limit) {
        return AutoLayoutStep(m_doc, pending, iteration, limit, options);
    });
    if (tick == HAutoLayoutTick::kStepped) {
        m_moved = true;
    } else if (tick == HAutoLayoutTick::kFinished) {
        Finish();
    }
}

void HAutoLayoutDriver::OnRedrawTick() {
    if (m_run.OnRedrawTick() && m_canvas != nullptr) {
        m_canvas->Redraw();
    }
}

void HAutoLayoutDriver::Finish() {
    m_stepTimer.stop();
    m_redrawTimer.stop();
    m_run.running = 0;
    // Recorded now, the layout is one undo step of its own; left for the next gesture to
    // record, an undo would skip back past it and its result could not be redone.
    if (m_moved) {
        m_moved = false;
        m_doc.RecordStep(kChangeGeometry);
    }
    if (m_canvas != nullptr) {
        m_canvas->Redraw();
    }
    emit RunningChanged(false);
}

}  // namespace zarvik::gui
