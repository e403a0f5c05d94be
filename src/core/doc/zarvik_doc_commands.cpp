// The document's edit commands: what enables each, and the steps that follow each edit
// in the order the command fixes (the undo step, the record refresh, the estimate, the
// views).

#include "core/canvas/canvas_menus.h"
#include "core/doc/clipboard.h"
#include "core/doc/csv_export.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/item_line.h"
#include "core/items/item_object.h"

namespace zarvik {
namespace {

HItemLine* TopmostSelectedLine(HDrawList& lines) {
    return dynamic_cast<HItemLine*>(lines.NextSelected(nullptr, 1));
}

}  // namespace

int CZarvikDoc::IsCommandEnabled(int32_t id, const HClipboard& clipboard) const {
    const int32_t boxes = Boxes().CountSelected();
    const int32_t lines = Lines().CountSelected();
    switch (id) {
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
            const auto* line = dynamic_cast<const HItemLine*>(Lines().NextSelected(nullptr, 1));
            return line != nullptr && line->lineType == kLineArrowTo ? 1 : 0;
        }
        case kCmdBringToFront:
        case kCmdSendToBack:
        case kCmdBringForward:
        case kCmdSendBackward:
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
            return 1;
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
        case kCmdItemDelete:
            return DeleteSelectedBoxes();
        case kCmdLineDelete:
            return DeleteSelectedLines();
        case kCmdBringToFront:
        case kCmdSendToBack:
        case kCmdBringForward:
        case kCmdSendBackward:
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
        case kCmdLineFormatPaste: {
            const int pasted = id == kCmdItemFormatPaste
                                   ? PasteBoxFormat(*this, m_history, clipboard)
                                   : PasteLineFormat(*this, m_history, clipboard);
            if (pasted) {
                m_modified = 1;
                UpdateAllViews();
            }
            return pasted;
        }
        case kCmdUndo:
            return UndoStep();
        case kCmdRedo:
            return RedoStep();
        case kCmdExportTransactions:
            return OnExportCsv(HCsvList::Transactions);
        case kCmdExportFiles:
            return OnExportCsv(HCsvList::Files);
        default:
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
    int removed = 0;
    while (Boxes().RemoveFirstSelectedWithLines(Lines())) {
        removed = 1;
    }
    if (!removed) {
        return 0;
    }
    RecordStep();
    RefreshItems();
    RecomputeEstimate();
    UpdateAllViews();
    return 1;
}

int CZarvikDoc::DeleteSelectedLines() {
    if (!Lines().RemoveSelected()) {
        return 0;
    }
    RefreshItems();
    RecordStep();
    RecomputeEstimate();
    UpdateAllViews();
    return 1;
}

int CZarvikDoc::MoveSelectedBox(int32_t id) {
    if (Boxes().CountSelected() != 1) {
        return 0;
    }
    int moved = 0;
    switch (id) {
        case kCmdBringToFront:
            moved = Boxes().SendToHead();
            break;
        case kCmdSendToBack:
            moved = Boxes().BringToTail();
            break;
        case kCmdBringForward:
            moved = Boxes().StepTowardTail();
            break;
        case kCmdSendBackward:
            moved = Boxes().StepTowardHead();
            break;
        default:
            return 0;
    }
    RecordStep();
    UpdateAllViews();
    return moved;
}

int CZarvikDoc::EditSelectedLine(void (*edit)(HItemLine&)) {
    HItemLine* line = TopmostSelectedLine(Lines());
    if (line == nullptr) {
        return 0;
    }
    edit(*line);
    RefreshItems();
    RecordStep();
    UpdateAllViews();
    return 1;
}

int CZarvikDoc::ReverseSelectedLine() {
    const HItemLine* line = TopmostSelectedLine(Lines());
    if (line == nullptr || line->lineType != kLineArrowTo) {
        return 0;
    }
    return EditSelectedLine([](HItemLine& l) { l.Reverse(); });
}

int CZarvikDoc::ToggleSelectedLineBothArrows() {
    return EditSelectedLine([](HItemLine& l) { l.ToggleBothArrows(); });
}

int CZarvikDoc::ToggleSelectedLineNoArrow() {
    return EditSelectedLine([](HItemLine& l) { l.ToggleNoArrow(); });
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
    RecordStep();
    UpdateAllViews();
    return 1;
}

int CZarvikDoc::UndoStep() {
    if (!Undo(*this, m_history, [this] { NotifyItemsReplacing(); })) {
        return 0;
    }
    m_modified = 1;
    UpdateAllViews();
    return 1;
}

int CZarvikDoc::RedoStep() {
    if (!Redo(*this, m_history, [this] { NotifyItemsReplacing(); })) {
        return 0;
    }
    m_modified = 1;
    UpdateAllViews();
    return 1;
}

void CZarvikDoc::AfterItemSheetOk() {
    RefreshItems();
    RecordStep();
    RecomputeEstimate();
    UpdateAllViews();
}

void CZarvikDoc::AfterFormatSheetOk() {
    RecordStep();
    UpdateAllViews();
}

void CZarvikDoc::AfterSettingsChanged() {
    Recompute();
    UpdateAllViews();
}

}  // namespace zarvik
