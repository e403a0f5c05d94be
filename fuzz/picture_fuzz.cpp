// The picture of an image item on arbitrary bytes: the input is its "Bitmap" byte block as
// the document stores it in hexadecimal, and, as a second try, the stored text itself. A
// picture that loads is a plausible one with all its pixel rows, and saves and loads again
// as the same picture in the same block.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/records/info_image_box.h"
#include "core/store/ini_file.h"
#include "core/store/ini_store.h"
#include "fuzz_support.h"

namespace {

using zarvik::fuzz::Require;

void CheckLoaded(const zarvik::HInfoImageBox& box) {
    if (!box.picture) {
        return;
    }
    const zarvik::HBitmapHeader& header = box.picture->header;
    Require(zarvik::IsPlausibleBitmapHeader(header) == 1, "an implausible picture loaded");
    Require(box.picture->bits.size() == static_cast<std::size_t>(header.widthBytes) *
                                            static_cast<std::size_t>(header.height),
            "a picture loaded with rows missing or to spare");

    zarvik::HInfoIniFile store;
    zarvik::HIniFile ini(store, 0);
    box.Save(ini, "IMAGE_1");
    zarvik::HInfoImageBox again;
    again.Load(ini, "IMAGE_1");
    Require(again.picture == box.picture, "a saved picture loads as another");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zarvik::HInfoIniFile store;
    zarvik::HIniFile ini(store, 0);
    zarvik::HInfoImageBox box;

    ini.SetBinary("IMAGE_1", "Bitmap", data, size);
    box.Load(ini, "IMAGE_1");
    CheckLoaded(box);
    if (box.picture) {
        const std::size_t used = zarvik::kBitmapHeaderBytes + box.picture->bits.size();
        const std::string block = zarvik::EncodeBitmapHeader(box.picture->header) +
                                  std::string(box.picture->bits.begin(), box.picture->bits.end());
        Require(
            used <= size && block == std::string_view(reinterpret_cast<const char*>(data), used),
            "a picture loaded other than the block stored");
    }

    ini.SetString("IMAGE_1", "Bitmap", std::string_view(reinterpret_cast<const char*>(data), size));
    box.Load(ini, "IMAGE_1");
    CheckLoaded(box);
    return 0;
}
