// A whole document file: the items, the rules when the document has its own, the header.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>

#include "core/app/system.h"
#include "core/doc/flow_document.h"
#include "core/fp/info_rule.h"
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
HLoadResult ReadDocumentBytes(const std::string& path, std::string& bytes) {
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
    if (bytes.find('\0') != std::string::npos) {
        return NotTextResult(bytes);
    }
    return result;
}

// Reads the document's text into the store: cp932 as every document is written, UTF-8
// only when the user accepted it. A file whose lines end in CR alone (with no LF
// anywhere) is read line by line as well; no valid document is a single line.
HLoadResult ReadDocumentText(std::string& bytes, HLoadOptions options, HInfoIniFile& store) {
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    const bool marked = std::string_view(bytes).starts_with(kUtf8Mark);
    const bool utf8 = marked || LooksLikeUtf8(bytes);
    if (utf8 && !options.acceptUtf8) {
        return HLoadResult::Failure(HLoadStatus::kUtf8Text,
                                    "is UTF-8 text; a document is written in cp932 (Shift_JIS)");
    }
    if (bytes.find('\n') == std::string::npos) {
        std::replace(bytes.begin(), bytes.end(), '\r', '\n');
    }
    const std::string_view text = std::string_view(bytes).substr(marked ? kUtf8Mark.size() : 0);
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

uint32_t VersionNumber(int32_t major, int32_t minor) {
    return static_cast<uint32_t>(major) * 10000u + static_cast<uint32_t>(minor);
}

}  // namespace

int HFlowDocument::SaveDocument(const std::string& path, HSaveReport* report) {
    HInfoIniFile store;
    HIniFile ini(store, 0);
    SaveItems(ini);
    HSystem& system = System();
    if (system.settings.IsSaveRule2Flow == 1 || !system.IsUsingSystemRules()) {
        system.CurrentRules().Save(ini, kRuleSectionName);
    }
    WriteProgramVersion(ini);
    ini.SetString(kDocumentHeaderSection, "FlowName", flow.flowName);
    const std::string now = LocalTimeText(std::time(nullptr));
    ini.SetString(kDocumentHeaderSection, "LastUpdate", now);
    int unencodable = 0;
    if (!store.Write(path, &unencodable)) {
        return 0;
    }
    flow.lastUpdate = now;
    if (report != nullptr) {
        report->unencodable = unencodable;
    }
    return 1;
}

HLoadResult HFlowDocument::LoadDocument(const std::string& path, HLoadOptions options) {
    std::string bytes;
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
    store.RemoveSection(kRuleSectionName);
    store.RemoveSection(kDocumentHeaderSection);
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
