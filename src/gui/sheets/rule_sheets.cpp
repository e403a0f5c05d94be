#include "gui/sheets/rule_sheets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/app/rule_sheet_session.h"
#include "core/app/system.h"
#include "core/doc/zarvik_doc.h"
#include "core/fp/rule_fields.h"
#include "core/fp/rule_sheet_rows.h"
#include "core/text/number_text.h"
#include "draw/qt_draw_context.h"
#include "draw/qt_text.h"
#include "gui/sheets/decimal_field.h"
#include "gui/sheets/rule_list_commands.h"
#include "gui/sheets/rule_row_dialogs.h"

namespace zarvik::gui {
namespace {

const std::vector<int> kMeasurementPages{kRulePageUfp, kRulePageAdjustment, kRulePageFactors,
                                         kRulePageFile, kRulePageTransaction};
const std::vector<int> kReferencePages{kRulePageProductivity, kRulePageProductivityTable,
                                       kRulePageRatios, kRulePageFromFp, kRulePageFromEffort};

// A radio group bound to an integer field: each button stands for one value.
QButtonGroup* BindRadios(QWidget* owner, int32_t& field,
                         const std::vector<std::pair<QRadioButton*, int>>& buttons,
                         std::function<void()> changed) {
    auto* group = new QButtonGroup(owner);
    for (const auto& [button, value] : buttons) {
        group->addButton(button, value);
    }
    QObject::connect(group, &QButtonGroup::idToggled, owner, [&field, changed](int id, bool on) {
        if (on) {
            field = id;
            changed();
        }
    });
    return group;
}

void CheckRadio(QButtonGroup* group, int value) {
    const QSignalBlocker quiet(group);
    if (QAbstractButton* button = group->button(value)) {
        button->setChecked(true);
    }
}

}  // namespace

HRuleSheet::HRuleSheet(CZarvikDoc& doc, HSheetKind kind, std::vector<int> pages, QWidget* parent)
    : HItemSheet(kind, parent),
      m_doc(doc),
      m_session(std::make_unique<HRuleSheetSession>(System(), kind == HSheetKind::MeasurementRules
                                                                  ? HRuleSheetKind::Measurement
                                                                  : HRuleSheetKind::Reference)),
      m_pages(std::move(pages)) {
    setWindowTitle(draw::ToQString(m_session->Title()));
    SetAcceptCheck([this] { return m_session->ConfirmOk() != 0; });
    if (kind == HSheetKind::MeasurementRules) {
        AddRulePage(kRulePageUfp, QStringLiteral("未調整FP"), &HRuleSheet::MakeUfpPage,
                    "CDlgSubItemRuleUFP");
        AddRulePage(kRulePageAdjustment, QStringLiteral("調整係数"),
                    &HRuleSheet::MakeAdjustmentPage, "CDlgSubItemRuleProjectTyousei");
        AddRulePage(kRulePageFactors, QStringLiteral("調整係数一覧"), &HRuleSheet::MakeFactorsPage,
                    "CDlgSubItemRuleTyousei");
        AddRulePage(kRulePageFile, QStringLiteral("ファイル"), &HRuleSheet::MakeFilePage,
                    "CDlgSubItemRuleFp");
        AddRulePage(kRulePageTransaction, QStringLiteral("トランザクション"),
                    &HRuleSheet::MakeTransactionPage, "CDlgSubItemRuleTp");
        // Kept for pages still to come.
        if (Shows(kRulePageFile)) {
            SetPageEnabled(kRulePageFile, false);
        }
    } else {
        AddRulePage(kRulePageProductivity, QStringLiteral("生産性"),
                    &HRuleSheet::MakeProductivityPage, "CDlgSubItemRuleProject");
        AddRulePage(kRulePageProductivityTable, QStringLiteral("分野別生産性"),
                    &HRuleSheet::MakeProductivityTablePage, "CDlgSubItemRuleSeisan");
        AddRulePage(kRulePageRatios, QStringLiteral("分野別概略工数"), &HRuleSheet::MakeRatiosPage,
                    "CDlgSubItemSankKoumoku");
        AddRulePage(kRulePageFromFp, QStringLiteral("FP値からの概算"), &HRuleSheet::MakeFromFpPage,
                    "CDlgSubItemSankGaisan");
        AddRulePage(kRulePageFromEffort, QStringLiteral("工数からの工期概算"),
                    &HRuleSheet::MakeFromEffortPage, "CDlgSubItemSankFpHuMon");
    }
    Refresh();
}

HRuleSheet::~HRuleSheet() = default;

bool HRuleSheet::Shows(int id) const {
    return m_pages.empty() || std::find(m_pages.begin(), m_pages.end(), id) != m_pages.end();
}

void HRuleSheet::AddRulePage(int id, const QString& label, QWidget* (HRuleSheet::*make)(),
                             const char* topic) {
    // A page left out is not built: its refresher would outlive its widgets.
    if (Shows(id)) {
        AddPage(id, label, (this->*make)());
        SetPageTopic(id, QString::fromLatin1(topic));
    }
}

void HRuleSheet::Refresh() {
    if (m_refreshing) {
        return;
    }
    m_refreshing = true;
    for (const auto& refresh : m_refreshers) {
        refresh();
    }
    m_refreshing = false;
}

void HRuleSheet::done(int result) {
    if (result != QDialog::Accepted) {
        m_session->Cancel();
    }
    HItemSheet::done(result);
    m_doc.AfterSettingsChanged();
}

QWidget* HRuleSheet::MakeUfpPage() {
    HInfoRule& rule = m_session->Rules();
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("未調整FPの指定"));
    auto* grid = new QGridLayout(group);
    auto* typed = new QRadioButton(QStringLiteral("数値で指定する"));
    typed->setObjectName("ufpTypedRadio");
    auto* edit = new QLineEdit;
    edit->setObjectName("ufpEdit");
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}"), edit));
    auto* counted = new QRadioButton(QStringLiteral("フロー図上の各ファンクションから算出する"));
    counted->setObjectName("ufpCountedRadio");
    grid->addWidget(typed, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("未調整FP")), 0, 1);
    grid->addWidget(edit, 0, 2);
    grid->addWidget(counted, 1, 0, 1, 3);
    layout->addWidget(group);
    layout->addStretch();
    QButtonGroup* radios =
        BindRadios(page, rule.IsFpUFPManual, {{typed, 1}, {counted, 0}}, [this] { Refresh(); });
    connect(edit, &QLineEdit::textEdited, page,
            [&rule](const QString& text) { rule.FpUFPManual = Atoi(draw::ToStdString(text)); });
    m_refreshers.push_back([&rule, radios, edit] {
        CheckRadio(radios, rule.IsFpUFPManual ? 1 : 0);
        edit->setEnabled(rule.IsFpUFPManual != 0);
        if (Atoi(draw::ToStdString(edit->text())) != rule.FpUFPManual || edit->text().isEmpty()) {
            edit->setText(QString::number(rule.FpUFPManual));
        }
    });
    return page;
}

