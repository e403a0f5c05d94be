// Feeds arbitrary bytes through the document reader: the INI store, the item loader and
// the item writer. Built as a libFuzzer target with clang, and as a replay tool that runs
// the seed corpus as a test everywhere.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/doc/flow_document.h"
#include "core/items/item_core.h"
#include "core/port/ui_port.h"
#include "core/store/ini_file.h"
#include "core/store/ini_store.h"

namespace {

// Unknown sections show a message for each; the fuzzer has no one to show it to.
class SilentUi : public zarvik::HUiPort {
public:
    zarvik::HMsgAnswer MessageBox(const std::string&, const std::string&, zarvik::HMsgIcon,
                                  zarvik::HMsgButtons) override {
        return zarvik::HMsgAnswer::Ok;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SilentUi ui;
    static const bool installed = (zarvik::SetUiPort(&ui), true);
    (void)installed;
    // Loading raises the process-wide id counter; start every input from the same place so
    // that a crash reproduces from its input alone.
    zarvik::SetItemIdCounter(0);

    zarvik::HInfoIniFile store;
    store.ReadBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    zarvik::HIniFile ini(store, 0);
    zarvik::HFlowDocument doc;
    if (doc.LoadItems(ini)) {
        zarvik::HInfoIniFile saved;
        zarvik::HIniFile out(saved, 0);
        doc.SaveItems(out);
        saved.ToBytes();
    }
    return 0;
}
