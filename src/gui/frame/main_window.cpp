#include "gui/frame/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <cmath>

#include "core/app/system.h"
#include "core/command/command_ids.h"
#include "core/command/command_table.h"
#include "core/doc/clipboard.h"
#include "core/items/item_line.h"
#include "core/items/item_object.h"
#include "draw/qt_fonts.h"
#include "draw/qt_text.h"
#include "gui/canvas/auto_layout_driver.h"
#include "gui/canvas/canvas_widget.h"
#include "gui/canvas/print_commands.h"
#include "gui/frame/about_dialog.h"
#include "gui/frame/bar_state.h"
#include "gui/frame/compare_dialog.h"
#include "gui/frame/export_commands.h"
#include "gui/frame/flow_properties_dialog.h"
#include "gui/frame/help_window.h"
#include "gui/frame/system_settings_dialog.h"
#include "gui/panels/estimate_panel.h"
#include "gui/panels/item_list_dialog.h"
#include "gui/panels/item_list_panel.h"
#include "gui/panels/zoom_combo.h"
#include "gui/resources/gui_resources.h"
#include "gui/sheets/display_sheets.h"
#include "gui/sheets/estimate_sheet_window.h"
#include "gui/sheets/format_sheets.h"
#include "gui/sheets/ratio_list_dialog.h"
#include "gui/sheets/rule_sheets.h"

