// The document's commands: what enables each, and the steps that follow each edit in the
// order the command fixes, run through the edit funnel.

#include <unordered_set>

#include "core/doc/clipboard.h"
#include "core/doc/csv_export.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/item_line.h"
#include "core/items/item_object.h"
#include "core/port/ui_port.h"

namespace zarvik {
namespace {

using S = HAfterStep;

HItemLine* TopmostSelectedLine(const HDrawList& lines) {
    return dynamic_cast<HItemLine*>(lines.NextSelected(nullptr, 1));
}

HItemsGoing SelectedItems(const HDrawList& list) {
    HItemsGoing going;
    for (const HItemCore* item = list.NextSelected(nullptr, 1); item != nullptr;
         item = list.NextSelected(item, 1)) {
        going.items.push_back(item);
    }
    return going;
}

// The selected boxes and every line attached to one of them.
HItemsGoing SelectedBoxesWithLines(const HDrawList& boxes, const HDrawList& lines) {
    HItemsGoing going = SelectedItems(boxes);
    // A set, so that deleting thousands of boxes does not compare every line with each.
    const std::unordered_set<const HItemCore*> selected(going.items.begin(), going.items.end());
    for (const HItemCore* item = lines.Head(); item != nullptr; item = item->next) {
        const auto* line = static_cast<const HItemLine*>(item);
        if (selected.count(line->fromItem) != 0 || selected.count(line->toItem) != 0) {
            going.items.push_back(line);
        }
    }
    return going;
}

}  // namespace

int CZarvikDoc::IsCommandEnabled(int32_t id, const HClipboard& clipboard) const {
    const int32_t boxes = Boxes().CountSelected();
    const int32_t lines = Lines().CountSelected();
    switch (id) {
        case kCmdFileNew:
        case kCmdFileOpen:
        case kCmdFileSaveAs:
        case kCmdExportTransactions:
        case kCmdExportFiles:
        case kCmdFlowProperties:
        case kCmdPageSetup:
        case kCmdRuleSettings:
        case kCmdReferenceSettings:
        case kCmdSystemSettings:
        case kCmdEstimateSheet:
        case kCmdRatioList:
        case kCmdFileItemList:
        case kCmdTaskItemList:
            return 1;
        case kCmdEstimateSheetClose:
            return acceleratorId == kAcceleratorsEstimateSheet ? 1 : 0;
        case kCmdFileSave:
            return m_pathName.empty() ? 0 : 1;
        case kCmdItemDelete:
        case kCmdLineVisibility:
            return boxes >= 1 ? 1 : 0;
        case kCmdLineDelete:
        case kCmdLineBothArrows:
        case kCmdLineNoArrow:
            return lines >= 1 ? 1 : 0;
        case kCmdLineReverse: {
            const HItemLine* line = TopmostSelectedLine(Lines());
            return line != nullptr && line->lineType == kLineArrowTo ? 1 : 0;
        }
        case kCmdSendToHead:
        case kCmdBringToTail:
        case kCmdStepTowardTail:
        case kCmdStepTowardHead:
            return Boxes().Count() > 1 && boxes == 1 ? 1 : 0;
        case kCmdItemFormat:
        case kCmdItemProperties:
        case kCmdItemFormatCopy:
            return boxes == 1 ? 1 : 0;
        case kCmdLineFormat:
        case kCmdLineFormatCopy:
            return lines == 1 ? 1 : 0;
        case kCmdItemFormatPaste:
            return boxes >= 1 && clipboard.HoldsBoxFormat() ? 1 : 0;
        case kCmdLineFormatPaste:
            return lines >= 1 && clipboard.HoldsLineFormat() ? 1 : 0;
        case kCmdUndo:
            return m_history.CanUndo();
        case kCmdRedo:
            return m_history.CanRedo();
        default:
            return 0;
    }
}

int CZarvikDoc::IsCommandChecked(int32_t id) const {
    const HItemLine* line = TopmostSelectedLine(Lines());
    switch (id) {
        case kCmdLineBothArrows:
            return line != nullptr && line->lineType == kLineArrowBoth ? 1 : 0;
        case kCmdLineNoArrow:
            return line != nullptr && line->lineType == kLineNoArrow ? 1 : 0;
        default:
            return 0;
    }
}

int CZarvikDoc::RunCommand(int32_t id, HClipboard& clipboard) {
    if (!IsCommandEnabled(id, clipboard)) {
        return 0;
    }
    switch (id) {
        case kCmdFileNew:
            return OnFileNew();
        case kCmdFileOpen:
            return OnFileOpen();
        case kCmdFileSave:
            return OnFileSave();
        case kCmdFileSaveAs:
            return OnFileSaveAs();
        case kCmdExportTransactions:
            return OnExportCsv(HCsvList::Transactions);
        case kCmdExportFiles:
            return OnExportCsv(HCsvList::Files);
        case kCmdItemDelete:
            return DeleteSelectedBoxes();
        case kCmdLineDelete:
            return DeleteSelectedLines();
        case kCmdSendToHead:
        case kCmdBringToTail:
        case kCmdStepTowardTail:
        case kCmdStepTowardHead:
            return MoveSelectedBox(id);
        case kCmdLineReverse:
            return ReverseSelectedLine();
        case kCmdLineBothArrows:
            return ToggleSelectedLineBothArrows();
        case kCmdLineNoArrow:
            return ToggleSelectedLineNoArrow();
        case kCmdLineVisibility:
            return ToggleSelectedBoxesLineVisibility();
        case kCmdItemFormatCopy:
            return CopyBoxFormat(*this, clipboard);
        case kCmdLineFormatCopy:
            return CopyLineFormat(*this, clipboard);
        case kCmdItemFormatPaste:
        case kCmdLineFormatPaste:
            return PasteFormat(id, clipboard);
        case kCmdUndo:
            return UndoStep();
        case kCmdRedo:
            return RedoStep();
        default:
            // The sheets and dialogs: the window shows them and ends them here.
            return 0;
    }
}

int CZarvikDoc::OnExportCsv(HCsvList list) {
    const std::optional<std::string> chosen = UiPort().ChooseSaveFile(CsvChooserFor(list));
    if (!chosen || chosen->empty()) {
        return 0;
    }
    // The export replaces an existing file only by a complete new one, so the old file is
    // not deleted beforehand: a failed export keeps it.
    const std::string path = CsvOutputPath(*chosen);
    return list == HCsvList::Transactions ? ExportTransactions(*this, path)
                                          : ExportFiles(*this, path);
}

int CZarvikDoc::DeleteSelectedBoxes() {
    if (Boxes().CountSelected() == 0) {
        return 0;
    }
    AboutToDestroy(SelectedBoxesWithLines(Boxes(), Lines()));
    while (Boxes().RemoveFirstSelectedWithLines(Lines())) {
    }
    FinishEdit({S::Record, S::Refresh, S::Estimate},
               {kChangeStructure | kChangeSelection | kChangeRecords});
    return 1;
}

int CZarvikDoc::DeleteSelectedLines() {
    if (Lines().CountSelected() == 0) {
        return 0;
    }
    AboutToDestroy(SelectedItems(Lines()));
    Lines().RemoveSelected();
    FinishEdit({S::Refresh, S::Record, S::Estimate},
               {kChangeStructure | kChangeSelection | kChangeRecords});
    return 1;
}

int CZarvikDoc::MoveSelectedBox(int32_t id) {
    if (Boxes().CountSelected() != 1) {
        return 0;
    }
    int moved = 0;
    switch (id) {
        case kCmdSendToHead:
            moved = Boxes().SendToHead();
            break;
        case kCmdBringToTail:
            moved = Boxes().BringToTail();
            break;
        case kCmdStepTowardTail:
            moved = Boxes().StepTowardTail();
            break;
        case kCmdStepTowardHead:
            moved = Boxes().StepTowardHead();
            break;
        default:
            return 0;
    }
    FinishEdit({S::Record, S::Refresh, S::Estimate}, {kChangeStructure});
    return moved;
}

int CZarvikDoc::EditSelectedLine(void (*edit)(HItemLine&), uint32_t changed) {
    HItemLine* line = TopmostSelectedLine(Lines());
    if (line == nullptr) {
        return 0;
    }
    edit(*line);
    FinishEdit({S::Refresh, S::Record, S::Estimate}, {changed});
    return 1;
}

int CZarvikDoc::ReverseSelectedLine() {
    const HItemLine* line = TopmostSelectedLine(Lines());
    if (line == nullptr || line->lineType != kLineArrowTo) {
        return 0;
    }
    return EditSelectedLine([](HItemLine& l) { l.Reverse(); }, kChangeGeometry | kChangeRecords);
}

int CZarvikDoc::ToggleSelectedLineBothArrows() {
    return EditSelectedLine([](HItemLine& l) { l.ToggleBothArrows(); }, kChangeRecords);
}

int CZarvikDoc::ToggleSelectedLineNoArrow() {
    return EditSelectedLine([](HItemLine& l) { l.ToggleNoArrow(); }, kChangeRecords);
}

int CZarvikDoc::ToggleSelectedBoxesLineVisibility() {
    int toggled = 0;
    for (HItemCore* item = Boxes().NextSelected(nullptr, 1); item != nullptr;
         item = Boxes().NextSelected(item, 1)) {
        if (auto* box = dynamic_cast<HItemObject*>(item)) {
            box->lineHide = box->lineHide != 1 ? 1 : 0;
            toggled = 1;
        }
    }
    if (!toggled) {
        return 0;
    }
    FinishEdit({S::Record, S::Refresh, S::Estimate}, {kChangeRecords});
    return 1;
}

int CZarvikDoc::PasteFormat(int32_t id, HClipboard& clipboard) {
    const int pasted = id == kCmdItemFormatPaste ? PasteBoxFormat(*this, clipboard)
                                                 : PasteLineFormat(*this, clipboard);
    if (pasted) {
        FinishEdit({S::Record, S::Refresh, S::Estimate}, {kChangeRecords});
    }
    return pasted;
}

int CZarvikDoc::UndoStep() {
    if (!Undo(*this, m_history)) {
        return 0;
    }
    m_unrecordedEdit = 0;
    Tell({kChangeItems | kChangeEstimate | CompareWithSaved()});
    return 1;
}

int CZarvikDoc::RedoStep() {
    if (!Redo(*this, m_history)) {
        return 0;
    }
    m_unrecordedEdit = 0;
    Tell({kChangeItems | kChangeEstimate | CompareWithSaved()});
    return 1;
}

void CZarvikDoc::AfterItemSheetOk() {
    FinishEdit({S::Refresh, S::Record, S::Estimate}, {kChangeRecords});
}

void CZarvikDoc::AfterFormatSheetOk() {
    FinishEdit({S::Record, S::Refresh, S::Estimate}, {kChangeRecords | kChangeGeometry});
}

void CZarvikDoc::AfterSettingsChanged() {
    FinishEdit({S::Refresh, S::Estimate}, {kChangeRules});
}

}  // namespace zarvik