QWidget* HRuleSheet::MakeAdjustmentPage() {
    HInfoSysMgrTyousei& table = m_session->Rules().tyousei;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("調整係数の指定"));
    auto* grid = new QGridLayout(group);
    auto* typed = new QRadioButton(QStringLiteral("数値で指定する"));
    typed->setObjectName("vafTypedRadio");
    auto* edit = new QLineEdit;
    edit->setObjectName("vafEdit");
    auto* field = new HDecimalField(edit, &table.FpTyouseiManual);
    auto* fromTable = new QRadioButton(QStringLiteral("調整係数表での算出値を使用する"));
    fromTable->setObjectName("vafTableRadio");
    auto* none = new QRadioButton(QStringLiteral("調整しない （調整係数を使用しない）"));
    none->setObjectName("vafNoneRadio");
    grid->addWidget(typed, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("調整係数")), 0, 1);
    grid->addWidget(edit, 0, 2);
    grid->addWidget(fromTable, 1, 0, 1, 3);
    grid->addWidget(none, 2, 0, 1, 3);
    layout->addWidget(group);
    layout->addStretch();
    QButtonGroup* radios =
        BindRadios(page, table.SelectTyouseiType, {{typed, 2}, {fromTable, 1}, {none, 0}},
                   [this] { Refresh(); });
    m_refreshers.push_back([&table, radios, edit, field] {
        CheckRadio(radios, table.SelectTyouseiType);
        edit->setEnabled(table.SelectTyouseiType == 2);
        field->Show();
    });
    return page;
}

