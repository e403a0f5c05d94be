#pragma once
// The format clipboard: the pens, fill and label appearance of one box or line, copied
// from it and given to another item of the same family. Items themselves are never
// copied, and the platform clipboard is not used.

#include <cstdint>

#include "core/records/info_item.h"

namespace zarvik {

class HDrawList;
class HFlowDocument;
class HItemCore;

// Gives to the pens, the brush and the label appearance (colour, format, free-point flag,
// offset, font and point size) of from. Name, geometry, line ends, the label drag start
// and all record contents stay as they were. What from lacks becomes none in to.
void CopyAppearance(HInfoItemCore& to, const HInfoItemCore& from);

class HClipboard {
public:
    HClipboard() = default;
    HClipboard(const HClipboard&) = delete;
    HClipboard& operator=(const HClipboard&) = delete;

    // Replaces what the clipboard holds by the appearance and kind of item. Returns 0,
    // changing nothing, for an item without drawing attributes.
    int Copy(const HItemCore& item);
    // Gives the held appearance to target and empties the clipboard. Returns 0, changing
    // nothing, when the clipboard is empty. The family is the caller's to check.
    int Paste(HInfoItemCore& target);
    // Holds nothing any more.
    void Clear();

    // 1 when the format came from a box (kinds 101 to 107).
    int HoldsBoxFormat() const;
    // 1 when the format came from a relation line.
    int HoldsLineFormat() const;
    int IsEmpty() const { return sourceKind == 0 ? 1 : 0; }

    HInfoItemCore format;
    int32_t sourceKind = 0;  // kind of the item copied from; 0 when empty
};

// The one clipboard of the process; it outlives every document.
HClipboard& Clipboard();

// The copy commands: the topmost selected box (line) into the clipboard. No undo step.
// Return 0 when nothing is selected.
int CopyBoxFormat(const HFlowDocument& doc, HClipboard& clipboard = Clipboard());
int CopyLineFormat(const HFlowDocument& doc, HClipboard& clipboard = Clipboard());

// The paste commands: when the clipboard holds a format of the family, it goes to the
// topmost selected box (line); the document's command then records the step. Return 0,
// keeping the clipboard's contents, when the family differs or nothing is selected.
int PasteBoxFormat(HFlowDocument& doc, HClipboard& clipboard = Clipboard());
int PasteLineFormat(HFlowDocument& doc, HClipboard& clipboard = Clipboard());

}  // namespace zarvik
