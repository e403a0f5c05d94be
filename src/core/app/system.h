#pragma once
// The settings holder: the system rules, the rules of the open document when it has its
// own, which of the two is in force, the system settings, and the settings file.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/info_print.h"
#include "core/app/info_system.h"
#include "core/fp/info_rule.h"
#include "core/store/ini_store.h"

namespace zarvik {

class HIniFile;

class HSystem {
public:
    HSystem();
    HSystem(const HSystem&) = delete;
    HSystem& operator=(const HSystem&) = delete;

    // The settings file: the program's path with ".ini", beside the program; in the
    // user's configuration folder when the program's folder cannot be written.
    std::string GetSettingsPath() const;
    // Where the default reference files are read from and written to.
    const HDefaultFolders& DefaultFolders() const { return m_folders; }
    void SetDefaultFolders(HDefaultFolders folders) { m_folders = std::move(folders); }

    // Reads "SYSTEM" and the system rules from the settings file, and keeps the whole file
    // as the window's profile. A missing file, or one that cannot be read or is no INI text
    // (a NUL byte), gives the defaults. Returns 1.
    int LoadSettings(const std::string& path);
    // Rewrites the settings file with "SYSTEM", the system rules, the program's version keys
    // and the profile sections the window wrote; every other section of the file survives.
    // A file that was there at start but could not be read as text is left alone, so that
    // it never loses what it held. Returns 0 when it is not written.
    int SaveSettings(const std::string& path);

    // The window's own sections of the settings file: bar state, column layout, recent
    // files. Read as they were at start; written back by SaveSettings.
    std::string GetProfileString(std::string_view section, std::string_view key) const;
    void WriteProfileString(std::string_view section, std::string_view key,
                            std::string_view value);
    // Empties a profile section, so that only what is written next is saved.
    void ClearProfileSection(std::string_view section);

    // Drops the document's own rules; the system rules are in force.
    void UseSystemRules();
    // useSystem 1: as UseSystemRules; otherwise the document gets rules of its own (from
    // the default files when it has none yet), and they are in force.
    void SetDocumentRules(int useSystem);
    // Puts a document's own rules in force (none: the system rules).
    void AdoptDocumentRules(std::unique_ptr<HInfoRule> rules);
    // Takes the document's own rules out of force (the system rules come in), to be put
    // back by AdoptDocumentRules.
    std::unique_ptr<HInfoRule> TakeDocumentRules();
    int IsUsingSystemRules() const { return m_documentRules == nullptr ? 1 : 0; }

    // A new rule for a document about to be loaded: a copy of the document's current own
    // rules, or rules fresh from the default files.
    std::unique_ptr<HInfoRule> NewDocumentRules() const;

    HInfoRule& CurrentRules();
    const HInfoRule& CurrentRules() const;
    HInfoRule& SystemRules() { return m_systemRules; }
    const HInfoRule* DocumentRules() const { return m_documentRules.get(); }

    HInfoSystem settings;
    HInfoPrint pageSetup;  // the margins of printing, kept for the run only

    // A text of the program's version information by name ("FileVersion", "ProductName",
    // "ProductVersion", "LegalCopyright"); empty when there is none.
    static std::string GetVersionString(const std::string& name);

private:
    void MakeCurrent();
    void NoteProfileWritten(std::string_view section);

    HInfoRule m_systemRules;
    HInfoIniFile m_profile;
    std::vector<std::string> m_profileWritten;  // sections SaveSettings replaces
    int m_keepSettingsFile = 0;                  // the file was there but unreadable
    std::unique_ptr<HInfoRule> m_documentRules;
    HDefaultFolders m_folders;
};

// The one settings holder of the program.
HSystem& System();
// Replaces it by a fresh one, as at the start of the process.
void ResetSystem();

// Writes the program's four version numbers into the "Zarvik" section.
void WriteProgramVersion(HIniFile& ini);

// The user's configuration folder for the program ($XDG_CONFIG_HOME/zarvik, or
// ~/.config/zarvik).
std::string UserConfigFolder();

}  // namespace zarvik
