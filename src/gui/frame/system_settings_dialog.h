#pragma once
// The system settings sheet: canvas size, automatic layout and saving options. It edits
// the live settings; Cancel puts back what was there at opening.

#include <QDialog>
#include <memory>

#include "core/app/system_settings_session.h"

class QLineEdit;
class QSlider;

namespace Ui {
class SystemSettingsDialog;
}

namespace zarvik::gui {

class HSystemSettingsDialog : public QDialog {
    Q_OBJECT

public:
    explicit HSystemSettingsDialog(QWidget* parent = nullptr);
    ~HSystemSettingsDialog() override;

    void accept() override;
    void reject() override;

private:
    // One fixed canvas side: its field, its slider and the setting they edit.
    void ConnectSide(QLineEdit* edit, QSlider* slider, int32_t HInfoSystem::*side);
    void ShowSettings();
    void UpdateEnabling();

    std::unique_ptr<Ui::SystemSettingsDialog> m_ui;
    HSystemSettingsSession m_session;
};

}  // namespace zarvik::gui
