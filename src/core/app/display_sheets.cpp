#include "core/app/display_sheets.h"

#include "core/app/system.h"
#include "core/port/ui_port.h"
#include "core/records/info_image_box.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

void ShowWarning(const std::string& text) {
    UiPort().MessageBox(text, HSystem::GetVersionString("ProductName"), HMsgIcon::Warning,
                        HMsgButtons::Ok);
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

int IsBmpFileName(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos) {
        return 0;
    }
    const std::string_view ext = name.substr(dot);
    constexpr std::string_view kBmp = ".bmp";
    if (ext.size() != kBmp.size()) {
        return 0;
    }
    for (std::size_t i = 0; i < ext.size(); ++i) {
        if (Lower(ext[i]) != kBmp[i]) {
            return 0;
        }
    }
    return 1;
}

std::string UnsupportedImageMessage(const std::string& path) {
    return Format(
        "設定したファイル「%s」\r\nの形式には対応していません。\r\n"
        "BMP形式のファイルのみ設定可能です。",
        path.c_str());
}

std::string ImageLoadFailedMessage(const std::string& path) {
    return Format("画像「%s」\r\nの読み込みに失敗しました。", path.c_str());
}

int ApplyImageFileName(HInfoImageBox& record, const std::string& path) {
    if (!IsBmpFileName(path)) {
        ShowWarning(UnsupportedImageMessage(path));
        return 0;
    }
    std::string previous = record.fileName;
    record.fileName = path;
    if (!record.LoadImageFile()) {
        record.fileName = std::move(previous);
        ShowWarning(ImageLoadFailedMessage(path));
        return 0;
    }
    return 1;
}

void ShowDropFailedMessage() {
    ShowWarning("ドロップしたファイルを開けませんでした。");
}

}  // namespace zarvik
