#include "core/canvas/tooltips.h"

#include <utility>

#include "core/fp/fp_rating.h"
#include "core/items/draw_list.h"
#include "core/items/item_core.h"
#include "core/items/item_line.h"
#include "core/records/info_core.h"
#include "core/text/number_text.h"

namespace zarvik {

const char* FunctionTypeText(int32_t typeCode) {
    const char* name = FpTypeName(typeCode);
    return name != nullptr ? name : "-";
}

std::string TooltipText(const HDrawList& boxes, const HDrawList& lines, HPoint point) {
    if (const auto* line = dynamic_cast<const HItemLine*>(lines.HitTestFrom(nullptr, point))) {
        return line->DescribeLine();
    }
    const HItemCore* box = boxes.HitTestFrom(nullptr, point);
    const HInfoCore* record = box != nullptr ? box->Record() : nullptr;
    if (record == nullptr) {
        return {};
    }
    return record->name + "\r\n種別=\"" + record->typeLabel + "\"  FP種別=\"" +
           FunctionTypeText(record->typeCode) + "\"  FP数=" + FormatInt(record->GetFp());
}

HTooltipAction HTooltipState::Update(const HDrawList& boxes, const HDrawList& lines, HPoint point,
                                     int32_t flags, std::string* text) {
    constexpr int32_t held =
        kMouseFlagLeft | kMouseFlagRight | kMouseFlagMiddle | kMouseFlagShift | kMouseFlagCtrl;
    std::string tip = (flags & held) == 0 ? TooltipText(boxes, lines, point) : std::string();
    HTooltipAction action;
    if (tip.empty()) {
        action = HTooltipAction::Remove;
    } else if (m_lastText.empty()) {
        action = HTooltipAction::Add;
    } else if (point == m_lastPoint) {
        action = HTooltipAction::Replace;
    } else {
        action = HTooltipAction::Pop;
    }
    if (text != nullptr) {
        *text = tip;
    }
    m_lastText = std::move(tip);
    m_lastPoint = point;
    return action;
}

}  // namespace zarvik
