#include "cli/cli_rules.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/app/system.h"
#include "core/fp/sys_table_defaults.h"
#include "core/port/platform.h"

namespace zarvik::cli {
namespace {

bool IsReadableFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), R_OK) == 0;
}

bool HoldsDefaultFiles(const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    for (const char* name : {kDefSeisanFile, kDefTyouseiFile, kDefKoumokuFile}) {
        if (!IsReadableFile(folder + "/" + name)) {
            return false;
        }
    }
    return true;
}

std::string UnreadableReason(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        return std::strerror(errno);
    }
    if (S_ISDIR(st.st_mode)) {
        return "is a directory";
    }
    if (!S_ISREG(st.st_mode)) {
        return "is not a regular file";
    }
    return std::strerror(EACCES);
}

}  // namespace

HDefaultFolders ReadOnlyDefaultFolders() {
    HDefaultFolders folders;
    if (const std::string program = Platform().ProgramDirectory(); HoldsDefaultFiles(program)) {
        folders.primary = program;
    }
    if (const std::string config = UserConfigFolder(); HoldsDefaultFiles(config)) {
        folders.fallback = config;
    }
    return folders;
}

std::string PrepareSystemRules(const std::optional<std::string>& settingsPath) {
    HSystem& system = System();
    system.SetDefaultFolders(ReadOnlyDefaultFolders());
    if (settingsPath) {
        if (!IsReadableFile(*settingsPath)) {
            return "cannot read the settings file " + *settingsPath + ": " +
                   UnreadableReason(*settingsPath);
        }
        system.LoadSettings(*settingsPath);
        return {};
    }
    // The editor's own file: beside the program, or in the user's configuration folder
    // when the program's folder cannot be written.
    if (const std::string own = system.GetSettingsPath(); IsReadableFile(own)) {
        system.LoadSettings(own);
    } else {
        system.UseSystemRules();
    }
    return {};
}

}  // namespace zarvik::cli
