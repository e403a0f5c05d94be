#include "core/items/item_core.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "core/records/info_core.h"
#include "core/records/info_item.h"
#include "core/records/state_hash.h"
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

void ResetItemCounters() {
    g_idCounter = 0;
    std::fill(std::begin(g_nameCounters), std::end(g_nameCounters), 0);
    g_selectionChanges = 0;
}

HItemCounters SaveItemCounters() {
    HItemCounters counters;
    counters.id = g_idCounter;
    std::copy(std::begin(g_nameCounters), std::end(g_nameCounters), std::begin(counters.names));
    counters.selectionChanges = g_selectionChanges;
    return counters;
}

void RestoreItemCounters(const HItemCounters& counters) {
    g_idCounter = counters.id;
    std::copy(std::begin(counters.names), std::end(counters.names), std::begin(g_nameCounters));
    g_selectionChanges = counters.selectionChanges;
}

const char* SectionKeyPrefix(int32_t kind) {
    switch (kind) {
        case kKindCore:
            return "Unknown_";
        case kKindFile:
            return "FILE_";
        case kKindTask:
            return "TASK_";
        case kKindOther:
            return "Other_";
        case kKindBorder:
            return "Border_";
        case kKindFunction:
            return "Function_";
        case kKindView:
            return "View_";
        case kKindImageBox:
            return "ImageBox_";
        case kKindLine:
            return "LINE_";
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
    const char* prefix = SectionKeyPrefix(kind);
    return prefix == nullptr ? std::string() : NumberedKey(prefix, id);
}

void HItemCore::SetSelected(int32_t state) {
    if (state != m_selected) {
        ++g_selectionChanges;
    }
    m_selected = state;
}

uint64_t HItemCore::StateHash() const {
    HStateHash hash;
    hash.Add(kind, id);
    if (const HInfoItemCore* attributes = Attributes()) {
        attributes->AddStateTo(hash);
    }
    if (const HInfoCore* record = Record()) {
        record->AddStateTo(hash);
    }
    AddOwnStateTo(hash);
    return hash.Digest();
}

HItemCore* ItemOf(HInfoCore* record) {
    return dynamic_cast<HItemCore*>(record);
}

const HItemCore* ItemOf(const HInfoCore* record) {
    return dynamic_cast<const HItemCore*>(record);
}

}  // namespace zarvik
