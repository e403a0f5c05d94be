// A whole document file: the items, the rules when the document has its own, the header.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "core/app/system.h"
#include "core/doc/flow_document.h"
#include "core/doc/item_memo.h"
#include "core/fp/info_rule.h"
#include "core/items/item_line.h"
#include "core/port/platform.h"
#include "core/store/file_io.h"
#include "core/store/ini_file.h"
#include "core/text/cp932.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

std::string LocalTimeText(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return Format("%04d/%02d/%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

// The file name without folder and extension.
std::string FileTitle(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

// The first bytes of a file, enough to tell text from a picture or an archive.
constexpr std::size_t kFirstBlockBytes = 64 * 1024;

std::string ReadFirstBlock(const std::string& path) {
    std::string block(kFirstBlockBytes, '\0');
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return {};
    }
    std::size_t got = 0;
    while (got < block.size()) {
        const ssize_t n = ::read(fd, block.data() + got, block.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    block.resize(got);
    return block;
}

HLoadResult NotTextResult(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        return HLoadResult::Failure(HLoadStatus::kNotText,
                                    "is UTF-16 text; a document is written in cp932 (Shift_JIS)");
    }
    // No text of cp932 holds a NUL byte; such a file is a picture, an archive or the like,
    // which the INI reader would take for an empty document.
    return HLoadResult::Failure(HLoadStatus::kNotText,
                                "holds binary data, not the text of a document");
}

// The document's bytes. A missing path reads as an empty document; anything that exists
// but is no readable text file fails, so that saving never replaces it with nothing. The
// size and the first block are looked at before the whole file is read.
HLoadResult ReadDocumentBytes(const std::string& path, HBigBuffer& bytes) {
    HLoadResult result;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) {
            result.fileMissing = 1;
            return result;
        }
        return HLoadResult::Failure(HLoadStatus::kUnreadable, std::strerror(errno));
    }
    if (S_ISDIR(st.st_mode)) {
        return HLoadResult::Failure(HLoadStatus::kUnreadable, "is a directory, not a document");
    }
    if (!S_ISREG(st.st_mode)) {
        return HLoadResult::Failure(HLoadStatus::kUnreadable, "is not a regular file");
    }
    const auto tooLarge = [&](long long size) {
        return HLoadResult::Failure(
            HLoadStatus::kTooLarge,
            Format("is %lld bytes, more than a document may hold (%lld MB)", size,
                   static_cast<long long>(kMaxReadBytes / (1024 * 1024))));
    };
    if (static_cast<unsigned long long>(st.st_size) > kMaxReadBytes) {
        return tooLarge(static_cast<long long>(st.st_size));
    }
    if (const std::string first = ReadFirstBlock(path); first.find('\0') != std::string::npos) {
        return NotTextResult(first);
    }
    errno = 0;
    if (!ReadWholeFile(path, bytes)) {
        if (errno == EFBIG) {
            return tooLarge(static_cast<long long>(kMaxReadBytes) + 1);
        }
        return HLoadResult::Failure(
            HLoadStatus::kUnreadable,
            std::string("cannot be read: ") + std::strerror(errno != 0 ? errno : EIO));
    }
    if (bytes.View().find('\0') != std::string_view::npos) {
        return NotTextResult(bytes.View());
    }
    return result;
}

// Reads the document's text into the store: cp932 as every document is written, UTF-8
// only when the user accepted it. A file whose lines end in CR alone (with no LF
// anywhere) is read line by line as well; no valid document is a single line.
HLoadResult ReadDocumentText(HBigBuffer& bytes, HLoadOptions options, HInfoIniFile& store) {
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    const bool marked = bytes.View().starts_with(kUtf8Mark);
    const bool utf8 = marked || LooksLikeUtf8(bytes.View());
    if (utf8 && !options.acceptUtf8) {
        return HLoadResult::Failure(HLoadStatus::kUtf8Text,
                                    "is UTF-8 text; a document is written in cp932 (Shift_JIS)");
    }
    if (bytes.View().find('\n') == std::string_view::npos) {
        std::replace(bytes.data(), bytes.data() + bytes.size(), '\r', '\n');
    }
    const std::string_view text = bytes.View().substr(marked ? kUtf8Mark.size() : 0);
    if (utf8) {
        store.ReadUtf8Text(text);
    } else {
        store.ReadBytes(text);
    }
    const bool blank = text.find_first_not_of(" \t\r\n") == std::string_view::npos;
    if (store.SectionCount() == 0 && !blank) {
        return HLoadResult::Failure(HLoadStatus::kNoSection,
                                    "holds no section (no line [NAME] followed by key=value "
                                    "lines): it is not a document");
    }
    return {};
}

// 1 when no two of the sections have one name.
bool NamesAreDistinct(const std::vector<const HInfoIniSection*>& sections) {
    std::size_t size = 16;
    while (size < 2 * sections.size()) {
        size *= 2;
    }
    std::vector<const HInfoIniSection*> table(size, nullptr);
    for (const HInfoIniSection* section : sections) {
        std::size_t at = section->NameHash() & (size - 1);
        for (; table[at] != nullptr; at = (at + 1) & (size - 1)) {
            if (table[at]->NameHash() == section->NameHash() &&
                table[at]->Name() == section->Name()) {
                return false;
            }
        }
        table[at] = section;
    }
    return true;
}

// Writes the section of every box, bottom to top, and then of every relation line
// straight into out: each is the section the item's memo holds, written afresh only for
// the items that changed since. A store filled by SaveItems would hold exactly these
// sections in this order, unless two items write one section name or an item cannot be
// written: then nothing is written and 0 returned.
int AppendItemSections(const HFlowDocument& doc, HBigBuffer& out, int& lost) {
    thread_local HInfoIniFile scratch;
    std::vector<const HInfoIniSection*> sections;
    sections.reserve(static_cast<std::size_t>(doc.Boxes().Count() + doc.Lines().Count()));
    for (const HItemCore* item = doc.Boxes().Head(); item != nullptr; item = item->next) {
        if (!UpdateItemMemo(*item, true, scratch)) {
            return 0;
        }
        sections.push_back(item->snapshotMemo.section.get());
    }
    for (const HItemCore* item = doc.Lines().Head(); item != nullptr; item = item->next) {
        // What is no line is passed over, as SaveItems passes over it.
        if (UpdateItemMemo(*item, false, scratch)) {
            sections.push_back(item->snapshotMemo.section.get());
        } else if (dynamic_cast<const HItemLine*>(item) != nullptr) {
            return 0;
        }
    }
    scratch.Clear();
    if (!NamesAreDistinct(sections)) {
        return 0;
    }
    std::size_t bound = 0;
    for (const HInfoIniSection* section : sections) {
        bound += section->FileBytesBound();
    }
    char* const start = out.Extend(bound);
    char* at = start;
    for (const HInfoIniSection* section : sections) {
        at = section->WriteFileLines(at, lost);
    }
    out.Commit(static_cast<std::size_t>(at - start));
    return 1;
}

uint32_t VersionNumber(int32_t major, int32_t minor) {
    return static_cast<uint32_t>(major) * 10000u + static_cast<uint32_t>(minor);
}

}  // namespace

