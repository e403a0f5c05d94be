#include "core/app/info_system.h"

#include <algorithm>

#include "core/store/ini_file.h"
#include "core/store/ini_store.h"

namespace zarvik {

int HInfoSystem::Save(HIniFile& ini) const {
    ini.SetInt(kSystemSection, "SelectCanvasType", SelectCanvasType);
    ini.SetInt(kSystemSection, "CanvasSize_cx", CanvasSizeCx);
    ini.SetInt(kSystemSection, "CanvasSize_cy", CanvasSizeCy);
    ini.SetInt(kSystemSection, "AutoGraphCheckFpOnly", AutoGraphCheckFpOnly);
    ini.SetInt(kSystemSection, "AutoGraphCheckShowOnly", AutoGraphCheckShowOnly);
    ini.SetInt(kSystemSection, "IsSaveRule2Flow", IsSaveRule2Flow);
    return 1;
}

int HInfoSystem::Load(const HIniFile& ini) {
    SelectCanvasType = ini.GetInt(kSystemSection, "SelectCanvasType");
    CanvasSizeCx = std::max(kMinCanvasSide, ini.GetInt(kSystemSection, "CanvasSize_cx"));
    CanvasSizeCy = std::max(kMinCanvasSide, ini.GetInt(kSystemSection, "CanvasSize_cy"));
    AutoGraphCheckFpOnly = ini.GetInt(kSystemSection, "AutoGraphCheckFpOnly");
    AutoGraphCheckShowOnly = ini.GetInt(kSystemSection, "AutoGraphCheckShowOnly");
    IsSaveRule2Flow = ini.GetInt(kSystemSection, "IsSaveRule2Flow");
    UndoMemoryLimitMB = ini.GetInt(kSystemSection, "UndoMemoryLimitMB");
    if (UndoMemoryLimitMB <= 0) {
        UndoMemoryLimitMB = kDefaultUndoMemoryLimitMB;
    }
    return 1;
}

std::size_t UndoMemoryLimitBytes(const HInfoSystem& settings) {
    const int32_t megabytes =
        settings.UndoMemoryLimitMB > 0 ? settings.UndoMemoryLimitMB : kDefaultUndoMemoryLimitMB;
    return static_cast<std::size_t>(megabytes) << 20;
}

int32_t ClampCanvasSide(int32_t side) {
    return std::clamp(side, kMinCanvasSide, kMaxCanvasSide);
}

int IsSameStored(const HInfoSystem& a, const HInfoSystem& b) {
    HInfoIniFile storeA;
    HInfoIniFile storeB;
    HIniFile iniA(storeA, 0);
    HIniFile iniB(storeB, 0);
    a.Save(iniA);
    b.Save(iniB);
    return storeA.IsSame(&storeB);
}

}  // namespace zarvik