QWidget* HRuleSheet::MakeFactorsPage() {
    HInfoSysMgrTyousei& table = m_session->Rules().tyousei;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("調整係数一覧(一般システム特性一覧)"));
    auto* inner = new QVBoxLayout(group);
    auto* current = new QLabel;
    current->setObjectName("tdiLabel");
    QTreeWidget* list =
        MakeList(group, "factorList",
                 {QStringLiteral("No."), QStringLiteral("区分名称"), QStringLiteral("設定値"),
                  QStringLiteral("数値"), QStringLiteral("備考")},
                 {30, 150, 80, 40, 150});
    inner->addWidget(current);
    inner->addWidget(list);
    inner->addWidget(new QLabel(QStringLiteral("編集したい項目をダブルクリックしてください。")));
    layout->addWidget(group);

    auto edit = [this, &table, list] {
        const int row = SelectedRow(list);
        if (row < 0 || row >= static_cast<int>(table.rows.size())) {
            return;
        }
        if (EditInDialog<HTyouseiEditDialog>(table.rows[static_cast<size_t>(row)], this)) {
            Refresh();
            SelectRow(list, row);
        }
    };
    auto setDegree = [this, &table, list](int32_t degree) {
        const int row = SelectedRow(list);
        if (SetTyouseiDegree(table, row, degree)) {
            Refresh();
            SelectRow(list, row);
        }
    };
    connect(list, &QTreeWidget::itemDoubleClicked, page, edit);
    connect(list, &QTreeWidget::customContextMenuRequested, page,
            [list, edit, setDegree](const QPoint& at) {
                QMenu menu(list);
                const bool selected = SelectedRow(list) >= 0;
                menu.addAction(QStringLiteral("変更\tE"), edit)->setEnabled(selected);
                menu.addSeparator();
                for (const HDegreeCommand& command : DegreeCommands()) {
                    const int32_t degree = command.degree;
                    menu.addAction(draw::ToQString(command.menuText),
                                   [setDegree, degree] { setDegree(degree); })
                        ->setEnabled(selected);
                }
                menu.exec(list->viewport()->mapToGlobal(at));
            });
    new HListKeys(list, [edit, setDegree](int key, const QString& text) {
        if (key == Qt::Key_E) {
            edit();
            return true;
        }
        const int32_t degree =
            text.size() == 1 ? DegreeForKey(static_cast<char>(text[0].unicode())) : -1;
        if (degree < 0) {
            return false;
        }
        setDegree(degree);
        return true;
    });
    m_refreshers.push_back([&table, list, current] {
        current->setText(draw::ToQString(TyouseiCurrentValueText(table)));
        const std::vector<HTyouseiListRow> rows = TyouseiListRows(table);
        Resize(list, static_cast<int>(rows.size()));
        for (size_t i = 0; i < rows.size(); ++i) {
            QTreeWidgetItem* item = list->topLevelItem(static_cast<int>(i));
            item->setText(0, draw::ToQString(rows[i].no));
            item->setText(1, draw::ToQString(rows[i].name));
            item->setText(2, draw::ToQString(rows[i].degreeLabel));
            item->setText(3, draw::ToQString(rows[i].degree));
            item->setText(4, draw::ToQString(rows[i].info));
        }
    });
    return page;
}

