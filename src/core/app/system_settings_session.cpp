#include "core/app/system_settings_session.h"

#include "core/app/system.h"
#include "core/port/ui_port.h"

namespace zarvik {

HSystemSettingsSession::HSystemSettingsSession(HSystem& system)
    : m_system(system), m_atOpening(system.settings) {}

HInfoSystem& HSystemSettingsSession::Settings() {
    return m_system.settings;
}

int HSystemSettingsSession::CanvasSizeEnabled() const {
    return m_system.settings.SelectCanvasType == 1 ? 1 : 0;
}

int HSystemSettingsSession::SaveRuleCheckEnabled() const {
    return m_system.IsUsingSystemRules();
}

int HSystemSettingsSession::OwnRulesNoteEnabled() const {
    return m_system.IsUsingSystemRules() ? 0 : 1;
}

int HSystemSettingsSession::ConfirmOk() const {
    if (IsSameStored(m_system.settings, m_atOpening)) {
        return 1;
    }
    const HMsgAnswer answer = UiPort().MessageBox(
        "システム情報が変更されています。\r\n\r\n変更を保存してダイアログを閉じますか？\r\n"
        "※ アプリケーション終了時に、インストールディレクトリのZarvik.iniに自動的に保存します。",
        HSystem::GetVersionString("ProductName"), HMsgIcon::Warning, HMsgButtons::OkCancel);
    return answer == HMsgAnswer::Ok ? 1 : 0;
}

void HSystemSettingsSession::Cancel() {
    m_system.settings = m_atOpening;
}

}  // namespace zarvik
