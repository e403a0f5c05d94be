#include "gui/frame/system_settings_dialog.h"

#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include "core/app/system.h"
#include "core/text/number_text.h"
#include "draw/qt_text.h"
#include "gui/frame/help_window.h"
#include "ui_system_settings_dialog.h"

namespace zarvik::gui {

HSystemSettingsDialog::HSystemSettingsDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::SystemSettingsDialog>()), m_session(System()) {
    m_ui->setupUi(this);
    setObjectName("CDlgSystemProp");
    AddContextHelpKey(this);
    ShowSettings();
    UpdateEnabling();

    HInfoSystem& settings = m_session.Settings();
    connect(m_ui->fixedSizeRadio, &QRadioButton::toggled, this, [this, &settings](bool fixed) {
        settings.SelectCanvasType = fixed ? 1 : 0;
        UpdateEnabling();
    });
    ConnectSide(m_ui->widthEdit, m_ui->widthSlider, &HInfoSystem::CanvasSizeCx);
    ConnectSide(m_ui->heightEdit, m_ui->heightSlider, &HInfoSystem::CanvasSizeCy);
    connect(m_ui->fpOnlyCheck, &QCheckBox::toggled, this,
            [&settings](bool on) { settings.AutoGraphCheckFpOnly = on ? 1 : 0; });
    connect(m_ui->shownLinesOnlyCheck, &QCheckBox::toggled, this,
            [&settings](bool on) { settings.AutoGraphCheckShowOnly = on ? 1 : 0; });
    connect(m_ui->saveRuleCheck, &QCheckBox::toggled, this,
            [&settings](bool on) { settings.IsSaveRule2Flow = on ? 1 : 0; });
    connect(m_ui->okButton, &QPushButton::clicked, this, &HSystemSettingsDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &HSystemSettingsDialog::reject);
}

HSystemSettingsDialog::~HSystemSettingsDialog() = default;

void HSystemSettingsDialog::accept() {
    if (m_session.ConfirmOk()) {
        QDialog::accept();
    }
}

void HSystemSettingsDialog::reject() {
    m_session.Cancel();
    QDialog::reject();
}

void HSystemSettingsDialog::ConnectSide(QLineEdit* edit, QSlider* slider,
                                        int32_t HInfoSystem::*side) {
    // Digits only, as a number field takes them.
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}"), edit));
    int32_t& value = m_session.Settings().*side;
    connect(edit, &QLineEdit::textEdited, this, [slider, &value](const QString& text) {
        value = Atoi(draw::ToStdString(text));
        const QSignalBlocker quiet(slider);  // the slider must not rewrite what is typed
        slider->setValue(value);
    });
    connect(edit, &QLineEdit::editingFinished, this, [edit, slider, &value] {
        const int32_t clamped = ClampCanvasSide(Atoi(draw::ToStdString(edit->text())));
        value = clamped;
        if (draw::ToStdString(edit->text()) != FormatInt(clamped)) {
            edit->setText(QString::number(clamped));
        }
        const QSignalBlocker quiet(slider);
        slider->setValue(clamped);
    });
    connect(slider, &QSlider::valueChanged, this, [edit, &value](int position) {
        value = position;
        edit->setText(QString::number(position));
    });
}

void HSystemSettingsDialog::ShowSettings() {
    const HInfoSystem& settings = m_session.Settings();
    (settings.SelectCanvasType == 1 ? m_ui->fixedSizeRadio : m_ui->fitWindowRadio)
        ->setChecked(true);
    m_ui->widthEdit->setText(QString::number(settings.CanvasSizeCx));
    m_ui->heightEdit->setText(QString::number(settings.CanvasSizeCy));
    m_ui->widthSlider->setValue(settings.CanvasSizeCx);
    m_ui->heightSlider->setValue(settings.CanvasSizeCy);
    m_ui->fpOnlyCheck->setChecked(settings.AutoGraphCheckFpOnly != 0);
    m_ui->shownLinesOnlyCheck->setChecked(settings.AutoGraphCheckShowOnly != 0);
    m_ui->saveRuleCheck->setChecked(settings.IsSaveRule2Flow != 0);
}

void HSystemSettingsDialog::UpdateEnabling() {
    const bool sizes = m_session.CanvasSizeEnabled() != 0;
    const std::initializer_list<QWidget*> sizeControls = {m_ui->widthEdit, m_ui->widthSlider,
                                                          m_ui->heightEdit, m_ui->heightSlider};
    for (QWidget* widget : sizeControls) {
        widget->setEnabled(sizes);
    }
    m_ui->saveRuleCheck->setEnabled(m_session.SaveRuleCheckEnabled() != 0);
    m_ui->ownRulesNoteLine1->setEnabled(m_session.OwnRulesNoteEnabled() != 0);
    m_ui->ownRulesNoteLine2->setEnabled(m_session.OwnRulesNoteEnabled() != 0);
}

}  // namespace zarvik::gui
