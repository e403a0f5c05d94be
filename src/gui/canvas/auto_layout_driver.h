#pragma once
// Runs the automatic layout on the canvas: a fast timer takes the layout's steps and a
// slower one redraws the canvas, so the user watches the boxes move.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "core/canvas/auto_graph_step.h"

namespace zarvik {
class CZarvikDoc;
}

namespace zarvik::gui {

class HCanvasWidget;

class HAutoLayoutDriver : public QObject {
    Q_OBJECT
public:
    // doc and canvas stay owned by the caller.
    HAutoLayoutDriver(CZarvikDoc& doc, HCanvasWidget& canvas, QObject* parent = nullptr);
    ~HAutoLayoutDriver() override;

    // (Re)starts the layout at its first step; the canvas drops what it was placing or
    // drawing and its selection.
    void Start();
    // Ends the layout where it stands; what it moved becomes one undo step.
    void Stop();
    bool IsRunning() const { return m_stepTimer.isActive(); }
    // Where the run stands.
    const HAutoLayoutRun& Run() const { return m_run; }
    // The separation work of each step (see HAutoGraphOptions::stepWork).
    void SetStepWork(int64_t work) { m_stepWork = work; }

signals:
    void RunningChanged(bool running);

private:
    void OnStepTick();
    void OnRedrawTick();
    // Stops both timers; the moves so far are recorded when there were any.
    void Finish();

    CZarvikDoc& m_doc;
    QPointer<HCanvasWidget> m_canvas;
    HAutoLayoutRun m_run;
    QTimer m_stepTimer;
    QTimer m_redrawTimer;
    bool m_moved = false;  // a step of this run moved boxes
    int64_t m_stepWork = kSeparationStepWork;
};

}  // namespace zarvik::gui