namespace zarvik::gui {
namespace {

// The status bar's panes after the message pane: their first texts and widths.
struct HPaneLayout {
    const char* text;
    int width;
};
constexpr HPaneLayout kPanes[] = {
    {"(0,0)", 80}, {"DATA=", 50}, {"TRAN=", 50}, {"FP=", 50}, {"工数=", 100}};

// A shortcut that two commands share ("Del", "Ctrl+C") is the canvas's to translate by what
// is selected (F5 the window's, by whether the estimate sheet is open); only shortcuts of
// one command go on the actions.
bool IsSharedShortcut(std::string_view shortcut) {
    int users = 0;
    for (const HCommandInfo& info : CommandTable()) {
        users += info.shortcut == shortcut ? 1 : 0;
    }
    return users > 1;
}

QIcon IconOf(const HCommandInfo& info) {
    return info.icon.empty() ? QIcon() : QIcon(":/icons/" + draw::ToQString(info.icon) + ".svg");
}

}  // namespace

HMainWindow::HMainWindow() {
    InitGuiResources();
    m_ui.SetWindow(this);
    m_ui.SetRecentFileSink([this](const std::string& path) { AddRecentFile(path); });
    SetUiPort(&m_ui);
    setWindowIcon(QIcon(QStringLiteral(":/icons/zarvik.svg")));
    m_canvas = new HCanvasWidget(m_doc, this);
    setCentralWidget(m_canvas);
    m_print = std::make_unique<HPrintCommands>(this);
    m_layout = new HAutoLayoutDriver(m_doc, *m_canvas, this);
    connect(m_layout, &HAutoLayoutDriver::RunningChanged, this, [this] { UpdateActions(); });
    // A press, a key or a drop on the canvas ends a running layout first.
    m_canvas->viewport()->installEventFilter(this);
    m_canvas->installEventFilter(this);
    m_router = std::make_unique<HCommandRouter>(m_doc, &m_canvas->Controller(), this, Clipboard());
    connect(m_canvas, &HCanvasWidget::CommandChosen, this, [this](int id) { RunCommand(id); });

    BuildActions();
    const auto available = [this](int32_t id) { return HasWindowCommand(id) != 0; };
    m_canvas->SetCommandAvailability(available);
    AddMenu("ファイル(&F)", {kCmdFileNew,
                             kCmdFileOpen,
                             kCmdFileSave,
                             kCmdFileSaveAs,
                             0,
                             kCmdFlowProperties,
                             0,
                             kCmdExportTransactions,
                             kCmdExportFiles,
                             0,
                             kCmdExportPicture,
                             kCmdExportEstimatePdf,
                             0,
                             kCmdPrint,
                             kCmdPrintPreview,
                             kCmdPageSetup,
                             kCmdPrintSetup,
                             0,
                             kCmdRecentFileFirst,
                             kCmdRecentFileFirst + 1,
                             kCmdRecentFileFirst + 2,
                             kCmdRecentFileFirst + 3,
                             0,
                             kCmdAppExit});
    QMenu* edit = AddMenu(
        "編集(&E)", {kCmdUndo, kCmdRedo, 0, kCmdItemDelete, 0, kCmdItemFormat, kCmdItemProperties,
                     kCmdItemFormatCopy, kCmdItemFormatPaste, 0, kCmdLineVisibility, 0});
    FillMenu(edit->addMenu(QStringLiteral("重ね順(&O)")),
             {kCmdSendToHead, kCmdBringToTail, kCmdStepTowardTail, kCmdStepTowardHead});
    FillMenu(edit, {0, kCmdAutoLayout});
    AddMenu("表示(&V)", {kCmdStandardBar, kCmdFpItemBar, kCmdDisplayItemBar, kCmdManagementItemBar,
                         kCmdStackingBar, kCmdViewSettingsBar, kCmdStatusBar, 0, kCmdItemListPanel,
                         kCmdEstimatePanel});
    AddMenu("挿入(&I)", {kCmdPlaceFile, kCmdPlaceTask, 0, kCmdPlaceBorder, kCmdPlaceOther,
                         kCmdPlaceImage, 0, kCmdPlaceFunction, kCmdPlaceView, 0, kCmdLineTool});
    AddMenu("ツール(&T)",
            {kCmdRuleSettings, kCmdReferenceSettings, 0, kCmdEstimateSheet, kCmdRatioList, 0,
             kCmdFileItemList, kCmdTaskItemList, 0, kCmdCompareDocuments, 0, kCmdSystemSettings});
    AddMenu("ヘルプ(&H)",
            {kCmdHelpContents, kCmdHelpSearch, kCmdHelpIndex, 0, kCmdContextHelp, 0, kCmdAbout});

    m_bars[kCmdStandardBar] = AddToolBar("標準", "StandardBar",
                                         {kCmdFileNew, kCmdFileOpen, kCmdFileSave, 0, kCmdUndo,
                                          kCmdRedo, 0, kCmdPrint, 0, kCmdAbout});
    m_bars[kCmdFpItemBar] =
        AddToolBar("FPｱｲﾃﾑ", "FpItemBar", {kCmdLineTool, kCmdPlaceTask, kCmdPlaceFile});
    m_bars[kCmdDisplayItemBar] =
        AddToolBar("表示ｱｲﾃﾑ", "DisplayItemBar", {kCmdPlaceBorder, kCmdPlaceOther, kCmdPlaceImage});
    m_bars[kCmdManagementItemBar] =
        AddToolBar("管理ｱｲﾃﾑ", "ManagementItemBar", {kCmdPlaceFunction, kCmdPlaceView});
    m_bars[kCmdStackingBar] =
        AddToolBar("重ね順変更", "StackingBar",
                   {kCmdSendToHead, kCmdBringToTail, kCmdStepTowardTail, kCmdStepTowardHead});
    QToolBar* view = AddToolBar("表示設定", "ViewSettingsBar", {});
    m_zoom = new HZoomCombo(view);
    view->addWidget(m_zoom);
    m_zoom->ShowZoom(m_canvas->Zoom());
    connect(m_zoom, &HZoomCombo::ZoomChosen, this, [this](float zoom) {
        m_canvas->SetZoom(zoom);
        m_canvas->setFocus();
    });
    m_bars[kCmdViewSettingsBar] = view;

    m_itemList = new HItemListPanel(m_doc, m_canvas->Controller(), this);
    m_itemList->SetCommandAvailability(available);
    connect(m_itemList, &HItemListPanel::CommandChosen, this, [this](int id) { RunCommand(id); });
    m_bars[kCmdItemListPanel] = AddDock("アイテム一覧", "ObjectListBar", m_itemList);
    m_estimate = new HEstimatePanel(m_doc, this);
    connect(m_estimate, &HEstimatePanel::CommandChosen, this, [this](int id) { RunCommand(id); });
    m_bars[kCmdEstimatePanel] = AddDock("見積の計算式と算出値", "EstimateBar", m_estimate);
    resizeDocks({static_cast<QDockWidget*>(m_bars[kCmdItemListPanel])}, {330}, Qt::Horizontal);

    BuildStatusBar();
    m_bars[kCmdStatusBar] = statusBar();

    // F6 and Shift+F6 walk the canvas and the panels.
    connect(new QShortcut(QKeySequence(Qt::Key_F6), this), &QShortcut::activated, this,
            [this] { FocusNextPane(1); });
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this), &QShortcut::activated, this,
            [this] { FocusNextPane(-1); });
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this, [this] {
        RunCommand(m_doc.acceleratorId == kAcceleratorsEstimateSheet ? kCmdEstimateSheetClose
                                                                     : kCmdEstimateSheet);
    });

    m_doc.AddObserver(this);
    m_panes = std::make_unique<HStatusPanes>(m_doc);
    m_doc.NewDocument();
    m_recent.Load(System());
    UpdateRecentActions();
    resize(1024, 720);
    RestoreBarState(*this);
    UpdateTitle();
    UpdateActions();
}

