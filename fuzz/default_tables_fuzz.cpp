// The default reference files on arbitrary bytes (the input is each of the three files):
// the tables a rule fills from them are saved, read back and saved again in the same bytes.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/fp/info_rule.h"
#include "core/fp/sys_table_defaults.h"
#include "core/store/ini_file.h"
#include "core/store/ini_store.h"
#include "fuzz_support.h"

namespace {

std::string SavedRule(const zarvik::HInfoRule& rule) {
    zarvik::HInfoIniFile store;
    zarvik::HIniFile ini(store, 0);
    rule.Save(ini);
    return store.ToBytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace fuzz = zarvik::fuzz;
    static const zarvik::HDefaultFolders folders = [] {
        const std::string folder = fuzz::ScratchPath("tables");
        std::filesystem::create_directory(folder);
        return zarvik::HDefaultFolders{folder, ""};
    }();
    for (const char* name :
         {zarvik::kDefSeisanFile, zarvik::kDefTyouseiFile, zarvik::kDefKoumokuFile}) {
        fuzz::WriteFile(folders.primary + "/" + name, data, size);
    }

    zarvik::HInfoRule rule;
    rule.FirstUse(folders);
    const std::string saved = SavedRule(rule);

    zarvik::HInfoIniFile store;
    store.ReadBytes(saved);
    zarvik::HIniFile ini(store, 0);
    zarvik::HInfoRule again;
    again.Load(ini, zarvik::kRuleSectionName, zarvik::HFileVersion{1, 2, 6}, folders);
    fuzz::Require(SavedRule(again) == saved, "tables from the default files change when read back");
    return 0;
}
