#include "gui/panels/item_list_panel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTableView>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "core/app/system.h"
#include "core/canvas/canvas_controller.h"
#include "core/canvas/item_list_menu.h"
#include "core/canvas/shortcuts.h"
#include "core/doc/clipboard.h"
#include "core/doc/item_list.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/draw_list.h"
#include "core/items/item_object.h"
#include "draw/qt_text.h"
#include "gui/canvas/menu_entries.h"
#include "gui/panels/item_list_delegate.h"
#include "gui/panels/item_list_model.h"

namespace zarvik::gui {

namespace {

constexpr int kRowHeight = 18;

}  // namespace

HItemListPanel::HItemListPanel(CZarvikDoc& doc, HCanvasController& canvas, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_canvas(canvas) {
    m_model = new HItemListModel(doc, this);
    m_delegate = new HItemListDelegate(*m_model, this);
    m_view = new QTableView(this);
    m_filter = new QComboBox(this);
    for (const char* text : kItemListFilterTexts) {
        m_filter->addItem(draw::ToQString(text));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_filter);
    SetUpView();
    ReadColumnLayout();
    connect(m_filter, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_model->SetFilter(index); });
    m_doc.AddObserver(this);
}

HItemListPanel::~HItemListPanel() {
    m_doc.RemoveObserver(this);
    WriteColumnLayout();
}

void HItemListPanel::SetUpView() {
    m_view->setModel(m_model);
    m_view->setItemDelegate(m_delegate);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked);
    m_view->setShowGrid(false);
    m_view->setWordWrap(false);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    // Typing into the list itself is no text input; its editors take the input method.
    m_view->setAttribute(Qt::WA_InputMethodEnabled, false);
    QHeaderView* rows = m_view->verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(0);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(kRowHeight);
    QHeaderView* header = m_view->horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    for (int column = 0; column < kListColumnCount; ++column) {
        header->resizeSection(column, ItemListColumn(column).width);
    }
    // A press on a header, clicked or dragged, drops the cell edit unapplied.
    connect(header, &QHeaderView::sectionPressed, m_delegate, &HItemListDelegate::CancelEditing);
    connect(header, &QHeaderView::sectionClicked, this, &HItemListPanel::HeaderClicked);
    connect(m_view, &QWidget::customContextMenuRequested, this, &HItemListPanel::ShowRowMenu);
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
}

bool HItemListPanel::IsEditorOpen() const {
    return m_delegate->IsEditorOpen();
}

void HItemListPanel::HeaderClicked(int column) {
    m_model->ClickHeader(column);
    const HItemListSort& sort = m_model->Sort();
    m_view->horizontalHeader()->setSortIndicator(
        sort.column, sort.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void HItemListPanel::OnItemsAboutToGo(const HItemsGoing& going) {
    m_delegate->ForgetGoing(going);
    m_model->DropItems(going);
}

void HItemListPanel::OnDocumentChanged(const HDocChange& change) {
    if (!change.Has(~(kChangeTitle | kChangeModified))) {
        return;
    }
    m_model->Refresh();
    const int row = m_model->RowOf(dynamic_cast<const HItemObject*>(change.bringIntoView));
    if (row >= 0) {
        m_view->scrollTo(m_model->index(row, 0));
    }
}

QMenu* HItemListPanel::BuildRowMenu(int row) {
    const HItemListRow* shown = m_model->RowAt(row);
    if (shown == nullptr) {
        return nullptr;
    }
    // The jump refreshes the rows; shown is not looked at after it.
    m_canvas.JumpTo(shown->box, 0);
    const HCanvasMenu built = ItemListRowMenu(m_canvas.BuildContextMenu(Clipboard()));
    auto* menu = new QMenu(this);
    menu->setObjectName("ITEM-Draw");
    AddMenuEntries(*menu, built.entries, m_available);
    connect(menu, &QMenu::triggered, this,
            [this](QAction* action) { emit CommandChosen(action->data().toInt()); });
    return menu;
}

void HItemListPanel::ShowRowMenu(const QPoint& viewportPoint) {
    QMenu* menu = BuildRowMenu(m_view->indexAt(viewportPoint).row());
    if (menu != nullptr) {
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_view->viewport()->mapToGlobal(viewportPoint));
    }
}

bool HItemListPanel::TranslateKey(const QKeyEvent& event) {
    HShortcutInput input;
    input.key = event.key() == Qt::Key_Delete ? kKeyDelete : event.key();
    input.ctrl = event.modifiers().testFlag(Qt::ControlModifier) ? 1 : 0;
    input.lineSelected = m_doc.Lines().CountSelected() > 0 ? 1 : 0;
    input.listEditing = IsEditorOpen() ? 1 : 0;
    const int32_t command = TranslateShortcut(input);
    if (command != 0) {
        emit CommandChosen(command);
    }
    return command != 0;
}

bool HItemListPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        // The key still goes on to the list, as it would without a shortcut.
        TranslateKey(*static_cast<QKeyEvent*>(event));
    } else if (watched == m_view->viewport() && (event->type() == QEvent::MouseButtonPress ||
                                                 event->type() == QEvent::MouseButtonRelease)) {
        const auto& mouse = *static_cast<QMouseEvent*>(event);
        if (mouse.button() == Qt::LeftButton) {
            LeftButton(event->type() == QEvent::MouseButtonPress,
                       m_view->indexAt(mouse.position().toPoint()).row());
        }
    }
    return false;
}

void HItemListPanel::LeftButton(bool press, int row) {
    if (press) {
        m_pressRow = row;
        return;
    }
    // The release of a double click has no press of its own and jumps nowhere.
    if (!m_pressRow.has_value()) {
        return;
    }
    const int pressed = *m_pressRow;
    m_pressRow.reset();
    if (row == pressed) {
        // A click: a row toggles its box's selection, a click outside the rows clears it.
        const HItemListRow* clicked = m_model->RowAt(row);
        m_canvas.JumpTo(clicked != nullptr ? clicked->box : nullptr, clicked != nullptr);
    }
}

void HItemListPanel::ReadColumnLayout() {
    std::vector<std::string> values;
    for (int column = 0; column < kListColumnCount; ++column) {
        values.push_back(System().GetProfileString(kItemListSection, ItemListLayoutKey(column)));
    }
    std::vector<HListColumnLayout> layouts;
    if (!ParseColumnLayouts(values, layouts)) {
        return;
    }
    QHeaderView* header = m_view->horizontalHeader();
    for (int column = 0; column < kListColumnCount; ++column) {
        m_model->SetColumnFormat(column, layouts[column].format);
        header->resizeSection(column, layouts[column].width);
    }
    for (int position = 0; position < kListColumnCount; ++position) {
        for (int column = 0; column < kListColumnCount; ++column) {
            if (layouts[column].order == position) {
                header->moveSection(header->visualIndex(column), position);
            }
        }
    }
}

void HItemListPanel::WriteColumnLayout() const {
    HSystem& system = System();
    system.ClearProfileSection(kItemListSection);
    const QHeaderView* header = m_view->horizontalHeader();
    for (int column = 0; column < kListColumnCount; ++column) {
        const HListColumnLayout layout{m_model->ColumnFormat(column), header->sectionSize(column),
                                       header->visualIndex(column)};
        system.WriteProfileString(kItemListSection, ItemListLayoutKey(column),
                                  FormatColumnLayout(layout));
    }
}

}  // namespace zarvik::gui
