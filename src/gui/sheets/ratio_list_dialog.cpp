#include "gui/sheets/ratio_list_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/app/system.h"
#include "core/doc/zarvik_doc.h"
#include "core/fp/rule_sheet_rows.h"
#include "draw/qt_text.h"
#include "gui/frame/help_window.h"

namespace zarvik::gui {
namespace {

const HInfoSysMgrHiritu& Ratios() {
    return System().CurrentRules().hiritu;
}

}  // namespace

HRatioListDialog::HRatioListDialog(const CZarvikDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc) {
    setObjectName("CDlgViewHiritu");
    setWindowTitle(QStringLiteral("標準的開発項目と概略工数一覧"));
    AddContextHelpKey(this);
    m_fields = new QComboBox(this);
    m_fields->setObjectName("fieldCombo");
    for (const HHirituListRow& row : HirituListRows(Ratios())) {
        m_fields->addItem(draw::ToQString(row.name));
    }
    m_list = new QTreeWidget(this);
    m_list->setObjectName("itemList");
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("No."), QStringLiteral("項目名"),
                             QStringLiteral("比率"), QStringLiteral("FP値"),
                             QStringLiteral("工数")});
    m_list->setColumnWidth(0, 40);
    m_list->setColumnWidth(1, 220);
    for (int column = 2; column < 5; ++column) {
        m_list->setColumnWidth(column, 80);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fields);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(560, 520);

    connect(m_fields, &QComboBox::currentIndexChanged, this, &HRatioListDialog::ShowField);
    const int rows = m_fields->count();
    const int selected = rows == 0 ? -1 : std::clamp(Ratios().SelectHirituType, 0, rows - 1);
    m_fields->setCurrentIndex(selected);
}

void HRatioListDialog::ShowField(int field) {
    m_list->clear();
    for (const HDevelopmentItemRow& row : DevelopmentItemRows(Ratios(), field, m_doc.estimate)) {
        auto* item = new QTreeWidgetItem(
            m_list, {draw::ToQString(row.no), draw::ToQString(row.name), draw::ToQString(row.ratio),
                     draw::ToQString(row.fp), draw::ToQString(row.effort)});
        for (int column : {0, 2, 3, 4}) {
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
}

int RunRatioListDialog(const CZarvikDoc& doc, QWidget* parent) {
    HRatioListDialog dialog(doc, parent);
    dialog.exec();
    return 1;
}

}  // namespace zarvik::gui
