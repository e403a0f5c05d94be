#include "gui/sheets/function_sheet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "core/doc/zarvik_doc.h"
#include "core/fp/col_list_page.h"
#include "core/fp/complexity_table.h"
#include "core/fp/function_sheet.h"
#include "core/items/item_kinds.h"
#include "draw/qt_draw_context.h"
#include "gui/frame/cp932_validator.h"
#include "gui/sheets/col_edit_dialog.h"
#include "gui/sheets/complexity_table_widget.h"
#include "gui/sheets/item_sheet.h"

namespace zarvik::gui {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Every page writes into the record copy at once; then all pages show the copy again.
class HSheetModel {
public:
    void OnChanged(std::function<void()> refresh) { m_refreshers.push_back(std::move(refresh)); }
    void Changed() {
        for (auto& refresh : m_refreshers) {
            refresh();
        }
    }

private:
    std::vector<std::function<void()>> m_refreshers;
};

// Rewriting an edit the user is typing in would move the caret.
void SetTextIfDiffers(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) {
        const QSignalBlocker block(edit);
        edit->setText(text);
    }
}

QLineEdit* NewDigitsEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), edit));
    return edit;
}

// What the basic page edits, the same fields on either record.
struct HRecordRef {
    bool transaction = false;
    std::string* name = nullptr;
    int32_t* type = nullptr;
    int32_t* setting = nullptr;
    int32_t* level = nullptr;
    int32_t* fpUser = nullptr;
    std::function<int32_t()> fp;
    std::function<HComplexityInput()> table;
};

QWidget* NewBasicPage(HItemSheet& sheet, std::vector<int> countPages, const HRecordRef& rec,
                      HSheetModel& model) {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    auto* name = new QLineEdit(page);
    name->setObjectName(QStringLiteral("nameEdit"));
    name->setValidator(new HCp932Validator(name));
    grid->addWidget(new QLabel(QStringLiteral("名前"), page), 0, 0);
    grid->addWidget(name, 0, 1, 1, 2);

    auto* type = new QComboBox(page);
    type->setObjectName(QStringLiteral("fpTypeCombo"));
    for (const std::string& text : FpTypeComboTexts(rec.transaction)) {
        type->addItem(Q(text));
    }
    grid->addWidget(new QLabel(QStringLiteral("FP種別"), page), 1, 0);
    grid->addWidget(type, 1, 1, 1, 2);

    auto* group = new QGroupBox(QStringLiteral("FP算出方法の指定"), page);
    auto* groupLayout = new QGridLayout(group);
    auto* radios = new QButtonGroup(page);
    for (int setting = 0; setting < 4; ++setting) {
        auto* radio = new QRadioButton(Q(SumSettingLabel(rec.transaction, setting)), group);
        radio->setObjectName(QStringLiteral("setting%1").arg(setting));
        radios->addButton(radio, setting);
        groupLayout->addWidget(radio, setting, 0);
    }
    auto* level = new QComboBox(group);
    level->setObjectName(QStringLiteral("levelCombo"));
    for (const std::string& text : LevelComboTexts()) {
        level->addItem(Q(text));
    }
    groupLayout->addWidget(level, 1, 1);
    auto* fpValue = NewDigitsEdit(group);
    fpValue->setObjectName(QStringLiteral("fpValueEdit"));
    groupLayout->addWidget(fpValue, 3, 1);
    grid->addWidget(group, 2, 0, 1, 3);

    auto* unadjusted = new QLabel(page);
    unadjusted->setObjectName(QStringLiteral("unadjustedFpLabel"));
    grid->addWidget(unadjusted, 3, 0, 1, 3);
    auto* table = new HComplexityTableWidget(rec.table, page);
    table->setObjectName(QStringLiteral("complexityTable"));
    table->setMinimumSize(table->sizeHint());
    grid->addWidget(table, 4, 0, 1, 3);
    grid->setRowStretch(5, 1);

    QObject::connect(name, &QLineEdit::textEdited, page, [rec, &model](const QString& text) {
        *rec.name = text.toStdString();
        model.Changed();
    });
    QObject::connect(type, &QComboBox::activated, page, [rec, &model](int index) {
        const int32_t code = FpTypeOfComboIndex(rec.transaction, index);
        if (code >= 0) {
            *rec.type = code;
        }
        model.Changed();
    });
    QObject::connect(radios, &QButtonGroup::idClicked, page, [rec, &model](int id) {
        *rec.setting = id;
        model.Changed();
    });
    QObject::connect(level, &QComboBox::activated, page, [rec, &model](int index) {
        *rec.level = index;
        model.Changed();
    });
    QObject::connect(fpValue, &QLineEdit::textEdited, page, [rec, &model](const QString& text) {
        *rec.fpUser = DigitsEditValue(text.toStdString());
        model.Changed();
    });

    model.OnChanged([=, &sheet] {
        SetTextIfDiffers(name, Q(*rec.name));
        {
            const QSignalBlocker block(type);
            type->setCurrentIndex(FpTypeComboIndex(rec.transaction, *rec.type));
        }
        // A setting no button stands for leaves them all unchecked.
        radios->setExclusive(false);
        for (QAbstractButton* button : radios->buttons()) {
            button->setChecked(radios->id(button) == *rec.setting);
        }
        radios->setExclusive(true);
        {
            const QSignalBlocker block(level);
            level->setCurrentIndex(*rec.level >= 0 && *rec.level < level->count() ? *rec.level
                                                                                  : -1);
        }
        const QString typed = fpValue->text();
        if (DigitsEditValue(typed.toStdString()) != *rec.fpUser || typed.isEmpty()) {
            SetTextIfDiffers(fpValue, QString::number(*rec.fpUser));
        }
        const HFpBasicEnabling enabling = BasicPageEnabling(*rec.setting);
        level->setEnabled(enabling.levelCombo);
        fpValue->setEnabled(enabling.fpValueEdit);
        for (int id : countPages) {
            sheet.SetPageEnabled(id, enabling.countPages);
        }
        unadjusted->setText(Q(UnadjustedFpText(rec.fp())));
        table->update();
    });
    return page;
}

class HRowHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(18);
        return size;
    }
};

// A DET, RET or FTR page: the check box that decides between a typed count and the list,
// the typed count, and the list. A data function's list is edited through its commands.
class HCountPage : public QWidget {
public:
    struct HSetup {
        HCountPageTexts texts;
        const char* listLabel = nullptr;
        int32_t* autoFlag = nullptr;
        int32_t* userCount = nullptr;
        std::vector<HSheetColumn> columns;
        std::function<std::vector<HSheetRow>()> rows;  // for a read-only list
        HInfoFile* file = nullptr;                     // for an edited list
        HColListKind kind = HColListKind::Det;
    };

    HCountPage(HSetup setup, HSheetModel& model) : m_setup(std::move(setup)), m_model(model) {
        if (m_setup.file != nullptr) {
            m_list.emplace(*m_setup.file, m_setup.kind);
        }
        auto* layout = new QVBoxLayout(this);
        m_check = new QCheckBox(QString::fromUtf8(m_setup.texts.checkBox), this);
        m_check->setObjectName(QStringLiteral("countCheck"));
        layout->addWidget(m_check);
        auto* countRow = new QHBoxLayout;
        countRow->addWidget(new QLabel(QString::fromUtf8(m_setup.texts.countLabel), this));
        m_count = NewDigitsEdit(this);
        m_count->setObjectName(QStringLiteral("countEdit"));
        countRow->addWidget(m_count);
        countRow->addStretch();
        layout->addLayout(countRow);
        if (m_setup.listLabel != nullptr) {
            layout->addWidget(new QLabel(QString::fromUtf8(m_setup.listLabel), this));
        }
        m_tree = new QTreeWidget(this);
        m_tree->setObjectName(QStringLiteral("list"));
        m_tree->setRootIsDecorated(false);
        m_tree->setItemDelegate(new HRowHeightDelegate(m_tree));
        m_tree->header()->setSectionsMovable(true);
        QStringList titles;
        for (const HSheetColumn& column : m_setup.columns) {
            titles << QString::fromUtf8(column.title);
        }
        m_tree->setHeaderLabels(titles);
        for (int i = 0; i < static_cast<int>(m_setup.columns.size()); ++i) {
            m_tree->setColumnWidth(i, m_setup.columns[i].width);
        }
        layout->addWidget(m_tree, 1);

        connect(m_check, &QCheckBox::clicked, this, [this](bool checked) {
            *m_setup.autoFlag = AutoFlagForCheck(checked);
            m_model.Changed();
        });
        connect(m_count, &QLineEdit::textEdited, this, [this](const QString& text) {
            *m_setup.userCount = DigitsEditValue(text.toStdString());
            m_model.Changed();
        });
        if (m_list) {
            m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
            m_tree->installEventFilter(this);
            connect(m_tree, &QTreeWidget::itemSelectionChanged, this, [this] {
                const QList<QTreeWidgetItem*> chosen = m_tree->selectedItems();
                m_list->Select(chosen.isEmpty() ? -1 : m_tree->indexOfTopLevelItem(chosen[0]));
            });
            connect(m_tree, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
                QMenu menu(this);
                std::vector<std::pair<QAction*, HColListCommand>> actions;
                for (const HColListMenuItem& item : ColListMenu()) {
                    QAction* action = menu.addAction(QString::fromUtf8(item.text));
                    action->setEnabled(m_list->IsEnabled(item.command));
                    actions.emplace_back(action, item.command);
                }
                QAction* chosen = menu.exec(m_tree->viewport()->mapToGlobal(at));
                for (const auto& [action, command] : actions) {
                    if (action == chosen) {
                        Run(command);
                    }
                }
            });
        } else {
            m_tree->setSelectionMode(QAbstractItemView::NoSelection);
        }
        m_model.OnChanged([this] { Refresh(); });
    }

    // The list outlives the entry list it shows: it must not report its clearing back.
    ~HCountPage() override { m_tree->blockSignals(true); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_tree || event->type() != QEvent::KeyPress) {
            return QWidget::eventFilter(watched, event);
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        int32_t code = 0;
        if (key->key() == Qt::Key_Insert) {
            code = kListKeyInsert;
        } else if (key->key() == Qt::Key_Delete) {
            code = kListKeyDelete;
        } else if (key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z &&
                   (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
            code = key->key();  // the letter's upper-case character code
        }
        const std::optional<HColListCommand> command = ColListCommandForKey(code);
        if (code == 0 || !command) {
            return QWidget::eventFilter(watched, event);
        }
        Run(*command);
        return true;
    }

private:
    void Run(HColListCommand command) {
        if (!m_list->IsEnabled(command)) {
            return;
        }
        switch (command) {
            case HColListCommand::Add:
            case HColListCommand::Change: {
                HColEditDialog dialog(*m_list->EditSetup(command), this);
                if (dialog.exec() != QDialog::Accepted) {
                    return;
                }
                if (command == HColListCommand::Add) {
                    m_list->Add(dialog.Name(), dialog.Remarks());
                } else {
                    m_list->Change(dialog.Name(), dialog.Remarks());
                }
                break;
            }
            case HColListCommand::MoveUp:
                m_list->MoveUp();
                break;
            case HColListCommand::MoveDown:
                m_list->MoveDown();
                break;
            case HColListCommand::Delete:
                m_list->Delete();
                break;
        }
        m_model.Changed();
    }

    void Refresh() {
        const bool typed = CountTypedByUser(*m_setup.autoFlag);
        m_check->setChecked(typed);
        m_count->setReadOnly(!typed);
        const QString text = m_count->text();
        if (DigitsEditValue(text.toStdString()) != *m_setup.userCount || text.isEmpty()) {
            SetTextIfDiffers(m_count, QString::number(*m_setup.userCount));
        }
        m_tree->setEnabled(!typed);

        const QSignalBlocker block(m_tree);
        m_tree->clear();
        const std::vector<HSheetRow> rows = m_list ? m_list->Rows() : m_setup.rows();
        for (const HSheetRow& row : rows) {
            auto* item = new QTreeWidgetItem(m_tree);
            for (int i = 0; i < static_cast<int>(row.cells.size()); ++i) {
                item->setText(i, Q(row.cells[i]));
                if (i < static_cast<int>(m_setup.columns.size()) &&
                    m_setup.columns[i].rightAligned) {
                    item->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
                }
                if (row.grey) {
                    item->setForeground(i, draw::ToQColor(kPlaceholderTextColor));
                    item->setBackground(i, Qt::white);
                }
            }
        }
        if (m_list && m_list->SelectedRow() >= 0) {
            QTreeWidgetItem* selected = m_tree->topLevelItem(m_list->SelectedRow());
            if (selected != nullptr) {
                m_tree->setCurrentItem(selected);
                selected->setSelected(true);
            }
        }
    }

    HSetup m_setup;
    HSheetModel& m_model;
    std::optional<HColListPage> m_list;
    QCheckBox* m_check = nullptr;
    QLineEdit* m_count = nullptr;
    QTreeWidget* m_tree = nullptr;
};

