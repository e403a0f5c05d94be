#include "core/canvas/file_drop.h"

#include "core/app/system.h"
#include "core/port/ui_port.h"
#include "core/text/number_text.h"

namespace zarvik {

namespace {

// Characters, not bytes: continuation bytes of UTF-8 are not counted.
std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

int EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return 0;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return 0;
        }
    }
    return 1;
}

}  // namespace

std::string_view PathExtension(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

int DropFiles(const std::vector<std::string>& paths,
              const std::function<int(const std::string&)>& open) {
    if (paths.empty() || CharacterCount(paths.front()) >= kDropPathLimit) {
        return 0;
    }
    const std::string& path = paths.front();
    if (!EqualsNoCase(PathExtension(path), ".zvk")) {
        UiPort().MessageBox(Format("ドロップしたファイル「%s」\r\nの形式には対応していません。\r\n"
                                   "ZVK形式のファイルのみ読込可能です。",
                                   path.c_str()),
                            HSystem::GetVersionString("ProductName"), HMsgIcon::Error,
                            HMsgButtons::Ok);
        return 0;
    }
    return open ? open(path) : 0;
}

}  // namespace zarvik
