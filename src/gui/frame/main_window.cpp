#include "gui/frame/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "core/command/command_ids.h"
#include "core/command/command_table.h"
#include "core/doc/clipboard.h"
#include "gui/canvas/canvas_widget.h"
#include "gui/ports/qt_text.h"

namespace zarvik::gui {
namespace {

// The status bar's panes: coordinates, then the four estimate figures.
constexpr int kStatusPanes = 5;

// The menu text of a command, its shortcut after a tab moved to the action itself.
QString MenuText(const HCommandInfo& info) {
    QString text = ToQString(info.menuText);
    const qsizetype tab = text.indexOf('\t');
    return tab < 0 ? text : text.left(tab);
}

}  // namespace

HMainWindow::HMainWindow() {
    m_ui.SetWindow(this);
    SetUiPort(&m_ui);
    m_canvas = new HCanvasWidget(m_doc, this);
    setCentralWidget(m_canvas);
    m_router = std::make_unique<HCommandRouter>(m_doc, &m_canvas->Controller(), this, Clipboard());
    connect(m_canvas, &HCanvasWidget::CommandChosen, this, [this](int id) {
        m_router->Run(id);
        UpdateActions();
    });

    AddMenu("ファイル(&F)",
            {kCmdFileNew, kCmdFileOpen, kCmdFileSave, kCmdFileSaveAs, 0, kCmdAppExit});
    AddMenu("編集(&E)", {kCmdUndo, kCmdRedo, 0, kCmdItemDelete, kCmdLineDelete});
    AddMenu("挿入(&I)", {kCmdPlaceFile, kCmdPlaceTask, kCmdPlaceOther, kCmdPlaceBorder,
                         kCmdPlaceFunction, kCmdPlaceView, 0, kCmdLineStart});

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int pane = 1; pane <= kStatusPanes; ++pane) {
        auto* label = new QLabel(this);
        label->setFont(fixed);
        label->setMinimumWidth(pane == 1 ? 120 : 90);
        statusBar()->addPermanentWidget(label);
        m_ui.SetPane(pane, label);
    }
    m_doc.AddObserver(this);
    m_panes = std::make_unique<HStatusPanes>(m_doc);
    m_doc.NewDocument();
    UpdateTitle();
    UpdateActions();
    resize(1024, 720);
}

HMainWindow::~HMainWindow() {
    // The canvas watches the document: it goes while the document is still there, not with
    // the other child widgets after the members.
    m_router.reset();
    delete m_canvas;
    m_panes.reset();
    m_doc.RemoveObserver(this);
    SetUiPort(nullptr);
}

QMenu* HMainWindow::AddMenu(const char* title, const std::vector<int32_t>& ids) {
    QMenu* menu = menuBar()->addMenu(ToQString(title));
    for (const int32_t id : ids) {
        const HCommandInfo* info = id != 0 ? FindCommand(id) : nullptr;
        if (info == nullptr) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(MenuText(*info));
        action->setData(id);
        action->setStatusTip(ToQString(info->prompt));
        if (!info->shortcut.empty()) {
            action->setShortcut(QKeySequence(ToQString(info->shortcut)));
        }
        connect(action, &QAction::triggered, this, [this, id] {
            m_router->Run(id);
            UpdateActions();
        });
        m_actions.push_back(action);
    }
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateActions(); });
    return menu;
}

QAction* HMainWindow::Action(int32_t id) const {
    for (QAction* action : m_actions) {
        if (action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

void HMainWindow::UpdateActions() {
    for (QAction* action : m_actions) {
        const int32_t id = action->data().toInt();
        action->setEnabled(m_router->IsEnabled(id) != 0);
        action->setCheckable(m_router->IsChecked(id) != 0);
        action->setChecked(m_router->IsChecked(id) != 0);
    }
}

void HMainWindow::UpdateTitle() {
    const std::string title = m_doc.Title().empty() ? "無題" : m_doc.Title();
    setWindowTitle(ToQString(title) + "[*] - Zarvik");
    setWindowModified(m_doc.IsChanged() != 0);
}

int HMainWindow::RunWindowCommand(int32_t id) {
    if (id == kCmdAppExit) {
        close();
        return 1;
    }
    return 0;
}

void HMainWindow::OnDocumentChanged(const HDocChange&) {
    UpdateTitle();
    UpdateActions();
}

void HMainWindow::closeEvent(QCloseEvent* event) {
    if (m_doc.ConfirmClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace zarvik::gui