// F1 on a page opens the help of that page.
void SetPageTopics(HItemSheet& sheet, std::initializer_list<std::pair<int, const char*>> topics) {
    for (const auto& [id, topic] : topics) {
        sheet.SetPageTopic(id, QString::fromLatin1(topic));
    }
}

// The basic page's view of a record being edited.
template <typename Record>
HRecordRef RecordRefOf(Record& copy, bool task) {
    return HRecordRef{task,
                      &copy.name,
                      &copy.typeCode,
                      &copy.SelectFpSumType,
                      &copy.FpLevel,
                      &copy.FpUser,
                      [&copy] { return copy.GetFp(); },
                      [&copy] { return ComplexityInputOf(copy); }};
}

int RunFileSheet(CZarvikDoc& doc, HItemFile& item, QWidget* parent) {
    HInfoFile copy;
    copy.CopyFrom(item);
    // The pages' handlers reach the model until the sheet is gone.
    HSheetModel model;
    HItemSheet sheet(HSheetKind::ItemSettings, parent);
    sheet.setWindowTitle(QString::fromUtf8(kFileSheetTitle));
    const HRecordRef rec = RecordRefOf(copy, false);
    sheet.AddPage(kPageFileBasic, QString::fromUtf8(kBasicPageLabel),
                  NewBasicPage(sheet, {kPageFileDet, kPageFileRet}, rec, model));
    HCountPage::HSetup det{DetPageTexts(),          nullptr, &copy.AutoDET, &copy.UserDET,
                           HColListPage::Columns(), {},      &copy,         HColListKind::Det};
    sheet.AddPage(kPageFileDet, QString::fromUtf8(kDetPageLabel),
                  new HCountPage(std::move(det), model));
    HCountPage::HSetup ret{RetPageTexts(), kRetListLabel,           &copy.AutoRET,
                           &copy.UserRET,  HColListPage::Columns(), {},
                           &copy,          HColListKind::Ret};
    sheet.AddPage(kPageFileRet, QString::fromUtf8(kRetPageLabel),
                  new HCountPage(std::move(ret), model));
    SetPageTopics(sheet, {{kPageFileBasic, "CDlgSubItemFpKihon"},
                          {kPageFileDet, "CDlgSubItemFpDET"},
                          {kPageFileRet, "CDlgSubItemFpRET"}});
    model.Changed();
    if (sheet.exec() != QDialog::Accepted) {
        return 0;
    }
    static_cast<HInfoFile&>(item).CopyFrom(copy);
    doc.AfterItemSheetOk();
    return 1;
}