HBigBuffer HFlowDocument::DocumentBytes(const std::string& lastUpdate, int& unencodable) const {
    HBigBuffer bytes;
    unencodable = 0;
    if (!AppendItemSections(*this, bytes, unencodable)) {
        HInfoIniFile items;
        HIniFile itemsIni(items, 0);
        SaveItems(itemsIni);
        items.AppendFileBytes(bytes, unencodable);
    }
    // What follows the items has section names no item has.
    HInfoIniFile store;
    HIniFile ini(store, 0);
    HSystem& system = System();
    if (system.settings.IsSaveRule2Flow == 1 || !system.IsUsingSystemRules()) {
        system.CurrentRules().Save(ini, kRuleSectionName);
    }
    WriteProgramVersion(ini);
    ini.SetString(kDocumentHeaderSection, "FlowName", flow.flowName);
    ini.SetString(kDocumentHeaderSection, "LastUpdate", lastUpdate);
    store.AppendFileBytes(bytes, unencodable);
    return bytes;
}

std::string DocumentTimeText(std::time_t when) {
    return LocalTimeText(when);
}

int HFlowDocument::SaveDocument(const std::string& path, HSaveReport* report) {
    const std::string now = LocalTimeText(std::time(nullptr));
    int unencodable = 0;
    if (!WriteFileAtomically(path, DocumentBytes(now, unencodable).View())) {
        return 0;
    }
    flow.lastUpdate = now;
    if (report != nullptr) {
        report->unencodable = unencodable;
    }
    return 1;
}

HLoadResult HFlowDocument::LoadDocument(const std::string& path, HLoadOptions options) {
    HBigBuffer bytes;
    HLoadResult read = ReadDocumentBytes(path, bytes);
    if (!read) {
        return read;
    }
    HInfoIniFile store;
    HLoadResult text = ReadDocumentText(bytes, options, store);
    if (!text) {
        return text;
    }
    HIniFile ini(store, 0);

    int version[4];
    Platform().GetVersion(version);
    const int32_t fileMajor = ini.GetInt(kDocumentHeaderSection, "FileVersion.Major");
    const int32_t fileMinor = ini.GetInt(kDocumentHeaderSection, "FileVersion.Minor");
    if (VersionNumber(fileMajor, fileMinor) > VersionNumber(version[0], version[1]) &&
        !options.acceptNewer) {
        return HLoadResult::Failure(HLoadStatus::kNewerVersion,
                                    Format("written by version %d.%d, newer than this program's "
                                           "%d.%d",
                                           fileMajor, fileMinor, version[0], version[1]));
    }

    // The document's own rules are read into a rule of their own and put in force only
    // once the whole load has succeeded.
    std::unique_ptr<HInfoRule> rules;
    if (store.GetKeyCount(kRuleSectionName) > 0) {
        HSystem& system = System();
        rules = system.NewDocumentRules();
        rules->Load(ini, kRuleSectionName, ReadFileVersion(ini), system.DefaultFolders());
    }
    HInfoFlowProject loaded;
    loaded.flowName = ini.GetString(kDocumentHeaderSection, "FlowName");
    if (loaded.flowName.empty()) {
        loaded.flowName = FileTitle(path);
    }
    loaded.lastUpdate = ini.GetString(kDocumentHeaderSection, "LastUpdate");
    if (loaded.lastUpdate.empty()) {
        struct stat st;
        if (::stat(path.c_str(), &st) == 0) {
            loaded.lastUpdate = LocalTimeText(st.st_mtime);
        }
    }
    // The header is mostly the last section, and the rules the one before it: taken out
    // from the end, neither moves the others.
    store.RemoveSection(kDocumentHeaderSection);
    store.RemoveSection(kRuleSectionName);
    HLoadResult result = LoadItems(ini);
    if (!result) {
        return result;
    }
    System().AdoptDocumentRules(std::move(rules));
    RecomputeEstimate();
    flow = std::move(loaded);
    result.fileMissing = read.fileMissing;
    return result;
}

}  // namespace zarvik
