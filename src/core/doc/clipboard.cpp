#include "core/doc/clipboard.h"

#include "core/doc/flow_document.h"
#include "core/items/draw_list.h"
#include "core/items/item_core.h"

namespace zarvik {

void CopyAppearance(HInfoItemCore& to, const HInfoItemCore& from) {
    to.penNormal = from.penNormal;
    to.penSelected = from.penSelected;
    to.penGuide = from.penGuide;
    to.brush = from.brush;
    to.text.textColor = from.text.textColor;
    to.text.textFormat = from.text.textFormat;
    to.text.freePoint = from.text.freePoint;
    to.text.labelOffset = from.text.labelOffset;
    to.text.pointSize = from.text.pointSize;
    to.text.font = from.text.font;
}

int HClipboard::Copy(const HItemCore& item) {
    const HInfoItemCore* attributes = item.Attributes();
    if (attributes == nullptr) {
        return 0;
    }
    CopyAppearance(format, *attributes);
    sourceKind = item.kind;
    return 1;
}

int HClipboard::Paste(HInfoItemCore& target) {
    if (sourceKind == 0) {
        return 0;
    }
    CopyAppearance(target, format);
    sourceKind = 0;
    return 1;
}

int HClipboard::HoldsBoxFormat() const {
    return sourceKind >= kKindFile && sourceKind <= kKindImageBox ? 1 : 0;
}

int HClipboard::HoldsLineFormat() const {
    return sourceKind == kKindLine ? 1 : 0;
}

void HClipboard::Clear() {
    const HInfoItemCore fresh;
    CopyAppearance(format, fresh);
    sourceKind = 0;
}

HClipboard& Clipboard() {
    static HClipboard clipboard;
    return clipboard;
}

namespace {

int CopyTopmost(const HDrawList& list, HClipboard& clipboard) {
    const HItemCore* item = list.NextSelected(nullptr, 1);
    return item != nullptr ? clipboard.Copy(*item) : 0;
}

int PasteTopmost(HDrawList& list, HClipboard& clipboard) {
    HItemCore* item = list.NextSelected(nullptr, 1);
    HInfoItemCore* attributes = item != nullptr ? item->Attributes() : nullptr;
    return attributes != nullptr && clipboard.Paste(*attributes) ? 1 : 0;
}

}  // namespace

int CopyBoxFormat(const HFlowDocument& doc, HClipboard& clipboard) {
    return CopyTopmost(doc.Boxes(), clipboard);
}

int CopyLineFormat(const HFlowDocument& doc, HClipboard& clipboard) {
    return CopyTopmost(doc.Lines(), clipboard);
}

int PasteBoxFormat(HFlowDocument& doc, HClipboard& clipboard) {
    return clipboard.HoldsBoxFormat() ? PasteTopmost(doc.Boxes(), clipboard) : 0;
}

int PasteLineFormat(HFlowDocument& doc, HClipboard& clipboard) {
    return clipboard.HoldsLineFormat() ? PasteTopmost(doc.Lines(), clipboard) : 0;
}

}  // namespace zarvik
