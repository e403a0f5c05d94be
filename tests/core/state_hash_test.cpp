// Undo passes over the items whose state hash did not change: whatever a stored key changes
// in an item must change its hash, for every kind and every key.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/doc/flow_document.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/store/ini_file.h"
#include "core/store/ini_store.h"

namespace zarvik {
namespace {

// One item of every kind, with lists, a picture and a line between two of them.
void BuildEveryKind(HFlowDocument& doc) {
    for (const int32_t kind :
         {kKindFile, kKindTask, kKindOther, kKindBorder, kKindFunction, kKindView, kKindImageBox}) {
        std::unique_ptr<HItemObject> box = MakeBoxItem(kind);
        box->position = {kind, 2 * kind};
        if (auto* file = dynamic_cast<HItemFile*>(box.get())) {
            file->detList.push_back(HInfoCol{file, "顧客番号", "備考", 0});
            file->retList.push_back(HInfoCol{file, "顧客", "", 0});
        }
        if (auto* image = dynamic_cast<HItemImageBox*>(box.get())) {
            image->fileName = "a.png";
            image->picture = HBitmap{{0, 2, 1, 8, 1, 32, 0}, std::vector<uint8_t>(8, 0x11)};
        }
        doc.Boxes().Append(std::move(box));
    }
    auto line = std::make_unique<HItemLine>();
    line->fromItem = static_cast<HItemObject*>(doc.Boxes().Head());
    line->toItem = static_cast<HItemObject*>(doc.Boxes().Head()->next);
    doc.Lines().Append(std::move(line));
}

std::string Written(const HItemCore& item, bool box) {
    HInfoIniFile store;
    HIniFile ini(store, 0);
    box ? SaveBoxItem(ini, item) : SaveLineItem(ini, item);
    return store.ToBytes();
}

// Other values a key could hold: numbers, points, fonts, pens, brushes, texts, and the value
// with its last character changed (a pixel of a picture) or one more.
std::vector<std::string> OtherValues(const std::string& value) {
    std::vector<std::string> values = {"7", "7,8", "1,0,1,700,-20,X", "1,2,3,4", "5,6,7", "x", ""};
    values.push_back(value + "1");
    if (!value.empty() && static_cast<unsigned char>(value.back()) < 0x80) {
        values.push_back(value.substr(0, value.size() - 1) + (value.back() == '0' ? "1" : "0"));
    }
    return values;
}

TEST(ItemStateHash, EveryStoredKeyCountsInTheHash) {
    HFlowDocument built;
    BuildEveryKind(built);
    HInfoIniFile store;
    HIniFile written(store, 0);
    ASSERT_EQ(built.SaveItems(written), 1);
    HFlowDocument base;
    ASSERT_TRUE(base.LoadItems(written));
    const std::vector<HItemCore*> baseItems = base.Boxes().Snapshot();
    const HItemCore* baseLine = base.Lines().Head();

    int compared = 0;
    for (std::size_t s = 0; s < store.SectionCount(); ++s) {
        const HInfoIniSection& section = store.SectionAt(s);
        for (const auto& [key, value] : section.Entries().Copy()) {
            for (const std::string& other : OtherValues(value)) {
                HInfoIniFile changed;
                changed.ReadBytes(store.ToBytes());
                changed.SetValue(section.Name(), key, other);
                HIniFile ini(changed, 0);
                HFlowDocument loaded;
                if (!loaded.LoadItems(ini)) {
                    continue;
                }
                const std::vector<HItemCore*> items = loaded.Boxes().Snapshot();
                for (std::size_t i = 0; i < items.size(); ++i) {
                    if (Written(*items[i], true) != Written(*baseItems[i], true)) {
                        ++compared;
                        EXPECT_NE(items[i]->StateHash(), baseItems[i]->StateHash())
                            << section.Name() << " " << key << "=" << other;
                    }
                }
                if (Written(*loaded.Lines().Head(), false) != Written(*baseLine, false)) {
                    ++compared;
                    EXPECT_NE(loaded.Lines().Head()->StateHash(), baseLine->StateHash())
                        << section.Name() << " " << key << "=" << other;
                }
            }
        }
    }
    EXPECT_GT(compared, 150);
}

}  // namespace
}  // namespace zarvik
