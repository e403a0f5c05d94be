#pragma once
// The rules of the system settings sheet: it edits the live settings, puts back the copy
// taken at opening on Cancel, and asks before OK closes it over changed settings.

#include "core/app/info_system.h"

namespace zarvik {

class HSystem;

class HSystemSettingsSession {
public:
    explicit HSystemSettingsSession(HSystem& system);

    HInfoSystem& Settings();

    // The fixed size fields and their sliders serve canvas type 1 only.
    int CanvasSizeEnabled() const;
    // The rules go into the flow file only while the document has no rules of its own;
    // the note explains where they go otherwise.
    int SaveRuleCheckEnabled() const;
    int OwnRulesNoteEnabled() const;

    // OK: 1 when the sheet may close, that is nothing changed or the user agreed to the
    // change; 0 keeps it open.
    int ConfirmOk() const;
    // Cancel: the settings as they were at opening.
    void Cancel();

private:
    HSystem& m_system;
    HInfoSystem m_atOpening;
};

}  // namespace zarvik
