#include "core/app/rule_sheet_session.h"

#include "core/app/system.h"
#include "core/port/ui_port.h"
#include "core/store/ini_file.h"

namespace zarvik {
namespace {

void Snapshot(const HInfoRule& rule, HInfoIniFile& store) {
    HIniFile ini(store, 0);
    rule.Save(ini);
}

}  // namespace

HRuleSheetSession::HRuleSheetSession(HSystem& system, HRuleSheetKind kind)
    : m_system(system), m_kind(kind) {
    m_backup.CopyFrom(system.CurrentRules());
    Snapshot(system.CurrentRules(), m_snapshot);
}

std::string HRuleSheetSession::Title() const {
    const std::string whose = m_system.IsUsingSystemRules() ? " (現在、システムの設定を使用)"
                                                            : " (現在、フローの設定を使用)";
    return (m_kind == HRuleSheetKind::Measurement ? "FP計測規則の設定"
                                                  : "FP関連参考値算出規則の設定") +
           whose;
}

HInfoRule& HRuleSheetSession::Rules() {
    return m_system.CurrentRules();
}

int HRuleSheetSession::ConfirmOk() const {
    HInfoIniFile now;
    Snapshot(m_system.CurrentRules(), now);
    if (now.IsSame(&m_snapshot)) {
        return 1;
    }
    std::string text = m_kind == HRuleSheetKind::Measurement
                           ? "FP算出規則の設定情報が変更されています。"
                           : "FP関連参考値算出規則の設定情報が変更されています。";
    text += "\r\n\r\n変更を保存してダイアログを閉じますか？\r\n";
    text +=
        m_system.IsUsingSystemRules()
            ? "※ "
              "アプリケーション終了時に、インストールディレクトリのZarvik.iniに自動的に保存します。"
            : "※ フローファイルの保存時に、フローファイルに保存します。";
    const HMsgAnswer answer = UiPort().MessageBox(text, HSystem::GetVersionString("ProductName"),
                                                  HMsgIcon::Warning, HMsgButtons::OkCancel);
    return answer == HMsgAnswer::Ok ? 1 : 0;
}

void HRuleSheetSession::Cancel() {
    m_system.CurrentRules().CopyFrom(m_backup);
}

}  // namespace zarvik
