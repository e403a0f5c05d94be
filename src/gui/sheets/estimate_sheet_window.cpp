#include "gui/sheets/estimate_sheet_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>

#include "core/app/system.h"
#include "core/command/command_table.h"
#include "core/doc/zarvik_doc.h"
#include "core/fp/estimate.h"
#include "draw/qt_fonts.h"
#include "draw/qt_text.h"
#include "gui/frame/help_window.h"
#include "gui/sheets/estimate_chart.h"
#include "gui/sheets/rule_sheets.h"

namespace zarvik::gui {
namespace {

// The panes after the message pane: the first is kept empty, as in the main window's
// place of the mouse position.
constexpr int kPaneWidths[] = {80, 50, 50, 50, 100};

}  // namespace

HEstimateSheetWindow::HEstimateSheetWindow(CZarvikDoc& doc, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_doc(doc) {
    setObjectName(QStringLiteral("CKantanFrame"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("かんたん見積シート"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/zarvik.svg")));
    m_chart = new HEstimateChart(m_doc);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_chart);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFocusProxy(m_chart);
    setCentralWidget(m_scroll);
    connect(m_chart, &HEstimateChart::FocusMoved, this, &HEstimateSheetWindow::ShowBox);
    connect(m_chart, &HEstimateChart::MenuRequested, this, [this](int32_t id, const QPoint& at) {
        m_menus.at(KantanMenuOf(id).title)->popup(at);
    });
    BuildMenus();
    BuildStatusBar();
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this,
            &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { ShowContextHelp(focusWidget() != nullptr ? focusWidget() : this); });
    m_doc.AddObserver(this);
    WriteStatus();
    resize(WholeChartSize());
    m_chart->setFocus();
}

HEstimateSheetWindow::~HEstimateSheetWindow() {
    m_doc.RemoveObserver(this);
}

void HEstimateSheetWindow::BuildMenus() {
    for (const HKantanMenu& menu : KantanMenus()) {
        QMenu* shown = menuBar()->addMenu(draw::ToQString(menu.title));
        for (const HKantanMenuEntry& entry : menu.entries) {
            if (entry.action == HKantanAction::Separator) {
                shown->addSeparator();
                continue;
            }
            QAction* action = shown->addAction(draw::ToQString(entry.text));
            if (const HCommandInfo* info = FindCommand(entry.command); info != nullptr) {
                action->setStatusTip(draw::ToQString(info->prompt));
            }
            // The entries live as long as the program.
            connect(action, &QAction::triggered, this, [this, &entry] { Run(entry); });
        }
        connect(shown, &QMenu::aboutToShow, this,
                [this, shown, &menu] { UpdateMenu(shown, menu); });
        UpdateMenu(shown, menu);
        m_menus[menu.title] = shown;
    }
}

void HEstimateSheetWindow::SetCommandAvailability(HCommandAvailability available) {
    m_available = std::move(available);
    for (const HKantanMenu& menu : KantanMenus()) {
        UpdateMenu(m_menus.at(menu.title), menu);
    }
}

void HEstimateSheetWindow::UpdateMenu(QMenu* shown, const HKantanMenu& menu) {
    const QList<QAction*> actions = shown->actions();
    for (int i = 0; i < actions.size() && i < static_cast<int>(menu.entries.size()); ++i) {
        const HKantanMenuEntry& entry = menu.entries[static_cast<std::size_t>(i)];
        bool enabled = entry.action != HKantanAction::Unavailable;
        if (entry.action == HKantanAction::Command) {
            enabled = m_available && m_available(entry.command);
        }
        actions[i]->setEnabled(enabled);
    }
}

void HEstimateSheetWindow::BuildStatusBar() {
    const QFont font = draw::FixedGothicFont(statusBar()->font().pointSizeF());
    for (int pane = 1; pane <= 5; ++pane) {
        auto* label = new QLabel(this);
        label->setFont(font);
        label->setMinimumWidth(kPaneWidths[pane - 1]);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
        m_panes[pane] = label;
    }
}

QSize HEstimateSheetWindow::WholeChartSize() const {
    const int frame = 2 * m_scroll->frameWidth();
    return m_chart->minimumSize() +
           QSize(frame, frame + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
}

QMenu* HEstimateSheetWindow::Menu(std::string_view title) const {
    const auto found = m_menus.find(title);
    return found == m_menus.end() ? nullptr : found->second;
}

QString HEstimateSheetWindow::PaneText(int pane) const {
    const auto found = m_panes.find(pane);
    return found == m_panes.end() ? QString() : found->second->text();
}

void HEstimateSheetWindow::WriteStatus() {
    // The same computation as the chart's, so that both always agree.
    HInfoKousuu result;
    ComputeEstimate(m_doc.FunctionRecords(), System().CurrentRules(), result);
    const HEstimateStatus status = GetEstimateStatus(result);
    m_panes[2]->setText(draw::ToQString(status.data));
    m_panes[3]->setText(draw::ToQString(status.transaction));
    m_panes[4]->setText(draw::ToQString(status.ufp));
    m_panes[5]->setText(draw::ToQString(status.effort));
}

void HEstimateSheetWindow::OnDocumentChanged(const HDocChange& change) {
    if (change.Has(kChangeEstimate | kChangeRules | kChangeRecords | kChangeStructure)) {
        WriteStatus();
        m_chart->update();
    }
}

void HEstimateSheetWindow::Run(const HKantanMenuEntry& entry) {
    const std::vector<int> pages(entry.pages.begin(), entry.pages.end());
    switch (entry.action) {
        case HKantanAction::Close:
            close();
            break;
        // The sheets recompute the estimate when they close; the notice repaints.
        case HKantanAction::MeasurementRules:
            RunMeasurementRulesSheet(m_doc, this, pages);
            break;
        case HKantanAction::ReferenceRules:
            RunReferenceRulesSheet(m_doc, this, pages);
            break;
        case HKantanAction::Command:
            if (m_available && m_available(entry.command)) {
                emit CommandChosen(entry.command);
            }
            break;
        case HKantanAction::Help:
            ShowHelp(this, HHelpRequest::Topic, draw::ToQString(entry.help));
            break;
        case HKantanAction::Separator:
        case HKantanAction::Unavailable:
            break;
    }
}

void HEstimateSheetWindow::ShowBox(const QRect& box) {
    // The whole box, not only its centre.
    m_scroll->ensureVisible(box.center().x(), box.center().y(), box.width() / 2 + 1,
                            box.height() / 2 + 1);
}

void HEstimateSheetWindow::closeEvent(QCloseEvent* event) {
    emit Closed();
    event->accept();
}

}  // namespace zarvik::gui