HMainWindow::~HMainWindow() {
    CloseHelpWindows();
    delete m_compare;  // it watches the document and marks the canvas
    m_canvas->viewport()->removeEventFilter(this);
    m_canvas->removeEventFilter(this);
    delete m_layout;  // never touches the document: a run in progress is dropped
    // A closed estimate sheet waits for its deferred delete; it goes now, with the document.
    for (HEstimateSheetWindow* sheet :
         findChildren<HEstimateSheetWindow*>(Qt::FindDirectChildrenOnly)) {
        delete sheet;
    }
    m_sheet = nullptr;
    // The panels and the canvas watch the document: they go while the document is still
    // there, not with the other child widgets after the members; the item list before the
    // canvas whose controller it uses.
    m_router.reset();
    for (QDockWidget* dock : findChildren<QDockWidget*>()) {
        delete dock;
    }
    delete m_canvas;
    m_panes.reset();
    m_doc.RemoveObserver(this);
    SetUiPort(nullptr);
}

void HMainWindow::BuildActions() {
    for (const HCommandInfo& info : CommandTable()) {
        if (info.id >= kLinkCommandFirst && info.id <= kLinkCommandLast) {
            continue;  // the context menus make their own
        }
        const int32_t id = info.id;
        QString text = draw::ToQString(info.menuText);
        const bool bind = !info.shortcut.empty() && !IsSharedShortcut(info.shortcut);
        if (bind) {
            text = text.section('\t', 0, 0);  // the action shows its own shortcut
        }
        auto* action = new QAction(IconOf(info), text, this);
        action->setData(id);
        action->setStatusTip(draw::ToQString(info.prompt));
        action->setToolTip(draw::ToQString(info.toolTip.empty() ? info.menuText : info.toolTip));
        if (bind) {
            QList<QKeySequence> keys{QKeySequence(draw::ToQString(info.shortcut))};
            if (id == kCmdUndo) {
                keys << QKeySequence(Qt::ALT | Qt::Key_Backspace);
            }
            action->setShortcuts(keys);
        }
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        m_actions[id] = action;
    }
}

void HMainWindow::FillMenu(QMenu* menu, const std::vector<int32_t>& ids) {
    for (const int32_t id : ids) {
        if (QAction* action = Action(id); action != nullptr) {
            menu->addAction(action);
        } else {
            menu->addSeparator();
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateActions(); });
}

QMenu* HMainWindow::AddMenu(const char* title, const std::vector<int32_t>& ids) {
    QMenu* menu = menuBar()->addMenu(draw::ToQString(title));
    FillMenu(menu, ids);
    return menu;
}

QToolBar* HMainWindow::AddToolBar(const char* title, const char* name,
                                  const std::vector<int32_t>& ids) {
    QToolBar* bar = addToolBar(draw::ToQString(title));
    bar->setObjectName(QString::fromLatin1(name));
    bar->setIconSize(QSize(20, 20));
    for (const int32_t id : ids) {
        if (QAction* action = Action(id); action != nullptr) {
            bar->addAction(action);
        } else {
            bar->addSeparator();
        }
    }
    connect(bar, &QToolBar::visibilityChanged, this, [this] { UpdateActions(); });
    return bar;
}

QDockWidget* HMainWindow::AddDock(const char* title, const char* name, QWidget* content) {
    auto* dock = new QDockWidget(draw::ToQString(title), this);
    dock->setObjectName(QString::fromLatin1(name));
    dock->setWidget(content);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    connect(dock, &QDockWidget::visibilityChanged, this, [this] { UpdateActions(); });
    return dock;
}

void HMainWindow::BuildStatusBar() {
    const QFont font = draw::FixedGothicFont(statusBar()->font().pointSizeF());
    for (int pane = 1; pane <= 5; ++pane) {
        const HPaneLayout& layout = kPanes[pane - 1];
        auto* label = new QLabel(draw::ToQString(layout.text), this);
        label->setFont(font);
        label->setMinimumWidth(layout.width);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
        m_ui.SetPane(pane, label);
    }
}