QWidget* HRuleSheet::MakeFilePage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("今後ページに追加します。")));
    layout->addStretch();
    return page;
}

QWidget* HRuleSheet::MakeTransactionPage() {
    HInfoRule& rule = m_session->Rules();
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* check =
        new QCheckBox(QStringLiteral("DET数をカウントする時、同じ名前の項目は無視する。"));
    check->setObjectName("detSameNameCheck");
    layout->addWidget(check);
    layout->addStretch();
    connect(check, &QCheckBox::toggled, page,
            [&rule](bool on) { rule.TpCheckDetSameName = on ? 1 : 0; });
    m_refreshers.push_back([&rule, check] {
        const QSignalBlocker quiet(check);
        check->setChecked(rule.TpCheckDetSameName != 0);
    });
    return page;
}

QWidget* HRuleSheet::MakeProductivityPage() {
    HInfoSysMgrSeisan& table = m_session->Rules().seisan;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("生産性（1人月当たりのＦＰ生産量）の指定"));
    auto* grid = new QGridLayout(group);
    auto* typed = new QRadioButton(QStringLiteral("数値で指定する"));
    typed->setObjectName("productivityTypedRadio");
    auto* edit = new QLineEdit;
    edit->setObjectName("productivityEdit");
    auto* field = new HDecimalField(edit, &table.FpSeisanManual);
    auto* byField =
        new QRadioButton(QStringLiteral("下のコンボボックスで選択した分野の生産性を用いる。"));
    byField->setObjectName("productivityFieldRadio");
    auto* combo = new QComboBox;
    combo->setObjectName("fieldCombo");
    auto* values = new QGroupBox(QStringLiteral("選択した分野のプロジェクトの生産性"));
    auto* valueGrid = new QGridLayout(values);
    static const char* const kBands[kSeisanBands] = {"1～",     "10～",     "100～",
                                                     "1,000～", "10,000～", "100,000～"};
    std::vector<QLineEdit*> bandEdits;
    for (int band = 0; band < kSeisanBands; ++band) {
        auto* bandEdit = new QLineEdit;
        bandEdit->setReadOnly(true);
        valueGrid->addWidget(new QLabel(draw::ToQString(kBands[band])), 0, band);
        valueGrid->addWidget(bandEdit, 1, band);
        bandEdits.push_back(bandEdit);
    }
    grid->addWidget(typed, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("生産性")), 0, 1);
    grid->addWidget(edit, 0, 2);
    grid->addWidget(byField, 1, 0, 1, 3);
    grid->addWidget(combo, 2, 0, 1, 3);
    grid->addWidget(values, 3, 0, 1, 3);
    layout->addWidget(group);
    layout->addStretch();
    QButtonGroup* radios =
        BindRadios(page, table.SeisanManual, {{typed, 1}, {byField, 0}}, [this] { Refresh(); });
    connect(combo, &QComboBox::currentIndexChanged, page, [this, &table](int index) {
        if (index >= 0) {
            table.Bunya = index;
            Refresh();
        }
    });
    m_refreshers.push_back([&table, radios, edit, field, combo, bandEdits] {
        CheckRadio(radios, table.SeisanManual ? 1 : 0);
        edit->setEnabled(table.SeisanManual != 0);
        field->Show();
        {
            const QSignalBlocker quiet(combo);
            combo->clear();
            for (const HInfoSeisan& row : table.rows) {
                combo->addItem(draw::ToQString(row.name));
            }
            combo->setCurrentIndex(table.Bunya < combo->count() ? table.Bunya : -1);
        }
        const auto texts = SelectedSeisanTexts(table);
        for (int band = 0; band < kSeisanBands; ++band) {
            bandEdits[static_cast<size_t>(band)]->setText(draw::ToQString(texts[band]));
        }
    });
    return page;
}

