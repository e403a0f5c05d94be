#include "core/records/parts_text.h"

#include <algorithm>

#include "core/port/draw_context.h"
#include "core/port/platform.h"
#include "core/records/state_hash.h"
#include "core/store/ini_file.h"

namespace zarvik {

HLogFont MakePointFont(int32_t tenthsOfPoint, const std::string& faceName) {
    HLogFont font;
    font.charSet = kDefaultCharset;
    font.height = PointFontHeight(tenthsOfPoint, Platform().ScreenPixelsPerInch());
    font.faceName = faceName;
    return font;
}

HItemPartsText::HItemPartsText() : font(MakePointFont(kDefaultPointSize, kDefaultFaceName)) {}

int HItemPartsText::SetTextFont(int32_t tenthsOfPoint, const HLogFont& description) {
    HLogFont made = description;
    made.height = PointFontHeight(tenthsOfPoint, Platform().ScreenPixelsPerInch());
    font = made;
    pointSize = tenthsOfPoint;
    return 1;
}

int HItemPartsText::GetTextFont(int32_t& tenthsOfPoint, HLogFont& description) const {
    if (!font) {
        return 0;
    }
    tenthsOfPoint = pointSize;
    description = *font;
    return 1;
}

void HItemPartsText::CopyFrom(const HItemPartsText& other) {
    *this = other;
}

void HItemPartsText::AddStateTo(HStateHash& hash) const {
    hash.Add(static_cast<int32_t>(textColor), textFormat);
    hash.Add(freePoint, pointSize);
    hash.Add(labelDragStart);
    hash.Add(labelOffset);
    hash.Add(font ? 1 : 0, 0);
    if (font) {
        hash.Add(*font);
    }
}

int32_t HItemPartsText::LayoutFormat() const {
    if (freePoint == 1) {
        return textFormat & ~(kDtVerticalAlign | kDtWordBreak | kDtEndEllipsis);
    }
    return (textFormat & ~kDtVerticalAlign) | kDtEditControl;
}

HRect HItemPartsText::FreeLabelRect(HDrawContext& dc, const std::string& label,
                                    HPoint corner) const {
    HRect rect{corner.x, corner.y, corner.x, corner.y};
    dc.DrawText(label, rect, LayoutFormat() | kDtCalcRect);
    return rect;
}

HRect HItemPartsText::MeasureLabel(const std::string& label) const {
    HDrawContext& dc = Platform().ScreenContext();
    const auto oldFont = dc.SelectFont(font);
    const HRect rect = FreeLabelRect(dc, label, labelOffset);
    dc.SelectFont(oldFont);
    return rect;
}

void HItemPartsText::DrawLabel(HDrawContext& dc, const std::string& label, const HRect& box,
                               int selected) const {
    dc.SetTransparentBackground();
    const auto oldFont = dc.SelectFont(font);
    const HColorRef oldColor = dc.SetTextColor(textColor);
    const int32_t format = LayoutFormat();
    if (freePoint == 1) {
        HRect rect =
            FreeLabelRect(dc, label, HPoint{box.left + labelOffset.x, box.top + labelOffset.y});
        if (selected == 1) {
            dc.Rectangle(rect);
        }
        dc.DrawText(label, rect, format);
    } else if (textFormat & kDtVerticalAlign) {
        // Measured in the box width, then placed; the rectangle is cut to the box, and the
        // context clips the text to it.
        HRect measured = box;
        const int32_t textHeight = dc.DrawText(label, measured, format | kDtCalcRect);
        const int32_t height = box.Height();
        const int32_t top = (textFormat & kDtVCenter) ? box.top + height / 2 - textHeight / 2
                                                      : box.top + height - textHeight;
        HRect rect{box.left, std::max(top, box.top), box.right, std::min(top + height, box.bottom)};
        dc.DrawText(label, rect, format);
    } else {
        HRect rect = box;
        dc.DrawText(label, rect, format);
    }
    dc.SetTextColor(oldColor);
    dc.SelectFont(oldFont);
}

}  // namespace zarvik
