#include "core/doc/load_result.h"

#include "core/text/number_text.h"

namespace zarvik {

std::string UnknownSectionMessage(const std::string& section) {
    return Format(
        "理解できないセクション(%s)がデータファイル内に存在しました。\r\n"
        "一部のオブジェクトを正しく読み込めませんでした。",
        section.c_str());
}

std::string LoadFailureMessage(const std::string& path) {
    return Format("ファイル(%s)の読み込みに失敗しました。", path.c_str());
}

}  // namespace zarvik
