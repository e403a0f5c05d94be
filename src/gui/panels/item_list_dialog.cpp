#include "gui/panels/item_list_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include "core/doc/zarvik_doc.h"
#include "draw/qt_text.h"
#include "gui/frame/help_window.h"
#include "gui/panels/item_outline_model.h"
#include "gui/panels/outline_images.h"
#include "gui/panels/outline_row_delegate.h"

namespace zarvik::gui {

namespace {

constexpr int kRowHeight = 18;
constexpr int kNameWidth = 200;
constexpr int kRemarkWidth = 250;
constexpr int kDialogSize = 400;

QIcon ApplicationIcon(const QWidget* parent) {
    const QString resource = QStringLiteral(":/icons/zarvik.svg");
    if (QFile::exists(resource)) {
        return QIcon(resource);
    }
    return parent ? parent->windowIcon() : QApplication::windowIcon();
}

}  // namespace

HItemListDialog::HItemListDialog(CZarvikDoc& doc, Kind kind, QWidget* parent) : QDialog(parent) {
    const HOutlineList list =
        kind == Kind::Files ? HOutlineList::Files : HOutlineList::Transactions;
    setObjectName(kind == Kind::Files ? "CDlgViewFile" : "CDlgViewTask");
    AddContextHelpKey(this);
    setWindowTitle(kind == Kind::Files ? QStringLiteral("ファイル項目一覧")
                                       : QStringLiteral("トランザクション項目一覧"));
    setWindowIcon(ApplicationIcon(parent));
    setSizeGripEnabled(true);

    for (int32_t view : {kOutlineViewDet, kOutlineViewRet}) {
        auto& outline = m_outlines[static_cast<std::size_t>(view)];
        outline = std::make_unique<HItemOutline>(list, view);
        outline->Build(doc.Boxes());
    }

    m_model = new HItemOutlineModel(this);
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setItemDelegate(new HOutlineRowDelegate(m_table));
    m_table->setSortingEnabled(false);
    m_table->setShowGrid(false);
    m_table->setWordWrap(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setIconSize(QSize(kOutlineImageSize, kOutlineImageSize));
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionsMovable(true);
    header->setSortIndicatorShown(false);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->resizeSection(0, kNameWidth);
    header->resizeSection(1, kRemarkWidth);

    m_viewCombo = new QComboBox(this);
    for (const std::string& text : OutlineViewTexts(list)) {
        m_viewCombo->addItem(draw::ToQString(text));
    }

    // The list takes what the combo box, kept at the bottom, leaves.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_viewCombo);

    connect(m_table, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { m_model->ToggleRow(index.row()); });
    connect(m_viewCombo, &QComboBox::currentIndexChanged, this,
            [this](int view) { ShowView(view); });
    ShowView(kOutlineViewDet);
    resize(kDialogSize, kDialogSize);
}

// The model goes with the child widgets, after the outlines: it must not show them then.
HItemListDialog::~HItemListDialog() {
    m_model->SetOutline(nullptr);
}

void HItemListDialog::ShowView(int view) {
    if (view < 0 || view >= static_cast<int>(m_outlines.size())) {
        return;
    }
    m_model->SetOutline(m_outlines[static_cast<std::size_t>(view)].get());
}

}  // namespace zarvik::gui
