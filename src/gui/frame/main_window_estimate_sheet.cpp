// The main window's side of the simple estimate sheet: opening it over the flow diagram,
// the keyboard table while it is open, and the way back when it closes.

#include <algorithm>

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QScreen>
#include <QVariant>

#include "core/command/command_ids.h"
#include "core/doc/zarvik_doc.h"
#include "gui/canvas/canvas_widget.h"
#include "gui/frame/main_window.h"
#include "gui/sheets/estimate_sheet_window.h"

namespace zarvik::gui {
namespace {

// Where an action keeps its shortcuts while the sheet's table is in force.
constexpr const char* kMainShortcuts = "mainShortcuts";

}  // namespace

HEstimateSheetWindow* HMainWindow::EstimateSheet() const {
    return m_sheet;
}

int HMainWindow::OpenEstimateSheet() {
    if (m_sheet == nullptr) {
        m_sheet = new HEstimateSheetWindow(m_doc, this);
        m_sheet->SetCommandAvailability(
            [this](int32_t id) { return m_router->IsEnabled(id) != 0; });
        connect(m_sheet, &HEstimateSheetWindow::CommandChosen, this,
                [this](int id) { RunCommand(id); });
        connect(m_sheet, &HEstimateSheetWindow::Closed, this, [this] {
            // It deletes itself later; a new F5 opens a new one meanwhile.
            m_sheet = nullptr;
            SetAcceleratorTable(kAcceleratorsMain);
            activateWindow();
            m_canvas->setFocus();
        });
        // It takes the place of the flow diagram, larger when the chart needs it and the
        // screen has room.
        QRect place(geometry().topLeft(), size().expandedTo(m_sheet->WholeChartSize()));
        if (const QScreen* shown = screen(); shown != nullptr) {
            const QRect room = shown->availableGeometry();
            place.setSize(place.size().boundedTo(room.size()));
            place.moveRight(std::min(place.right(), room.right()));
            place.moveBottom(std::min(place.bottom(), room.bottom()));
        }
        m_sheet->setGeometry(place);
        SetAcceleratorTable(kAcceleratorsEstimateSheet);
    }
    m_sheet->show();
    m_sheet->raise();
    m_sheet->activateWindow();
    m_doc.FinishEdit({HAfterStep::Refresh, HAfterStep::Estimate}, {});
    return 1;
}

void HMainWindow::SetAcceleratorTable(int32_t table) {
    if (m_doc.acceleratorId == table) {
        return;
    }
    m_doc.acceleratorId = table;
    const bool sheet = table == kAcceleratorsEstimateSheet;
    for (const auto& [id, action] : m_actions) {
        if (sheet) {
            action->setProperty(kMainShortcuts, QVariant::fromValue(action->shortcuts()));
            action->setShortcuts(QList<QKeySequence>{});
        } else {
            action->setShortcuts(action->property(kMainShortcuts).value<QList<QKeySequence>>());
        }
    }
    UpdateActions();
}

}  // namespace zarvik::gui
