#include "core/app/info_system.h"

#include <algorithm>

#include "core/store/ini_file.h"

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
    return 1;
}

}  // namespace zarvik
