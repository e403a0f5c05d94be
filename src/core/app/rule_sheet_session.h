#pragma once
// The rules of the two rule sheets (FP measurement rules, reference rules): they edit the
// rules in force directly, put back the copy taken at opening on Cancel, and ask before
// OK closes them over changed rules.

#include <string>

#include "core/fp/info_rule.h"
#include "core/store/ini_store.h"

namespace zarvik {

class HSystem;

enum class HRuleSheetKind { Measurement, Reference };

class HRuleSheetSession {
public:
    HRuleSheetSession(HSystem& system, HRuleSheetKind kind);
    HRuleSheetSession(const HRuleSheetSession&) = delete;
    HRuleSheetSession& operator=(const HRuleSheetSession&) = delete;

    // Names whose rules are in force: the system's or the flow's own.
    std::string Title() const;
    HInfoRule& Rules();

    // OK: 1 when the sheet may close, that is the rules are as at opening or the user
    // agreed to the change; 0 keeps it open.
    int ConfirmOk() const;
    // Cancel: the rules as they were at opening.
    void Cancel();

private:
    HSystem& m_system;
    HRuleSheetKind m_kind;
    HInfoRule m_backup;
    HInfoIniFile m_snapshot;
};

}  // namespace zarvik
