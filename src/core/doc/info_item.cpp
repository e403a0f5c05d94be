#include "core/doc/info_item.h"

#include "core/doc/ini_file.h"

namespace zarvik {
namespace {

constexpr const char* kTextPrefix = "GuiText";

std::string TextKey(const char* suffix) {
    return std::string(kTextPrefix) + suffix;
}

}  // namespace

HLogPen SolidPen(int32_t width, HColorRef color) {
    return HLogPen{kPenSolid, {width, 0}, color};
}

HLogBrush SolidBrush(HColorRef color) {
    return HLogBrush{kBrushSolid, color, 0};
}

HInfoItemCore::HInfoItemCore()
    : penNormal(SolidPen(0, Rgb(0, 0, 255))),
      penSelected(SolidPen(0, Rgb(0, 128, 128))),
      penGuide(SolidPen(0, Rgb(0, 255, 0))),
      brush(SolidBrush(Rgb(255, 255, 255))) {}

int HInfoItemCore::SaveGui(HIniFile& ini, const std::string& section) const {
    ini.SetFont(section, TextKey("_Font"), text.font);
    ini.SetInt(section, TextKey("_TextColor"), static_cast<int32_t>(text.textColor));
    ini.SetInt(section, TextKey("_DrawTextFormat"), text.textFormat);
    ini.SetInt(section, TextKey("_TextFreePoint"), text.freePoint);
    ini.SetInt(section, TextKey("_Text_PosX"), text.labelOffset.x);
    ini.SetInt(section, TextKey("_Text_PosY"), text.labelOffset.y);
    ini.SetPen(section, "GuiPenNormal", penNormal);
    ini.SetPen(section, "GuiPenSelected", penSelected);
    ini.SetPen(section, "GuiPenGuide", penGuide);
    ini.SetBrush(section, "GuiBrush", brush);
    return 1;
}

int HInfoItemCore::LoadGui(HIniFile& ini, const std::string& section) {
    text.font = ini.GetFont(section, TextKey("_Font"), text.font);
    text.textColor = static_cast<HColorRef>(ini.GetInt(section, TextKey("_TextColor")));
    text.textFormat = ini.GetInt(section, TextKey("_DrawTextFormat"));
    text.freePoint = ini.GetInt(section, TextKey("_TextFreePoint"));
    text.labelOffset.x = ini.GetInt(section, TextKey("_Text_PosX"));
    text.labelOffset.y = ini.GetInt(section, TextKey("_Text_PosY"));
    penNormal = ini.GetPen(section, "GuiPenNormal", penNormal);
    penSelected = ini.GetPen(section, "GuiPenSelected", penSelected);
    penGuide = ini.GetPen(section, "GuiPenGuide", penGuide);
    brush = ini.GetBrush(section, "GuiBrush", brush);
    return 1;
}

void HInfoItemCore::CopyFrom(const HInfoItemCore& other) {
    text.CopyFrom(other.text);
    penNormal = other.penNormal;
    penSelected = other.penSelected;
    penGuide = other.penGuide;
    brush = other.brush;
}

int HInfoItemObject::SaveGui(HIniFile& ini, const std::string& section) const {
    ini.SetPoint(section, "GuiPoint", position);
    ini.SetSize(section, "GuiSize", size);
    ini.SetSize(section, "GuiMinSize", minSize);
    ini.SetInt(section, "LineHide", lineHide);
    return HInfoItemCore::SaveGui(ini, section);
}

int HInfoItemObject::LoadGui(HIniFile& ini, const std::string& section) {
    if (!ini.GetPoint(section, "GuiPoint", position) || !ini.GetSize(section, "GuiSize", size) ||
        !ini.GetSize(section, "GuiMinSize", minSize)) {
        return 0;
    }
    lineHide = ini.GetInt(section, "LineHide");
    return HInfoItemCore::LoadGui(ini, section);
}

void HInfoItemObject::CopyFrom(const HInfoItemObject& other) {
    dragOrigin = other.dragOrigin;
    dragOriginSize = other.dragOriginSize;
    size = other.size;
    minSize = other.minSize;
    position = other.position;
    lineHide = other.lineHide;
    HInfoItemCore::CopyFrom(other);
}

}  // namespace zarvik
