#include "core/records/info_item.h"

#include "core/records/state_hash.h"
#include "core/store/ini_file.h"

namespace zarvik {
namespace {

// The label keys: the prefix "GuiText" and the attribute.
constexpr const char* kFontKey = "GuiText_Font";
constexpr const char* kTextColorKey = "GuiText_TextColor";
constexpr const char* kFormatKey = "GuiText_DrawTextFormat";
constexpr const char* kFreePointKey = "GuiText_TextFreePoint";
constexpr const char* kPosXKey = "GuiText_Text_PosX";
constexpr const char* kPosYKey = "GuiText_Text_PosY";

}  // namespace

HLogPen SolidPen(int32_t width, HColorRef color) {
    return HLogPen{kPenSolid, {width, 0}, color};
}

HLogBrush SolidBrush(HColorRef color) {
    return HLogBrush{.style = kBrushSolid, .color = color};
}

HInfoItemCore::HInfoItemCore()
    : penNormal(SolidPen(0, Rgb(0, 0, 255))),
      penSelected(SolidPen(0, Rgb(0, 128, 128))),
      penGuide(SolidPen(0, Rgb(0, 255, 0))),
      brush(SolidBrush(Rgb(255, 255, 255))) {}

int HInfoItemCore::SaveGui(HIniFile& ini, const std::string& section) const {
    ini.SetFont(section, kFontKey, text.font);
    ini.SetInt(section, kTextColorKey, static_cast<int32_t>(text.textColor));
    ini.SetInt(section, kFormatKey, text.textFormat);
    ini.SetInt(section, kFreePointKey, text.freePoint);
    ini.SetInt(section, kPosXKey, text.labelOffset.x);
    ini.SetInt(section, kPosYKey, text.labelOffset.y);
    ini.SetPen(section, "GuiPenNormal", penNormal);
    ini.SetPen(section, "GuiPenSelected", penSelected);
    ini.SetPen(section, "GuiPenGuide", penGuide);
    ini.SetBrush(section, "GuiBrush", brush);
    return 1;
}

int HInfoItemCore::LoadGui(HIniFile& ini, const std::string& section) {
    text.font = ini.GetFont(section, kFontKey, text.font);
    text.textColor = static_cast<HColorRef>(ini.GetInt(section, kTextColorKey));
    text.textFormat = ini.GetInt(section, kFormatKey);
    text.freePoint = ini.GetInt(section, kFreePointKey);
    text.labelOffset =
        ClampPoint(HPoint{ini.GetInt(section, kPosXKey), ini.GetInt(section, kPosYKey)});
    penNormal = ini.GetPen(section, "GuiPenNormal", penNormal);
    penSelected = ini.GetPen(section, "GuiPenSelected", penSelected);
    penGuide = ini.GetPen(section, "GuiPenGuide", penGuide);
    brush = ini.GetBrush(section, "GuiBrush", brush);
    return 1;
}

void HInfoItemCore::AddStateTo(HStateHash& hash) const {
    text.AddStateTo(hash);
    // Which attributes there are, then theirs.
    hash.Add((penNormal ? 1 : 0) | (penSelected ? 2 : 0) | (penGuide ? 4 : 0) | (brush ? 8 : 0), 0);
    for (const std::optional<HLogPen>* pen : {&penNormal, &penSelected, &penGuide}) {
        if (*pen) {
            hash.Add(**pen);
        }
    }
    if (brush) {
        hash.Add(*brush);
    }
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
    position = ClampPoint(position);
    size = ClampSize(size);
    minSize = ClampSize(minSize);
    lineHide = ini.GetInt(section, "LineHide");
    return HInfoItemCore::LoadGui(ini, section);
}

void HInfoItemObject::AddStateTo(HStateHash& hash) const {
    hash.Add(position);
    hash.Add(size);
    hash.Add(minSize);
    hash.Add(dragOrigin);
    hash.Add(dragOriginSize);
    hash.Add(lineHide, 0);
    HInfoItemCore::AddStateTo(hash);
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
