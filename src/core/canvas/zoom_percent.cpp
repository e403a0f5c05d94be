#include "core/canvas/zoom_percent.h"

#include <algorithm>

#include "core/app/system.h"
#include "core/canvas/zoom.h"
#include "core/port/ui_port.h"
#include "core/text/number_text.h"

namespace zarvik {

HZoomEntry ParseZoomPercent(std::string_view text) {
    const int32_t typed = Atoi(text);
    HZoomEntry entry;
    entry.percent = std::clamp(typed, kZoomPercentMin, kZoomPercentMax);
    entry.outOfRange = entry.percent != typed ? 1 : 0;
    return entry;
}

int32_t TakeTypedZoomPercent(std::string_view text) {
    const HZoomEntry entry = ParseZoomPercent(text);
    if (entry.outOfRange) {
        UiPort().MessageBox("数値は10から400の範囲でお願いします。",
                            HSystem::GetVersionString("ProductName"), HMsgIcon::Error,
                            HMsgButtons::Ok);
    }
    return entry.percent;
}

std::string ZoomPercentText(int32_t percent) {
    return FormatInt(percent) + "%";
}

float ZoomOfPercent(int32_t percent) {
    return static_cast<float>(percent) * 0.01f;
}

int32_t PercentOfZoom(float zoom) {
    return ZoomRound(static_cast<double>(zoom) * 100.0);
}

}  // namespace zarvik
