// The settings file on arbitrary bytes: loaded and saved in place, it loads and saves
// again in the same bytes, as when the program is started a second time.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/app/system.h"
#include "fuzz_support.h"

namespace {

// Starts the program on the settings file at path and saves them as it does on exit.
std::string LoadAndSave(const std::string& path) {
    zarvik::fuzz::ResetForInput();
    zarvik::System().LoadSettings(path);
    zarvik::fuzz::Require(zarvik::System().SaveSettings(path) == 1, "settings cannot be saved");
    return zarvik::fuzz::FileBytes(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = zarvik::fuzz::ScratchPath("Zarvik.ini");
    zarvik::fuzz::WriteFile(path, data, size);
    const std::string first = LoadAndSave(path);
    zarvik::fuzz::Require(LoadAndSave(path) == first, "saved settings load and save differently");
    return 0;
}