QAction* HMainWindow::Action(int32_t id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

int HMainWindow::RunCommand(int32_t id) {
    // Whatever the command, the layout does not go on under it: it may replace, delete or
    // move the very boxes the layout is moving.
    m_layout->Stop();
    const int done = m_router->Run(id);
    UpdateActions();
    return done;
}

QWidget* HMainWindow::BarOf(int32_t id) const {
    const auto found = m_bars.find(id);
    return found == m_bars.end() ? nullptr : found->second;
}

int HMainWindow::IsBarVisible(int32_t id) const {
    const QWidget* bar = BarOf(id);
    return bar != nullptr && !bar->isHidden() ? 1 : 0;
}

// The box when exactly one is selected, else null.
HItemObject* HMainWindow::SelectedBox() const {
    const HDrawList& boxes = m_doc.Boxes();
    if (boxes.CountSelected() != 1) {
        return nullptr;
    }
    HItemCore* item = boxes.NextSelected(nullptr, 1);
    return item != nullptr && item->kind >= kKindFile && item->kind <= kKindImageBox
               ? dynamic_cast<HItemObject*>(item)
               : nullptr;
}

int HMainWindow::HasWindowCommand(int32_t id) const {
    switch (id) {
        // Every kind of box has its settings sheet.
        case kCmdItemProperties:
            return SelectedBox() != nullptr ? 1 : 0;
        default:
            return 1;
    }
}

int HMainWindow::RunWindowCommand(int32_t id) {
    if (QWidget* bar = BarOf(id); bar != nullptr) {
        bar->setVisible(bar->isHidden());
        UpdateActions();
        return 1;
    }
    if (id >= kCmdRecentFileFirst && id <= kCmdRecentFileLast) {
        const std::string path = m_recent.At(id - kCmdRecentFileFirst);
        return path.empty() ? 0 : m_doc.OpenPath(path);
    }
    switch (id) {
        case kCmdAppExit:
            close();
            return 1;
        case kCmdAbout:
            ShowAboutBox(this);
            return 1;
        case kCmdEstimateSheet:
            return OpenEstimateSheet();
        case kCmdEstimateSheetClose:
            return m_sheet != nullptr && m_sheet->close() ? 1 : 0;
        case kCmdAutoLayout:
            m_layout->Start();
            return 1;
        case kCmdExportPicture:
            return ExportPicture(m_doc, static_cast<int>(std::lround(m_canvas->Zoom() * 100)));
        case kCmdExportEstimatePdf:
            return ExportEstimatePdf(m_doc);
        case kCmdCompareDocuments:
            return OpenComparison();
        case kCmdPageSetup:
            return m_print->RunPageSetup();
        case kCmdPrintSetup:
            return m_print->RunPrinterSetup();
        case kCmdPrint:
            return m_print->RunPrintDialog(m_doc, m_canvas->CanvasSizeNow());
        case kCmdPrintDirect:
            return m_print->PrintDirect(m_doc, m_canvas->CanvasSizeNow());
        case kCmdPrintPreview:
            return m_print->RunPrintPreview(m_doc, m_canvas->CanvasSizeNow());
        case kCmdSystemSettings: {
            HSystemSettingsDialog dialog(this);
            dialog.exec();
            m_canvas->UpdateExtent();
            m_canvas->Redraw();
            return 1;
        }
        case kCmdItemProperties: {
            HItemObject* box = SelectedBox();
            return box != nullptr ? RunItemSettingsSheet(m_doc, *box, this) : 0;
        }
        case kCmdItemFormat: {
            HItemObject* box = SelectedBox();
            return box != nullptr ? RunBoxFormatSheet(m_doc, *box, this) : 0;
        }
        case kCmdLineFormat: {
            auto* line = dynamic_cast<HItemLine*>(m_doc.Lines().NextSelected(nullptr, 1));
            return line != nullptr ? RunLineFormatSheet(m_doc, *line, this) : 0;
        }
        case kCmdRuleSettings:
            return RunMeasurementRulesSheet(m_doc, this) == QDialog::Accepted ? 1 : 0;
        case kCmdReferenceSettings:
            return RunReferenceRulesSheet(m_doc, this) == QDialog::Accepted ? 1 : 0;
        case kCmdFlowProperties: {
            HFlowPropertiesDialog dialog(m_doc, this);
            return dialog.exec() == QDialog::Accepted ? 1 : 0;
        }
        case kCmdHelpContents:
        case kCmdHelpFinder:
        case kCmdHelpUsing:
        case kCmdDefaultHelp:
            return ShowHelp(this, HHelpRequest::Contents);
        case kCmdHelpSearch:
            return ShowHelp(this, HHelpRequest::Search);
        case kCmdHelpIndex:
            return ShowHelp(this, HHelpRequest::Index);
        case kCmdHelp:
        case kCmdContextHelp: {
            QWidget* under = QApplication::widgetAt(QCursor::pos());
            return ShowContextHelp(under != nullptr && isAncestorOf(under) ? under : focusWidget());
        }
        case kCmdRatioList:
            return RunRatioListDialog(m_doc, this);
        case kCmdFileItemList:
        case kCmdTaskItemList: {
            HItemListDialog dialog(m_doc,
                                   id == kCmdFileItemList ? HItemListDialog::Kind::Files
                                                          : HItemListDialog::Kind::Transactions,
                                   this);
            dialog.exec();
            return 1;
        }
        default:
            return 0;
    }
}

int HMainWindow::OpenComparison() {
    HFileChooser chooser;
    chooser.title = "比較するファイル";
    chooser.filter = kDocumentFilter;
    // The other version mostly lies beside the open one.
    const std::string& path = m_doc.PathName();
    chooser.defaultName = path.substr(0, path.rfind('/') + 1);
    const std::optional<std::string> chosen = UiPort().ChooseOpenFile(chooser);
    if (!chosen || chosen->empty()) {
        return 0;
    }
    delete m_compare;  // one comparison at a time
    auto* dialog = new HCompareDialog(m_doc, *m_canvas, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (!dialog->Load(*chosen)) {
        delete dialog;
        return 0;
    }
    m_compare = dialog;
    dialog->show();
    return 1;
}

void HMainWindow::AddRecentFile(const std::string& path) {
    m_recent.Add(path);
    UpdateRecentActions();
}

void HMainWindow::UpdateRecentActions() {
    for (int i = 0; i < kCmdRecentFileCount; ++i) {
        QAction* action = Action(kCmdRecentFileFirst + i);
        const std::string path = m_recent.At(i);
        action->setVisible(!path.empty() || (i == 0 && m_recent.Count() == 0));
        action->setText(path.empty()
                            ? QStringLiteral("最近使ったファイル")
                            : QStringLiteral("&%1 %2").arg(i + 1).arg(draw::ToQString(path)));
        action->setEnabled(!path.empty());
    }
}

void HMainWindow::FocusNextPane(int step) {
    std::vector<QWidget*> panes{m_canvas};
    for (QDockWidget* dock : findChildren<QDockWidget*>()) {
        if (!dock->isHidden() && dock->widget() != nullptr) {
            panes.push_back(dock->widget());
        }
    }
    int at = 0;
    for (int i = 0; i < static_cast<int>(panes.size()); ++i) {
        if (panes[i]->isAncestorOf(focusWidget()) || panes[i] == focusWidget()) {
            at = i;
        }
    }
    const int count = static_cast<int>(panes.size());
    panes[((at + step) % count + count) % count]->setFocus(Qt::ShortcutFocusReason);
}

void HMainWindow::UpdateActions() {
    for (const auto& [id, action] : m_actions) {
        if (id >= kCmdRecentFileFirst && id <= kCmdRecentFileLast) {
            continue;
        }
        const int checked = m_router->IsChecked(id);
        action->setEnabled(m_router->IsEnabled(id) != 0 &&
                           !(id == kCmdAutoLayout && m_layout->IsRunning()));
        action->setCheckable(checked != 0 || BarOf(id) != nullptr);
        action->setChecked(checked != 0);
    }
}

void HMainWindow::UpdateTitle() {
    const std::string title = m_doc.Title().empty() ? "無題" : m_doc.Title();
    setWindowTitle(draw::ToQString(title) + "[*] - Zarvik");
    setWindowModified(m_doc.IsChanged() != 0);
}

void HMainWindow::OnDocumentChanged(const HDocChange& change) {
    if (change.Has(kChangeTitle | kChangeModified | kChangeItems)) {
        UpdateTitle();
    }
    UpdateActions();
}

QMenu* HMainWindow::createPopupMenu() {
    auto* menu = new QMenu(this);
    FillMenu(menu, {kCmdStandardBar, kCmdFpItemBar, kCmdDisplayItemBar, kCmdManagementItemBar,
                    kCmdStackingBar, kCmdViewSettingsBar, kCmdStatusBar, 0, kCmdItemListPanel,
                    kCmdEstimatePanel});
    UpdateActions();
    return menu;
}

bool HMainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Drop:
            m_layout->Stop();
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void HMainWindow::closeEvent(QCloseEvent* event) {
    // The layout stops first, so that the document is whole when the questions come.
    m_layout->Stop();
    if (!m_doc.ConfirmClose()) {
        event->ignore();
        return;
    }
    SaveBarState(*this);
    m_recent.Save(System());
    event->accept();
}

}  // namespace zarvik::gui