QWidget* HRuleSheet::MakeProductivityTablePage() {
    HInfoSysMgrSeisan& table = m_session->Rules().seisan;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* group =
        new QGroupBox(QStringLiteral("分野別/規模別の生産性テーブル（1人月当たりのＦＰ生産量）"));
    auto* inner = new QVBoxLayout(group);
    QTreeWidget* list =
        MakeList(group, "productivityList",
                 {QStringLiteral("No."), QStringLiteral("名称"), QStringLiteral("1-"),
                  QStringLiteral("10-"), QStringLiteral("100-"), QStringLiteral("1,000-"),
                  QStringLiteral("10,000-"), QStringLiteral("100,000-"), QStringLiteral("備考")},
                 {30, 150, 50, 50, 50, 50, 50, 60, 150});
    auto* reset = new QPushButton(QStringLiteral("初期値に戻す"));
    reset->setObjectName("productivityResetButton");
    inner->addWidget(list);
    inner->addWidget(reset, 0, Qt::AlignRight);
    layout->addWidget(group);

    InstallTablePage<HInfoSeisan>(
        list, reset, table,
        [this](HInfoSeisan& row) { return EditInDialog<HSeisanEditDialog>(row, this); },
        [this] { Refresh(); });
    m_refreshers.push_back([&table, list] {
        const std::vector<HSeisanListRow> rows = SeisanListRows(table);
        Resize(list, static_cast<int>(rows.size()));
        for (size_t i = 0; i < rows.size(); ++i) {
            QTreeWidgetItem* item = list->topLevelItem(static_cast<int>(i));
            const HSeisanListRow& row = rows[i];
            item->setText(0, draw::ToQString(row.no));
            item->setText(1, draw::ToQString(row.name));
            for (int band = 0; band < kSeisanBands; ++band) {
                item->setText(2 + band, draw::ToQString(row.values[band]));
                item->setForeground(2 + band, row.changed[band] ? draw::ToQColor(kChangedValueText)
                                                                : list->palette().text());
            }
            item->setText(2 + kSeisanBands, draw::ToQString(row.info));
            for (int column = 0; column < list->columnCount(); ++column) {
                item->setBackground(column, draw::ToQColor(row.back));
            }
        }
    });
    return page;
}

QWidget* HRuleSheet::MakeRatiosPage() {
    HInfoSysMgrHiritu& table = m_session->Rules().hiritu;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("分野別の標準的開発項目と概略工数(%)"));
    auto* inner = new QVBoxLayout(group);
    QTreeWidget* list =
        MakeList(group, "ratioList", {QStringLiteral("名称"), QStringLiteral("備考")}, {200, 200});
    auto* reset = new QPushButton(QStringLiteral("初期値に戻す"));
    reset->setObjectName("ratioResetButton");
    inner->addWidget(list);
    inner->addWidget(reset, 0, Qt::AlignRight);
    layout->addWidget(group);

    InstallTablePage<HInfoHiritu>(
        list, reset, table,
        [this, &table](HInfoHiritu& row) {
            return EditInDialog<HHirituEditDialog>(row, table.itemNames, this);
        },
        [this] { Refresh(); });
    m_refreshers.push_back([&table, list] {
        const std::vector<HHirituListRow> rows = HirituListRows(table);
        Resize(list, static_cast<int>(rows.size()));
        for (size_t i = 0; i < rows.size(); ++i) {
            QTreeWidgetItem* item = list->topLevelItem(static_cast<int>(i));
            item->setText(0, draw::ToQString(rows[i].name));
            item->setText(1, draw::ToQString(rows[i].info));
            for (int column = 0; column < 2; ++column) {
                item->setBackground(column, draw::ToQColor(rows[i].back));
            }
        }
    });
    return page;
}

namespace {

// Wide enough for "100.00": the formula reads as one line.
constexpr int kFormulaEditWidth = 80;

// One edit of a ranged rule field, named after its key.
QLineEdit* RangedEdit(QWidget* page, HInfoRule& rule, const char* key,
                      std::vector<HDecimalField*>& fields) {
    const HRuleFieldRange* range = FindRuleFieldRange(key);
    auto* edit = new QLineEdit(page);
    edit->setObjectName(key);
    edit->setFixedWidth(kFormulaEditWidth);
    fields.push_back(new HDecimalField(edit, &(rule.*range->field), &rule, range));
    return edit;
}

}  // namespace

