#include "core/port/ui_port.h"

namespace zarvik {
namespace {

HUiPort g_headless;
HUiPort* g_port = nullptr;

}  // namespace

HMsgAnswer HUiPort::MessageBox(const std::string&, const std::string&, HMsgIcon,
                               HMsgButtons buttons) {
    switch (buttons) {
        case HMsgButtons::YesNo:
            return HMsgAnswer::Yes;
        case HMsgButtons::YesNoCancel:
            // With nobody to ask, a question that can be cancelled is: answering Yes to
            // "save?" would open a chooser that is cancelled too, and ask again forever.
            return HMsgAnswer::Cancel;
        default:
            return HMsgAnswer::Ok;
    }
}

void HUiPort::SetStatusPane(int, const std::string&) {}

std::optional<std::string> HUiPort::ChooseOpenFile(const HFileChooser&) {
    return std::nullopt;
}

std::optional<std::string> HUiPort::ChooseSaveFile(const HFileChooser&) {
    return std::nullopt;
}

void HUiPort::AddRecentFile(const std::string&) {}

HUiPort& UiPort() {
    return g_port != nullptr ? *g_port : g_headless;
}

void SetUiPort(HUiPort* port) {
    g_port = port;
}

}  // namespace zarvik
