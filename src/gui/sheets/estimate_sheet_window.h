#pragma once
// The simple estimate sheet ("かんたん見積シート"): a window of its own over the main
// window with the chart, the boxes' menus as its menu bar and a status bar with the
// estimate's figures. It follows every change of the document and keeps nothing of it.

#include <QMainWindow>
#include <map>
#include <string_view>

#include "core/doc/doc_change.h"
#include "core/fp/estimate_sheet_menus.h"
#include "gui/canvas/menu_entries.h"

class QLabel;
class QScrollArea;

namespace zarvik {
class CZarvikDoc;
}

namespace zarvik::gui {

class HEstimateChart;

class HEstimateSheetWindow : public QMainWindow, public HDocObserver {
    Q_OBJECT
public:
    // Deletes itself when closed.
    HEstimateSheetWindow(CZarvikDoc& doc, QWidget* parent);
    ~HEstimateSheetWindow() override;

    // Which of the main window's commands can run now.
    void SetCommandAvailability(HCommandAvailability available);

    HEstimateChart& Chart() { return *m_chart; }
    // The window size that shows the whole chart without scrolling.
    QSize WholeChartSize() const;
    // The menu of the menu bar with the title, or null.
    QMenu* Menu(std::string_view title) const;
    // The texts of the status bar panes 1 to 5.
    QString PaneText(int pane) const;

    void OnDocumentChanged(const HDocChange& change) override;

signals:
    // A command of the main window (the item lists).
    void CommandChosen(int id);
    // The sheet was closed, however: back to the flow diagram.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildStatusBar();
    void UpdateMenu(QMenu* shown, const HKantanMenu& menu);
    void Run(const HKantanMenuEntry& entry);
    void ShowBox(const QRect& box);
    void WriteStatus();

    CZarvikDoc& m_doc;
    HEstimateChart* m_chart = nullptr;
    QScrollArea* m_scroll = nullptr;
    std::map<std::string_view, QMenu*> m_menus;
    std::map<int, QLabel*> m_panes;
    HCommandAvailability m_available;
};

}  // namespace zarvik::gui
