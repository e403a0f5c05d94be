#include "core/app/system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <utility>

#include "core/port/platform.h"
#include "core/store/file_io.h"
#include "core/store/ini_file.h"
#include "core/text/cp932.h"

namespace zarvik {
namespace {

constexpr const char* kSettingsFileName = "Zarvik.ini";
constexpr const char* kHeaderSection = "Zarvik";

int IsWritableFolder(const std::string& folder) {
    return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0 ? 1 : 0;
}

// An installed copy (its shared files under ../share/zarvik) never writes into its prefix,
// even when run by someone who could.
int IsInstalledCopy(const std::string& programFolder) {
    struct stat info {};
    return !programFolder.empty() &&
                   ::stat((programFolder + "/../share/zarvik").c_str(), &info) == 0 &&
                   S_ISDIR(info.st_mode)
               ? 1
               : 0;
}

// Where the settings and the default reference files live: beside the program when it may
// write there, else the user's configuration folder.
std::string SettingsFolder(const std::string& programFolder) {
    if (IsWritableFolder(programFolder) && !IsInstalledCopy(programFolder)) {
        return programFolder;
    }
    const std::string config = UserConfigFolder();
    return config.empty() ? programFolder : config;
}

}  // namespace

std::string UserConfigFolder() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
        return std::string(xdg) + "/zarvik";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::string(home) + "/.config/zarvik";
    }
    return {};
}

void WriteProgramVersion(HIniFile& ini) {
    int version[4];
    Platform().GetVersion(version);
    ini.SetInt(kHeaderSection, "FileVersion.Major", version[0]);
    ini.SetInt(kHeaderSection, "FileVersion.Minor", version[1]);
    ini.SetInt(kHeaderSection, "FileVersion.Build", version[2]);
    ini.SetInt(kHeaderSection, "FileVersion.Revision", version[3]);
}

HSystem::HSystem() : m_folders{SettingsFolder(Platform().ProgramDirectory()), UserConfigFolder()} {}

std::string HSystem::GetSettingsPath() const {
    return SettingsFolder(Platform().ProgramDirectory()) + "/" + kSettingsFileName;
}

namespace {

// Reads the settings file into store. Returns 0 when a file is there that cannot be read or
// holds no text, so that it must not be rewritten; 1 for a readable or a missing file.
int ReadSettingsFile(const std::string& path, HInfoIniFile& store) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        struct stat info {};
        return ::stat(path.c_str(), &info) != 0 && errno == ENOENT ? 1 : 0;
    }
    if (bytes.find('\0') != std::string::npos) {
        return 0;
    }
    if (LooksLikeUtf8(bytes)) {
        store.ReadUtf8Text(bytes);
    } else {
        store.ReadBytes(bytes);
    }
    return 1;
}

}  // namespace

int HSystem::LoadSettings(const std::string& path) {
    m_profile.Clear();
    m_profileWritten.clear();
    m_keepSettingsFile = ReadSettingsFile(path, m_profile) ? 0 : 1;
    if (m_keepSettingsFile) {
        m_profile.Clear();
    }
    HIniFile ini(m_profile, 0);
    settings.Load(ini);
    m_systemRules.Load(ini, kRuleSectionName, ReadFileVersion(ini), m_folders);
    MakeCurrent();
    return 1;
}

int HSystem::SaveSettings(const std::string& path) {
    HInfoIniFile store;
    if (m_keepSettingsFile || !ReadSettingsFile(path, store)) {
        return 0;
    }
    for (const std::string& name : m_profileWritten) {
        store.RemoveSection(name);
        if (const HInfoIniSection* section = m_profile.FindSection(name)) {
            for (const HInfoIniSection::Entry entry : section->Entries()) {
                store.SetValue(name, entry.first, entry.second);
            }
        }
    }
    HIniFile ini(store, 0);
    settings.Save(ini);
    m_systemRules.Save(ini, kRuleSectionName);
    WriteProgramVersion(ini);
    return store.Write(path);
}

std::string HSystem::GetProfileString(std::string_view section, std::string_view key) const {
    return std::string(m_profile.FindValue(section, key).value_or(""));
}

void HSystem::WriteProfileString(std::string_view section, std::string_view key,
                                 std::string_view value) {
    m_profile.SetValue(section, key, value);
    NoteProfileWritten(section);
}

void HSystem::ClearProfileSection(std::string_view section) {
    m_profile.RemoveSection(section);
    NoteProfileWritten(section);
}

void HSystem::NoteProfileWritten(std::string_view section) {
    if (std::find(m_profileWritten.begin(), m_profileWritten.end(), section) ==
        m_profileWritten.end()) {
        m_profileWritten.emplace_back(section);
    }
}

void HSystem::UseSystemRules() {
    m_documentRules.reset();
    MakeCurrent();
}

void HSystem::SetDocumentRules(int useSystem) {
    if (useSystem == 1) {
        UseSystemRules();
        return;
    }
    if (m_documentRules == nullptr) {
        m_documentRules = NewDocumentRules();
    }
    MakeCurrent();
}

void HSystem::AdoptDocumentRules(std::unique_ptr<HInfoRule> rules) {
    m_documentRules = std::move(rules);
    MakeCurrent();
}

std::unique_ptr<HInfoRule> HSystem::TakeDocumentRules() {
    std::unique_ptr<HInfoRule> taken = std::move(m_documentRules);
    MakeCurrent();
    return taken;
}

std::unique_ptr<HInfoRule> HSystem::NewDocumentRules() const {
    auto rules = std::make_unique<HInfoRule>();
    rules->FirstUse(m_folders);
    if (m_documentRules != nullptr) {
        rules->CopyFrom(*m_documentRules);
    }
    return rules;
}

HInfoRule& HSystem::CurrentRules() {
    return m_documentRules != nullptr ? *m_documentRules : m_systemRules;
}

const HInfoRule& HSystem::CurrentRules() const {
    return m_documentRules != nullptr ? *m_documentRules : m_systemRules;
}

void HSystem::MakeCurrent() {
    CurrentRules().FirstUse(m_folders);
}

std::string HSystem::GetVersionString(const std::string& name) {
    int version[4];
    Platform().GetVersion(version);
    if (name == "FileVersion" || name == "ProductVersion") {
        return std::to_string(version[0]) + ", " + std::to_string(version[1]) + ", " +
               std::to_string(version[2]) + ", " + std::to_string(version[3]);
    }
    if (name == "ProductName") {
        return "Zarvik";
    }
    if (name == "LegalCopyright") {
        return "Copyright (C) The Zarvik developers";
    }
    return {};
}

namespace {

std::unique_ptr<HSystem>& SystemSlot() {
    static std::unique_ptr<HSystem> system = std::make_unique<HSystem>();
    return system;
}

}  // namespace

HSystem& System() {
    return *SystemSlot();
}

void ResetSystem() {
    SystemSlot() = std::make_unique<HSystem>();
}

}  // namespace zarvik
