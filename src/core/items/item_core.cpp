#include "core/items/item_core.h"

#include <cstdint>

#include "core/doc/info_core.h"
#include "core/doc/info_item.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

int32_t g_idCounter = 0;
int32_t g_nameCounters[kKindImageBox - kKindFile + 1] = {};
int32_t g_selectionChanges = 0;

}  // namespace

int32_t ItemIdCounter() {
    return g_idCounter;
}

void SetItemIdCounter(int32_t value) {
    g_idCounter = value;
}

int32_t TakeItemId() {
    // A document can raise the counter to the top of the range; it stays there.
    return g_idCounter < INT32_MAX ? g_idCounter++ : g_idCounter;
}

int32_t TakeNameNumber(int32_t kind) {
    if (kind < kKindFile || kind > kKindImageBox) {
        return 0;
    }
    return g_nameCounters[kind - kKindFile]++;
}

int32_t NextNameNumber(int32_t kind) {
    if (kind < kKindFile || kind > kKindImageBox) {
        return 0;
    }
    return g_nameCounters[kind - kKindFile];
}

int32_t SelectionChangeCount() {
    return g_selectionChanges;
}

const char* SectionKeyFormat(int32_t kind) {
    switch (kind) {
        case kKindCore:
            return "Unknown_%03d";
        case kKindFile:
            return "FILE_%03d";
        case kKindTask:
            return "TASK_%03d";
        case kKindOther:
            return "Other_%03d";
        case kKindBorder:
            return "Border_%03d";
        case kKindFunction:
            return "Function_%03d";
        case kKindView:
            return "View_%03d";
        case kKindImageBox:
            return "ImageBox_%03d";
        case kKindLine:
            return "LINE_%03d";
        default:
            return nullptr;
    }
}

HItemCore::HItemCore() : id(TakeItemId()) {}

int HItemCore::OnLinkRemoved(HItemCore*) {
    return 1;
}

HInfoCore* HItemCore::Record() {
    return dynamic_cast<HInfoCore*>(this);
}

const HInfoCore* HItemCore::Record() const {
    return dynamic_cast<const HInfoCore*>(this);
}

HInfoItemCore* HItemCore::Attributes() {
    return dynamic_cast<HInfoItemCore*>(this);
}

const HInfoItemCore* HItemCore::Attributes() const {
    return dynamic_cast<const HInfoItemCore*>(this);
}

std::string HItemCore::GetSectionKey() const {
    const char* format = SectionKeyFormat(kind);
    return format == nullptr ? std::string() : Format(format, id);
}

void HItemCore::SetSelected(int32_t state) {
    if (state != m_selected) {
        ++g_selectionChanges;
    }
    m_selected = state;
}

HItemCore* ItemOf(HInfoCore* record) {
    return dynamic_cast<HItemCore*>(record);
}

const HItemCore* ItemOf(const HInfoCore* record) {
    return dynamic_cast<const HItemCore*>(record);
}

}  // namespace zarvik
