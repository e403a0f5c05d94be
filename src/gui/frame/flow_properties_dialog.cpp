#include "gui/frame/flow_properties_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "draw/qt_text.h"
#include "gui/frame/cp932_validator.h"
#include "gui/frame/help_window.h"

namespace zarvik::gui {

HFlowPropertiesDialog::HFlowPropertiesDialog(CZarvikDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_draft(doc.FlowPropertiesDraft()) {
    setObjectName("CDlgFlowProp");
    setWindowTitle(draw::ToQString("フローファイルのプロパティ"));
    AddContextHelpKey(this);
    auto* pages = new QTabWidget(this);
    pages->addTab(BuildBasicPage(), draw::ToQString("基本設定"));

    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(draw::ToQString("ｷｬﾝｾﾙ"), this);
    connect(ok, &QPushButton::clicked, this, &HFlowPropertiesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &HFlowPropertiesDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);
}

QWidget* HFlowPropertiesDialog::BuildBasicPage() {
    auto* page = new QWidget;
    m_nameEdit = new QLineEdit(draw::ToQString(m_draft.flowName), page);
    m_nameEdit->setObjectName("flowNameEdit");
    m_nameEdit->setValidator(new HCp932Validator(m_nameEdit));
    connect(m_nameEdit, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_draft.flowName = draw::ToStdString(text); });
    auto* updateEdit = new QLineEdit(draw::ToQString(m_draft.lastUpdate), page);
    updateEdit->setObjectName("lastUpdateEdit");
    updateEdit->setReadOnly(true);

    auto* rulesGroup = new QGroupBox(draw::ToQString("ルール設定の保存場所について"), page);
    m_ownRulesCheck =
        new QCheckBox(draw::ToQString("このフロー図に、独自のルール設定を行う。"), rulesGroup);
    m_ownRulesCheck->setChecked(m_draft.ownRules != 0);
    (new QVBoxLayout(rulesGroup))->addWidget(m_ownRulesCheck);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(draw::ToQString("名前"), page));
    layout->addWidget(m_nameEdit);
    layout->addWidget(new QLabel(draw::ToQString("更新日時"), page));
    layout->addWidget(updateEdit);
    layout->addWidget(rulesGroup);
    for (const char* note : {"フローのプロパティは、各ﾌﾛｰﾌｧｲﾙで保持するため",
                             "ルール設定/システム設定と保存タイミングが異なります。",
                             "※ 上書き保存コマンドなどで、ﾌﾛｰﾌｧｲﾙを更新する必要があります。"}) {
        layout->addWidget(new QLabel(draw::ToQString(note), page));
    }
    layout->addStretch(1);
    return page;
}

void HFlowPropertiesDialog::accept() {
    m_draft.ownRules = m_ownRulesCheck->isChecked() ? 1 : 0;
    m_doc.ApplyFlowProperties(m_draft);
    QDialog::accept();
}

}  // namespace zarvik::gui
