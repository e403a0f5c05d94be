#pragma once
// The main window: the canvas in the middle, the menus built from the core's command table
// and run through its router, the status bar with the estimate's panes.

#include <QMainWindow>
#include <memory>
#include <vector>

#include "core/canvas/command_router.h"
#include "core/doc/doc_change.h"
#include "core/doc/status_panes.h"
#include "core/doc/zarvik_doc.h"
#include "gui/ports/qt_ui_port.h"

class QAction;
class QMenu;

namespace zarvik::gui {

class HCanvasWidget;

class HMainWindow : public QMainWindow, public HFrameCommands, public HDocObserver {
    Q_OBJECT
public:
    HMainWindow();
    ~HMainWindow() override;

    CZarvikDoc& Document() { return m_doc; }
    HCanvasWidget& Canvas() { return *m_canvas; }
    // The action of a command id, or null.
    QAction* Action(int32_t id) const;

    // HFrameCommands
    int RunWindowCommand(int32_t id) override;
    // HDocObserver
    void OnDocumentChanged(const HDocChange& change) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QMenu* AddMenu(const char* title, const std::vector<int32_t>& ids);
    void UpdateActions();
    void UpdateTitle();

    HQtUiPort m_ui;
    CZarvikDoc m_doc;
    HCanvasWidget* m_canvas = nullptr;
    std::unique_ptr<HCommandRouter> m_router;
    std::unique_ptr<HStatusPanes> m_panes;
    std::vector<QAction*> m_actions;
};

}  // namespace zarvik::gui
