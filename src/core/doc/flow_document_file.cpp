// A whole document file: the items, the rules when the document has its own, the header.

#include <sys/stat.h>

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

// The document's bytes. A missing path reads as an empty document; anything that exists
// but is no readable text file fails, so that saving never replaces it with nothing.
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
    errno = 0;
    if (!ReadWholeFile(path, bytes)) {
        return HLoadResult::Failure(
            HLoadStatus::kUnreadable,
            std::string("cannot be read: ") + std::strerror(errno != 0 ? errno : EIO));
    }
    // No text of cp932 holds a NUL byte; such a file is a picture, an archive or the like,
    // which the INI reader would take for an empty document.
    if (bytes.find('\0') != std::string::npos) {
        return HLoadResult::Failure(HLoadStatus::kNotText,
                                    "holds binary data, not the text of a document");
    }
    return result;
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
    store.ReadBytes(bytes);
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
