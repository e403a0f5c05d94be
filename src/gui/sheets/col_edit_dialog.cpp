#include "gui/sheets/col_edit_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/frame/cp932_validator.h"
#include "gui/frame/help_window.h"

namespace zarvik::gui {

HColEditDialog::HColEditDialog(const HColEditSetup& setup, QWidget* parent) : QDialog(parent) {
    setObjectName("CDlgColEdit");
    setWindowTitle(QString::fromStdString(setup.title));
    AddContextHelpKey(this);
    m_name = new QLineEdit(QString::fromStdString(setup.name), this);
    m_name->setValidator(new HCp932Validator(m_name));
    m_remarks = new QPlainTextEdit(QString::fromStdString(setup.remarks), this);
    KeepCp932Only(m_remarks);
    m_ok = new QPushButton(QString::fromStdString(setup.okText), this);
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("項目名称"), this), 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("備考"), this), 1, 0, Qt::AlignTop);
    grid->addWidget(m_remarks, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 2, 0, 1, 2);

    const auto enableOk = [this] { m_ok->setEnabled(ColEditCanAccept(Name())); };
    connect(m_name, &QLineEdit::textChanged, this, enableOk);
    enableOk();
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::string HColEditDialog::Name() const {
    return m_name->text().toStdString();
}

std::string HColEditDialog::Remarks() const {
    return m_remarks->toPlainText().toStdString();
}

}  // namespace zarvik::gui
