#include "core/fp/sys_table_files.h"

#include <filesystem>
#include <system_error>

#include "core/store/file_io.h"
#include "core/text/cp932.h"
#include "core/text/number_text.h"

namespace zarvik::systable {
namespace fs = std::filesystem;

int WriteTextFile(const std::string& path, std::string_view text) {
    return WriteFileAtomically(path, ToCp932(text));
}

namespace {

// Reads folder/fileName into store, writing it from builtin first when it is missing.
int TryFolder(const std::string& folder, const std::string& fileName, std::string_view builtin,
              HInfoIniFile& store, std::string& path) {
    if (folder.empty()) {
        return 0;
    }
    path = (fs::path(folder) / fileName).string();
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        fs::create_directories(folder, ec);
        if (WriteTextFile(path, builtin) == 0) {
            return 0;
        }
    }
    if (!fs::is_regular_file(path, ec)) {
        return 0;
    }
    return store.Read(path);
}

std::string_view Trim(std::string_view text, std::string_view blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string TrimmedName(std::string_view text) {
    return std::string(Trim(text, " \r\t\n"));
}

std::string ReadDefaultFile(const HDefaultFolders& folders, const std::string& fileName,
                            std::string_view builtin, HInfoIniFile& store) {
    std::string path;
    for (const std::string* folder : {&folders.primary, &folders.fallback}) {
        store.Clear();
        if (TryFolder(*folder, fileName, builtin, store, path) == 1) {
            return path;
        }
    }
    store.Clear();
    store.ReadBytes(ToCp932(builtin));
    return {};
}

void ParseRow(std::string_view line, int32_t* values, int count, std::string& name) {
    for (int i = 0; i < count; ++i) {
        values[i] = 0;
    }
    const std::size_t lastComma = line.rfind(',');
    std::string_view fields =
        lastComma == std::string_view::npos ? std::string_view{} : line.substr(0, lastComma);
    name = TrimmedName(lastComma == std::string_view::npos ? line : line.substr(lastComma + 1));
    int index = 0;
    while (index < count && lastComma != std::string_view::npos) {
        const std::size_t comma = fields.find(',');
        values[index++] = Atoi(Trim(fields.substr(0, comma), " \t"));
        if (comma == std::string_view::npos) {
            break;
        }
        fields.remove_prefix(comma + 1);
    }
}

std::vector<std::string> ReadListedValues(const HInfoIniFile& store, std::string_view section,
                                          int fixedCount) {
    std::vector<std::string> values;
    const int count = fixedCount >= 0 ? fixedCount : store.GetKeyCount(section);
    for (int i = 0; i < count; ++i) {
        std::string value = store.GetValue(section, Format("%03d", i), "");
        if (value.rfind("<End>", 0) == 0) {
            break;
        }
        values.push_back(std::move(value));
    }
    return values;
}

}  // namespace zarvik::systable
