#pragma once
// The item list panel: every box of the diagram in a sortable table under a filter. A row
// click finds the box on the canvas, the row's context menu offers the item commands, and
// names, function types, positions and sizes are edited in place.

#include <QWidget>
#include <optional>

#include "core/doc/doc_change.h"
#include "gui/canvas/menu_entries.h"

class QComboBox;
class QKeyEvent;
class QMenu;
class QTableView;

namespace zarvik {
class CZarvikDoc;
class HCanvasController;
}  // namespace zarvik

namespace zarvik::gui {

class HItemListDelegate;
class HItemListModel;

class HItemListPanel : public QWidget, public HDocObserver {
    Q_OBJECT
public:
    // doc and canvas stay owned by the caller and outlive the panel.
    HItemListPanel(CZarvikDoc& doc, HCanvasController& canvas, QWidget* parent = nullptr);
    // The context menu shows disabled what the window cannot run.
    void SetCommandAvailability(HCommandAvailability available) {
        m_available = std::move(available);
    }
    ~HItemListPanel() override;

    // A cell editor is open: Delete belongs to it then, on the canvas too.
    bool IsEditorOpen() const;
    QTableView* View() const { return m_view; }
    QComboBox* FilterBox() const { return m_filter; }
    // Selects the row's box and builds the item menu for it, unshown; null outside rows.
    QMenu* BuildRowMenu(int row);

    // HDocObserver
    void OnItemsAboutToGo(const HItemsGoing& going) override;
    void OnDocumentChanged(const HDocChange& change) override;

signals:
    // A command was chosen in the row menu or by a shortcut; the window runs it.
    void CommandChosen(int id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpView();
    void HeaderClicked(int column);
    void ShowRowMenu(const QPoint& viewportPoint);
    bool TranslateKey(const QKeyEvent& event);
    // A left press or release over row (-1 outside the rows).
    void LeftButton(bool press, int row);
    void ReadColumnLayout();
    void WriteColumnLayout() const;

    CZarvikDoc& m_doc;
    HCanvasController& m_canvas;
    HItemListModel* m_model = nullptr;
    HItemListDelegate* m_delegate = nullptr;
    QTableView* m_view = nullptr;
    QComboBox* m_filter = nullptr;
    // The row under the last left press (-1 outside the rows); none after its release.
    std::optional<int> m_pressRow;
    HCommandAvailability m_available;
};

}  // namespace zarvik::gui