QWidget* HRuleSheet::MakeFromFpPage() {
    HInfoRule& rule = m_session->Rules();
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto fields = std::make_shared<std::vector<HDecimalField*>>();
    static const char* const kGroups[4][3] = {
        {"文書総ページ数", "FpGaisanPage1X100", "FpGaisanPage2X100"},
        {"総テストケース数", "FpGaisanTest1X100", "FpGaisanTest2X100"},
        {"総欠陥数", "FpGaisanBug1X100", "FpGaisanBug2X100"},
        {"工期（開発期間の月数）", "FpGaisanKikan1X100", "FpGaisanKikan2X100"},
    };
    for (const auto& group : kGroups) {
        auto* box = new QGroupBox(draw::ToQString(group[0]));
        auto* grid = new QGridLayout(box);
        // The exponent sits raised after the bracket.
        grid->addWidget(RangedEdit(box, rule, group[1], *fields), 1, 0);
        grid->addWidget(new QLabel(QStringLiteral("× ( FP値 )")), 1, 1);
        grid->addWidget(RangedEdit(box, rule, group[2], *fields), 0, 2);
        grid->setColumnStretch(3, 1);
        layout->addWidget(box);
    }
    layout->addStretch();
    m_refreshers.push_back([fields] {
        for (HDecimalField* field : *fields) {
            field->Show();
        }
    });
    return page;
}

QWidget* HRuleSheet::MakeFromEffortPage() {
    HInfoRule& rule = m_session->Rules();
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto fields = std::make_shared<std::vector<HDecimalField*>>();
    auto* schedule = new QGroupBox(QStringLiteral("工数から（開発期間の月数）への変換式"));
    auto* grid = new QGridLayout(schedule);
    grid->addWidget(RangedEdit(schedule, rule, "FpKouki1X100", *fields), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("× ( 工数 )")), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("1/")), 0, 2);
    grid->addWidget(RangedEdit(schedule, rule, "FpKouki2X100", *fields), 0, 3);
    grid->setColumnStretch(4, 1);
    layout->addWidget(schedule);
    auto* shortest = new QGroupBox(QStringLiteral("最小開発期間"));
    auto* row = new QGridLayout(shortest);
    row->addWidget(RangedEdit(shortest, rule, "FpKoukiMinX100", *fields), 0, 0);
    row->addWidget(new QLabel(QStringLiteral("× ( 工期 )")), 0, 1);
    row->setColumnStretch(2, 1);
    layout->addWidget(shortest);
    layout->addStretch();
    m_refreshers.push_back([fields] {
        for (HDecimalField* field : *fields) {
            field->Show();
        }
    });
    return page;
}

namespace {

int RunRuleSheet(CZarvikDoc& doc, HSheetKind kind, QWidget* parent, std::vector<int> pages) {
    // Five tabs with their labels need more room than the pages' own size hints give.
    constexpr QSize kFirstSize(640, 480);
    const bool first = HItemSheet::RememberedRect(kind).isEmpty();
    HRuleSheet sheet(doc, kind, std::move(pages), parent);
    if (first) {
        sheet.resize(sheet.size().expandedTo(kFirstSize));
    }
    return sheet.exec();
}

}  // namespace

int RunMeasurementRulesSheet(CZarvikDoc& doc, QWidget* parent, std::vector<int> pages) {
    return RunRuleSheet(doc, HSheetKind::MeasurementRules, parent, std::move(pages));
}

int RunReferenceRulesSheet(CZarvikDoc& doc, QWidget* parent, std::vector<int> pages) {
    return RunRuleSheet(doc, HSheetKind::ReferenceRules, parent, std::move(pages));
}

}  // namespace zarvik::gui
