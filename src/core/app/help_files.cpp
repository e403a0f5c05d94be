#include "core/app/help_files.h"

#include <filesystem>
#include <system_error>

#include "core/port/platform.h"

namespace zarvik {
namespace {

namespace fs = std::filesystem;

bool IsFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

}  // namespace

std::string HelpFolder() {
    const fs::path program = Platform().ProgramDirectory();
    const fs::path beside = program / "help";
    if (IsFile(beside / kHelpContentsPage)) {
        return beside.string();
    }
    return (program / ".." / "share" / "zarvik" / "help").lexically_normal().string();
}

std::string HelpFilePath() {
    return (fs::path(HelpFolder()) / kHelpContentsPage).string();
}

int HelpFileExists() {
    return IsFile(HelpFilePath()) ? 1 : 0;
}

std::string MissingHelpMessage() {
    return "Helpファイルが既定の場所に存在しません\n\n既定の場所:" + HelpFilePath();
}

}  // namespace zarvik
