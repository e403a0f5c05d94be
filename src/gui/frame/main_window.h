#pragma once
// The main window: the canvas in the middle, the menus and tool bars built from the core's
// command table and run through its router, the status bar with the estimate's panes, and
// the docking panels.

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <vector>

#include "core/app/recent_files.h"
#include "core/canvas/command_router.h"
#include "core/doc/doc_change.h"
#include "core/doc/status_panes.h"
#include "core/doc/zarvik_doc.h"
#include "gui/ports/qt_ui_port.h"

class QAction;
class QDockWidget;
class QMenu;
class QToolBar;

namespace zarvik::gui {

class HAutoLayoutDriver;
class HCompareDialog;
class HCanvasWidget;
class HEstimatePanel;
class HEstimateSheetWindow;
class HPrintCommands;
class HItemListPanel;
class HZoomCombo;

class HMainWindow : public QMainWindow, public HFrameCommands, public HDocObserver {
    Q_OBJECT
public:
    HMainWindow();
    ~HMainWindow() override;

    CZarvikDoc& Document() { return m_doc; }
    HCanvasWidget& Canvas() { return *m_canvas; }
    HEstimatePanel& EstimatePanel() { return *m_estimate; }
    HItemListPanel& ItemListPanel() { return *m_itemList; }
    HAutoLayoutDriver& Layout() { return *m_layout; }
    // The simple estimate sheet while it is open, else null.
    HEstimateSheetWindow* EstimateSheet() const;
    HQtUiPort& UiPortOfWindow() { return m_ui; }
    // The action of a command id, or null.
    QAction* Action(int32_t id) const;
    // Runs a command as a menu entry would.
    int RunCommand(int32_t id);

    // HFrameCommands
    int IsBarVisible(int32_t id) const override;
    int HasWindowCommand(int32_t id) const override;
    int RunWindowCommand(int32_t id) override;
    // HDocObserver
    void OnDocumentChanged(const HDocChange& change) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void BuildActions();
    QMenu* AddMenu(const char* title, const std::vector<int32_t>& ids);
    void FillMenu(QMenu* menu, const std::vector<int32_t>& ids);
    QToolBar* AddToolBar(const char* title, const char* name, const std::vector<int32_t>& ids);
    void BuildStatusBar();
    QDockWidget* AddDock(const char* title, const char* name, QWidget* content);
    QWidget* BarOf(int32_t id) const;
    HItemObject* SelectedBox() const;
    void FocusNextPane(int step);
    void AddRecentFile(const std::string& path);
    void UpdateRecentActions();
    void UpdateActions();
    void UpdateTitle();
    // The simple estimate sheet (main_window_estimate_sheet.cpp): opening it switches the
    // window's keyboard to the sheet's table, where F5 only closes it.
    int OpenEstimateSheet();
    // Asks for the other version's file and shows the comparison beside the diagram.
    int OpenComparison();
    void SetAcceleratorTable(int32_t table);

    HQtUiPort m_ui;
    CZarvikDoc m_doc;
    HCanvasWidget* m_canvas = nullptr;
    HEstimatePanel* m_estimate = nullptr;
    HItemListPanel* m_itemList = nullptr;
    HZoomCombo* m_zoom = nullptr;
    HAutoLayoutDriver* m_layout = nullptr;
    std::unique_ptr<HCommandRouter> m_router;
    std::unique_ptr<HStatusPanes> m_panes;
    std::unique_ptr<HPrintCommands> m_print;
    std::map<int32_t, QAction*> m_actions;
    std::map<int32_t, QWidget*> m_bars;  // the bar or panel each show-or-hide command toggles
    HRecentFiles m_recent;
    QPointer<HEstimateSheetWindow> m_sheet;
    QPointer<HCompareDialog> m_compare;
};

}  // namespace zarvik::gui
