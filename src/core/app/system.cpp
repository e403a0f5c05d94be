#include "core/app/system.h"

#include <unistd.h>

#include <cstdlib>
#include <utility>

#include "core/port/platform.h"
#include "core/store/ini_file.h"

namespace zarvik {
namespace {

constexpr const char* kSettingsFileName = "Zarvik.ini";
constexpr const char* kHeaderSection = "Zarvik";

int IsWritableFolder(const std::string& folder) {
    return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0 ? 1 : 0;
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

HSystem::HSystem() : m_folders{Platform().ProgramDirectory(), UserConfigFolder()} {}

std::string HSystem::GetSettingsPath() const {
    const std::string programFolder = Platform().ProgramDirectory();
    if (IsWritableFolder(programFolder)) {
        return programFolder + "/" + kSettingsFileName;
    }
    const std::string config = UserConfigFolder();
    return config.empty() ? programFolder + "/" + kSettingsFileName
                          : config + "/" + kSettingsFileName;
}

int HSystem::LoadSettings(const std::string& path) {
    HInfoIniFile store;
    HIniFile ini(store, 0);
    ini.Open(path);
    settings.Load(ini);
    m_systemRules.Load(ini, kRuleSectionName, ReadFileVersion(ini), m_folders);
    MakeCurrent();
    return 1;
}

int HSystem::SaveSettings(const std::string& path) {
    HInfoIniFile store;
    HIniFile ini(store, 1);
    ini.Open(path);
    settings.Save(ini);
    m_systemRules.Save(ini, kRuleSectionName);
    WriteProgramVersion(ini);
    return ini.Close();
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
