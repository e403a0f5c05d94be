#pragma once
// What reading a document gave: success, or the reason it failed with the place that
// made it fail, and what it read past.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace zarvik {

enum class HLoadStatus {
    kOk,
    kUnreadable,    // no regular file, or it cannot be read
    kNotText,       // binary data, such as a picture or an archive
    kNewerVersion,  // written by a newer version: read again with acceptNewer to take it
    kMissingKey,    // a box without its geometry, a relation line without its end points
    kBrokenLine,    // a relation line's end names no box of the document
    kTooLarge,      // larger than a document may be (kMaxDocumentBytes)
    kNoSection,     // text without a single section: not a document
    kUtf8Text,      // UTF-8 text: read again with acceptUtf8 to take it
};

// The largest file read as a document: far beyond any diagram, and small enough that
// reading it cannot exhaust the machine.
inline constexpr long long kMaxDocumentBytes = 512LL * 1024 * 1024;

// A section skipped because an earlier one already loaded the item its name reads as.
struct HDuplicateSection {
    std::string section;  // the name as it stands in the file
    std::string key;      // the item's section key, which the earlier section loaded
};

struct HLoadResult {
    HLoadStatus status = HLoadStatus::kOk;
    // Why it failed, naming the section or the file's problem; empty on success.
    std::string detail;
    // Sections the document does not understand, in file order; they were skipped.
    std::vector<std::string> unknownSections;
    // Sections that name an item already loaded, in file order; they were skipped.
    std::vector<HDuplicateSection> duplicateSections;
    // The path named no file: the document loaded empty.
    int fileMissing = 0;

    int Ok() const { return status == HLoadStatus::kOk ? 1 : 0; }
    explicit operator bool() const { return status == HLoadStatus::kOk; }

    static HLoadResult Failure(HLoadStatus status, std::string detail) {
        HLoadResult result;
        result.status = status;
        result.detail = std::move(detail);
        return result;
    }
};

struct HLoadOptions {
    // 1: a document of a newer version is read anyway (the user said so).
    int acceptNewer = 0;
    // 1: a document written in UTF-8 is read as UTF-8 (the user said so); it is saved in
    // cp932 like any other.
    int acceptUtf8 = 0;
};

// The messages the document lifecycle shows for a load.
std::string UnknownSectionMessage(const std::string& section);
std::string LoadFailureMessage(const std::string& path);
// The failure message with the reason, for the failures the user can do something about;
// the bare failure message for the others.
std::string LoadFailureMessage(const std::string& path, HLoadStatus status);
std::string Utf8Question(const std::string& path);
// The messages for what a load skipped: one per section, at most kMaxSectionMessages of
// each kind, then one that counts the rest, so that a damaged file of thousands of
// sections does not bury the user in messages.
std::vector<std::string> SkippedSectionMessages(const HLoadResult& result);
inline constexpr std::size_t kMaxSectionMessages = 10;
inline constexpr const char* kNewerVersionQuestion =
    "データファイルは現在使用中のアプリより新しいバージョンで作成されてます。"
    "\r\n読み込みを行いますか。(正しく表示/計算できない可能性があります。)";

}  // namespace zarvik
