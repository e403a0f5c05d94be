#include "core/records/parts_text.h"

#include <algorithm>

#include "core/port/draw_context.h"
#include "core/port/platform.h"
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

int32_t HItemPartsText::LayoutFormat() const {
    if (freePoint == 1) {
        return textFormat & ~(kDtVCenter | kDtBottom | kDtWordBreak | kDtEndEllipsis);
    }
    return (textFormat & ~(kDtVCenter | kDtBottom)) | kDtEditControl;
}

HRect HItemPartsText::MeasureLabel(const std::string& label) const {
    HDrawContext& dc = Platform().ScreenContext();
    const auto oldFont = dc.SelectFont(font);
    HRect rect{0, 0, 0, 0};
    dc.DrawText(label, rect, LayoutFormat() | kDtCalcRect | kDtEditControl);
    dc.SelectFont(oldFont);
    rect.left += labelOffset.x;
    rect.right += labelOffset.x;
    rect.top += labelOffset.y;
    rect.bottom += labelOffset.y;
    return rect;
}

void HItemPartsText::DrawLabel(HDrawContext& dc, const std::string& label, const HRect& box,
                               int selected) const {
    dc.SetTransparentBackground();
    const auto oldFont = dc.SelectFont(font);
    const HColorRef oldColor = dc.SetTextColor(textColor);
    const int32_t format = LayoutFormat();
    if (freePoint == 1) {
        const HPoint corner{box.left + labelOffset.x, box.top + labelOffset.y};
        HRect rect{corner.x, corner.y, corner.x, corner.y};
        dc.DrawText(label, rect, format | kDtCalcRect);
        if (selected == 1) {
            dc.Rectangle(rect);
        }
        dc.DrawText(label, rect, format);
    } else if (textFormat & (kDtVCenter | kDtBottom)) {
        // Measured in the box width, then placed and cut to the box.
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
