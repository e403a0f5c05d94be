#include "gui/sheets/rule_row_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/fp/rule_fields.h"
#include "core/fp/rule_sheet_rows.h"
#include "draw/qt_text.h"
#include "gui/frame/cp932_validator.h"
#include "gui/frame/help_window.h"
#include "gui/sheets/decimal_field.h"

namespace zarvik::gui {
namespace {

// "設定" and "ｷｬﾝｾﾙ" under the dialog's own widgets.
void AddButtons(QDialog* dialog, QVBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("設定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    AddContextHelpKey(dialog);
    QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("cancelButton");
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
}

QLineEdit* AddTextRow(QFormLayout* form, const QString& label, const std::string& text,
                      const char* name) {
    auto* edit = new QLineEdit(draw::ToQString(text));
    edit->setObjectName(name);
    edit->setValidator(new HCp932Validator(edit));
    form->addRow(label, edit);
    return edit;
}

}  // namespace

void HRowEditDialog::accept() {
    if (!AcceptEditedRowName(draw::ToStdString(m_name->text()))) {
        m_name->setFocus();
        return;
    }
    Store();
    QDialog::accept();
}

HSeisanEditDialog::HSeisanEditDialog(const HInfoSeisan& row, QWidget* parent)
    : HRowEditDialog(parent), m_row(row) {
    setObjectName("CDlgSeisanEdit");
    setWindowTitle(QStringLiteral("生産性の編集"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_name = AddTextRow(form, QStringLiteral("名称"), row.name, "nameEdit");
    layout->addLayout(form);
    auto* group = new QGroupBox(QStringLiteral("1人月当たりのＦＰ生産量"));
    auto* grid = new QGridLayout(group);
    static const char* const kBands[kSeisanBands] = {"1～",     "10～",     "100～",
                                                     "1,000～", "10,000～", "100,000～"};
    for (int band = 0; band < kSeisanBands; ++band) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("band%1Edit").arg(band));
        new HDecimalField(edit, &m_row.values[band]);
        grid->addWidget(new QLabel(draw::ToQString(kBands[band])), 0, band);
        grid->addWidget(edit, 1, band);
    }
    layout->addWidget(group);
    auto* infoForm = new QFormLayout;
    m_info = AddTextRow(infoForm, QStringLiteral("備考"), row.info, "infoEdit");
    layout->addLayout(infoForm);
    AddButtons(this, layout);
}

void HSeisanEditDialog::Store() {
    m_row.name = draw::ToStdString(m_name->text());
    m_row.info = draw::ToStdString(m_info->text());
}

HTyouseiEditDialog::HTyouseiEditDialog(const HInfoTyousei& row, QWidget* parent)
    : HRowEditDialog(parent), m_row(row) {
    setObjectName("CDlgTyouseiEdit");
    setWindowTitle(QStringLiteral("調整係数の編集"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_name = AddTextRow(form, QStringLiteral("名称"), row.name, "nameEdit");
    m_degree = new QComboBox;
    m_degree->setObjectName("degreeCombo");
    for (int32_t degree = 0; degree <= 5; ++degree) {
        m_degree->addItem(draw::ToQString(TyouseiDegreeLabel(degree)));
    }
    m_degree->setCurrentIndex(row.degree >= 0 && row.degree <= 5 ? row.degree : -1);
    form->addRow(QStringLiteral("影響度"), m_degree);
    m_info = AddTextRow(form, QStringLiteral("備考"), row.info, "infoEdit");
    layout->addLayout(form);
    AddButtons(this, layout);
}

void HTyouseiEditDialog::Store() {
    m_row.name = draw::ToStdString(m_name->text());
    m_row.info = draw::ToStdString(m_info->text());
    if (m_degree->currentIndex() >= 0) {
        m_row.degree = m_degree->currentIndex();
    }
}

HHirituEditDialog::HHirituEditDialog(const HInfoHiritu& row,
                                     const std::vector<std::string>& itemNames, QWidget* parent)
    : HRowEditDialog(parent), m_row(row), m_itemNames(itemNames) {
    setObjectName("CDlgHirituEdit");
    setWindowTitle(QStringLiteral("分野別概略工数比率の編集"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_name = AddTextRow(form, QStringLiteral("名称"), row.name, "nameEdit");
    layout->addLayout(form);
    m_list = new QTreeWidget;
    m_list->setObjectName("ratioList");
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("No."), QStringLiteral("名称"), QString()});
    m_list->setColumnWidth(0, 30);
    m_list->setColumnWidth(1, 200);
    // Only the ratio is edited, and only where the user asks for it.
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { m_list->editItem(item, 2); });
    layout->addWidget(m_list);
    m_total = new QLabel;
    m_total->setObjectName("totalLabel");
    auto* totalRow = new QFormLayout;
    totalRow->addRow(QStringLiteral("合計"), m_total);
    layout->addLayout(totalRow);
    auto* infoForm = new QFormLayout;
    m_info = AddTextRow(infoForm, QStringLiteral("備考"), row.info, "infoEdit");
    layout->addLayout(infoForm);
    AddButtons(this, layout);
    ShowRatios();
    // The ratio is edited in place; what is typed is read like a decimal field.
    connect(m_list, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        const int index = m_list->indexOfTopLevelItem(item);
        if (column != 2 || index < 0 || index >= kHirituItems) {
            return;
        }
        m_row.ratios[index] = ParseDecimalX100(draw::ToStdString(item->text(2)));
        ShowRatios();
    });
}

void HHirituEditDialog::ShowRatios() {
    const QSignalBlocker quiet(m_list);
    const std::vector<HHirituItemRow> rows = HirituItemRows(m_row, m_itemNames);
    for (size_t i = 0; i < rows.size(); ++i) {
        QTreeWidgetItem* item = static_cast<int>(i) < m_list->topLevelItemCount()
                                    ? m_list->topLevelItem(static_cast<int>(i))
                                    : new QTreeWidgetItem(m_list);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        item->setText(0, draw::ToQString(rows[i].no));
        item->setText(1, draw::ToQString(rows[i].name));
        item->setText(2, draw::ToQString(rows[i].ratio));
    }
    m_total->setText(draw::ToQString(HirituTotalText(m_row)));
}

void HHirituEditDialog::Store() {
    m_row.name = draw::ToStdString(m_name->text());
    m_row.info = draw::ToStdString(m_info->text());
}

}  // namespace zarvik::gui
