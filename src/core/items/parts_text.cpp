#include "core/items/parts_text.h"

#include "core/doc/ini_file.h"
#include "core/port/platform.h"

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

}  // namespace zarvik