int RunTaskSheet(CZarvikDoc& doc, HItemTask& item, QWidget* parent) {
    // The lists are gathered from the relation lines as they are now.
    item.UpdateLinks();
    HInfoTask copy;
    copy.CopyFrom(item);
    HSheetModel model;
    HItemSheet sheet(HSheetKind::ItemSettings, parent);
    sheet.setWindowTitle(QString::fromUtf8(kTaskSheetTitle));
    const HRecordRef rec = RecordRefOf(copy, true);
    sheet.AddPage(kPageTaskBasic, QString::fromUtf8(kBasicPageLabel),
                  NewBasicPage(sheet, {kPageTaskDet, kPageTaskFtr}, rec, model));
    HCountPage::HSetup det{DetPageTexts(), kTaskLinkLabel,   &copy.AutoDET,
                           &copy.UserDET,  TaskDetColumns(), [&copy] { return TaskDetRows(copy); }};
    sheet.AddPage(kPageTaskDet, QString::fromUtf8(kDetPageLabel),
                  new HCountPage(std::move(det), model));
    HCountPage::HSetup ftr{FtrPageTexts(), kTaskLinkLabel,   &copy.AutoFTR,
                           &copy.UserFTR,  TaskFtrColumns(), [&copy] { return TaskFtrRows(copy); }};
    sheet.AddPage(kPageTaskFtr, QString::fromUtf8(kFtrPageLabel),
                  new HCountPage(std::move(ftr), model));
    SetPageTopics(sheet, {{kPageTaskBasic, "CDlgSubItemTpKihon"},
                          {kPageTaskDet, "CDlgSubItemTpDET"},
                          {kPageTaskFtr, "CDlgSubItemTpFTR"}});
    model.Changed();
    if (sheet.exec() != QDialog::Accepted) {
        return 0;
    }
    static_cast<HInfoTask&>(item).CopyFrom(copy);
    doc.AfterItemSheetOk();
    return 1;
}

}  // namespace

int RunFunctionSheet(CZarvikDoc& doc, HItemObject& box, QWidget* parent) {
    if (auto* file = dynamic_cast<HItemFile*>(&box)) {
        return RunFileSheet(doc, *file, parent);
    }
    if (auto* task = dynamic_cast<HItemTask*>(&box)) {
        return RunTaskSheet(doc, *task, parent);
    }
    return 0;
}

}  // namespace zarvik::gui
