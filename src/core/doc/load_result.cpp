#include "core/doc/load_result.h"

#include <algorithm>

#include "core/text/number_text.h"

namespace zarvik {

std::string UnknownSectionMessage(const std::string& section) {
    return Format(
        "理解できないセクション(%s)がデータファイル内に存在しました。\r\n"
        "一部のオブジェクトを正しく読み込めませんでした。",
        section.c_str());
}

std::vector<std::string> SkippedSectionMessages(const HLoadResult& result) {
    std::vector<std::string> messages;
    const std::size_t unknown = result.unknownSections.size();
    for (std::size_t i = 0; i < std::min(unknown, kMaxSectionMessages); ++i) {
        messages.push_back(UnknownSectionMessage(result.unknownSections[i]));
    }
    if (unknown > kMaxSectionMessages) {
        messages.push_back(Format("ほかにも理解できないセクションが%zu個ありました。",
                                  unknown - kMaxSectionMessages));
    }
    const std::size_t duplicates = result.duplicateSections.size();
    for (std::size_t i = 0; i < std::min(duplicates, kMaxSectionMessages); ++i) {
        const HDuplicateSection& duplicate = result.duplicateSections[i];
        messages.push_back(
            Format("セクション(%s)は既に読み込んだアイテム(%s)と同じ名前として"
                   "読まれるため、読み飛ばしました。",
                   duplicate.section.c_str(), duplicate.key.c_str()));
    }
    if (duplicates > kMaxSectionMessages) {
        messages.push_back(Format("ほかにも同じ名前として読まれるセクションが%zu個ありました。",
                                  duplicates - kMaxSectionMessages));
    }
    return messages;
}

std::string LoadFailureMessage(const std::string& path) {
    return Format("ファイル(%s)の読み込みに失敗しました。", path.c_str());
}

std::string LoadFailureMessage(const std::string& path, HLoadStatus status) {
    const char* reason = nullptr;
    switch (status) {
        case HLoadStatus::kTooLarge:
            reason = "ファイルが大きすぎます(512MBまで)。";
            break;
        case HLoadStatus::kNotText:
            reason = "テキストのデータファイルではありません。";
            break;
        case HLoadStatus::kNoSection:
            reason = "データファイルのセクションがひとつもありません。";
            break;
        default:
            break;
    }
    const std::string message = LoadFailureMessage(path);
    return reason == nullptr ? message : message + "\r\n" + reason;
}

std::string Utf8Question(const std::string& path) {
    return Format(
        "ファイル(%s)はUTF-8で書かれています。\r\nUTF-8として読み込みますか。"
        "(保存するとシフトJIS(cp932)で書き込まれます。)",
        path.c_str());
}

}  // namespace zarvik
