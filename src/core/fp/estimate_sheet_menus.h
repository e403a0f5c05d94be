#pragma once
// The menus of the simple estimate sheet: one per box (its context menu, and a top menu of
// the sheet's window) and the flow menu, with what each entry does.

#include <cstdint>
#include <string_view>
#include <vector>

namespace zarvik {

enum class HKantanAction {
    Separator,
    Close,             // back to the flow diagram
    MeasurementRules,  // the FP measurement rules sheet with only pages
    ReferenceRules,    // the FP-related reference rules sheet with only pages
    Command,           // a command of the main window
    Help,              // the help topic
    Unavailable,       // nothing behind it yet: shown disabled
};

struct HKantanMenuEntry {
    HKantanAction action = HKantanAction::Separator;
    std::string_view text;
    int32_t command = 0;         // Command
    std::vector<int32_t> pages;  // MeasurementRules and ReferenceRules: the rule sheets' page ids
    std::string_view help;       // Help: a topic name or a page target
};

struct HKantanMenu {
    std::string_view title;
    int32_t boxId = 0;  // 0: the flow menu, for the sheet outside the boxes
    std::vector<HKantanMenuEntry> entries;
};

// Every menu in the order of the sheet's menu bar.
const std::vector<HKantanMenu>& KantanMenus();

// The menu of box id; the flow menu for 0, a background box or an id of no box.
const HKantanMenu& KantanMenuOf(int32_t id);

}  // namespace zarvik
