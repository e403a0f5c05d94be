#include "core/doc/flow_document.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <string_view>

#include "core/app/system.h"
#include "core/doc/item_reuse.h"
#include "core/fp/estimate.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/records/info_core.h"
#include "core/store/ini_file.h"
#include "core/store/ini_section.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

struct SectionPrefix {
    std::string_view prefix;
    int32_t kind;
};

// Tested in this order, ignoring case.
constexpr SectionPrefix kSectionPrefixes[] = {
    {"TASK_", kKindTask},   {"FILE_", kKindFile},         {"LINE_", kKindLine},
    {"Other_", kKindOther}, {"Border_", kKindBorder},     {"Function_", kKindFunction},
    {"View_", kKindView},   {"ImageBox_", kKindImageBox},
};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(text[i]) != lower(prefix[i])) {
            return false;
        }
    }
    return true;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

const SectionPrefix* MatchSectionPrefix(std::string_view name) {
    for (const SectionPrefix& candidate : kSectionPrefixes) {
        if (StartsWithNoCase(name, candidate.prefix)) {
            return &candidate;
        }
    }
    return nullptr;
}

int SaveBox(HIniFile& ini, const HItemObject& box) {
    const HInfoCore* record = box.Record();
    if (record == nullptr || box.kind < kKindFile || box.kind > kKindImageBox) {
        return 0;
    }
    const std::string section = box.GetSectionKey();
    ini.SetString(section, "Name", record->name);
    ini.SetString(section, "From", "");
    ini.SetString(section, "To", "");
    ini.SetString(section, "Line", "");
    box.SaveGui(ini, section);
    return record->Save(ini, section);
}

void SaveLine(HIniFile& ini, const HItemLine& line) {
    const std::string section = line.GetSectionKey();
    ini.SetPoint(section, "GuiPointFrom", line.fromOffset);
    ini.SetPoint(section, "GuiPointTo", line.toOffset);
    ini.SetString(section, "From", line.fromItem != nullptr ? line.fromItem->GetSectionKey() : "");
    ini.SetString(section, "To", line.toItem != nullptr ? line.toItem->GetSectionKey() : "");
    ini.SetInt(section, "LineType", line.lineType);
    line.HInfoItemCore::SaveGui(ini, section);
}

int LoadLine(HIniFile& ini, const std::string& section, HItemLine& line) {
    if (!ini.GetPoint(section, "GuiPointFrom", line.fromOffset) ||
        !ini.GetPoint(section, "GuiPointTo", line.toOffset)) {
        return 0;
    }
    line.fromOffset = ClampPoint(line.fromOffset);
    line.toOffset = ClampPoint(line.toOffset);
    line.fromKey = ini.GetString(section, "From");
    line.toKey = ini.GetString(section, "To");
    line.lineType = ini.GetInt(section, "LineType");
    return line.HInfoItemCore::LoadGui(ini, section);
}

// Constructs and loads the item a section names. Its keys are read from the item's own
// section key, given back in key: a name such as "file_7" or "FILE_9999999999" is read
// from another section (FILE_007, FILE_2147483647). nullptr when the load fails.
// key is the item's section key, which the item is read from.
std::unique_ptr<HItemCore> LoadItem(HIniFile& ini, int32_t kind, int32_t id,
                                    const std::string& key) {
    if (kind == kKindLine) {
        auto line = std::make_unique<HItemLine>();
        line->id = id;
        return LoadLine(ini, key, *line) ? std::move(line) : nullptr;
    }
    std::unique_ptr<HItemObject> box = MakeBoxItem(kind);
    box->id = id;
    if (!box->LoadGui(ini, key) || !box->Record()->Load(ini, key)) {
        return nullptr;
    }
    return box;
}

int32_t SaturatedNextId(int64_t value) {
    return static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()));
}

// The header and the rules are the document's own sections, not unknown ones.
int IsDocumentHeaderSection(std::string_view name) {
    return EqualsNoCase(name, kDocumentHeaderSection) || EqualsNoCase(name, kRuleSectionName) ? 1
                                                                                              : 0;
}

// An item section that did not load: named, and when its item was read from another
// section (its key), named with that section and whether the document has it.
HLoadResult MissingKeyResult(const HInfoIniFile& store, const std::string& section,
                             const std::string& key, int32_t kind, HLoadResult readSoFar) {
    const char* lacks = kind == kKindLine
                            ? "lacks its end points (GuiPointFrom, GuiPointTo)"
                            : "lacks its position or size (GuiPoint, GuiSize, GuiMinSize)";
    std::string detail = section + (kind == kKindLine ? ": the relation line " : ": the box ");
    if (key == section) {
        detail += lacks;
    } else if (store.FindSection(key) == nullptr) {
        detail += "is read from section " + key + ", which the document does not have";
    } else {
        detail += "is read from section " + key + ", which " + lacks;
    }
    HLoadResult result = HLoadResult::Failure(HLoadStatus::kMissingKey, std::move(detail));
    result.unknownSections = std::move(readSoFar.unknownSections);
    result.duplicateSections = std::move(readSoFar.duplicateSections);
    return result;
}

HLoadResult BrokenLineResult(const std::string& section, const HItemLine& line, bool fromBroken) {
    const std::string& key = fromBroken ? line.fromKey : line.toKey;
    return HLoadResult::Failure(HLoadStatus::kBrokenLine,
                                section + ": the relation line's " + (fromBroken ? "From" : "To") +
                                    " end names " +
                                    (key.empty() ? std::string("no box") : "\"" + key + "\"") +
                                    ", which is not a box of the document");
}

int64_t KindAndId(int32_t kind, int32_t id) {
    return (static_cast<int64_t>(kind) << 32) | static_cast<uint32_t>(id);
}

// Building an item uses up an id and, for a box, a default-name number: an item kept
// through a rebuild uses them up as well, so that the items placed afterwards are numbered
// and named as after any load.
void UseUpItemNumbers(int32_t kind) {
    TakeItemId();
    if (kind != kKindLine) {
        TakeNameNumber(kind);
    }
}

// An item of the new lists: one of the document kept as it is, or one built from its
// section.
struct PlannedItem {
    HItemCore* kept = nullptr;
    std::unique_ptr<HItemCore> built;
    const std::string* section = nullptr;  // the section it stands for

    HItemCore* Item() const { return kept != nullptr ? kept : built.get(); }
};

// Items by kind and id (KindAndId), in one table: a load meets thousands of them.
class KindAndIdTable {
public:
    explicit KindAndIdTable(std::size_t count) {
        std::size_t size = 16;
        while (size < 2 * count) {
            size *= 2;
        }
        m_slots.assign(size, Slot{kFree, nullptr});
    }
    // Stores item under key, which the table does not hold yet.
    void Insert(int64_t key, HItemCore* item) { m_slots[IndexOf(key)] = {key, item}; }
    HItemCore* Find(int64_t key) const {
        const Slot& slot = m_slots[IndexOf(key)];
        return slot.key == key ? slot.item : nullptr;
    }

private:
    static constexpr int64_t kFree = -1;  // no kind is negative
    struct Slot {
        int64_t key;
        HItemCore* item;
    };
    // The slot of key, or the free slot where it would go.
    std::size_t IndexOf(int64_t key) const {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t at =
            static_cast<std::size_t>(static_cast<uint64_t>(key) * 0x9E3779B97F4A7C15ull >> 32) &
            mask;
        while (m_slots[at].key != kFree && m_slots[at].key != key) {
            at = (at + 1) & mask;
        }
        return at;
    }
    std::vector<Slot> m_slots;
};

// The box a line end names in the new list, found as HDrawList::FindByKey finds it: boxes
// have one key each once duplicate sections are passed over.
HItemObject* FindPlannedBox(const KindAndIdTable& boxes, std::string_view key) {
    int32_t kind = 0;
    int32_t id = 0;
    if (!HDrawList::ParseBoxKey(key, kind, id)) {
        return nullptr;
    }
    return static_cast<HItemObject*>(boxes.Find(KindAndId(kind, id)));
}

}  // namespace

int32_t ItemKindOfSection(std::string_view name) {
    const SectionPrefix* match = MatchSectionPrefix(name);
    return match == nullptr ? 0 : match->kind;
}

int SaveBoxItem(HIniFile& ini, const HItemCore& item) {
    const auto* box = dynamic_cast<const HItemObject*>(&item);
    return box != nullptr ? SaveBox(ini, *box) : 0;
}

int SaveLineItem(HIniFile& ini, const HItemCore& item) {
    const auto* line = dynamic_cast<const HItemLine*>(&item);
    if (line == nullptr) {
        return 0;
    }
    SaveLine(ini, *line);
    return 1;
}

int HFlowDocument::SaveItems(HIniFile& ini) const {
    for (const HItemCore* item = m_boxes.Head(); item != nullptr; item = item->next) {
        if (!SaveBoxItem(ini, *item)) {
            return 0;
        }
    }
    for (const HItemCore* item = m_lines.Head(); item != nullptr; item = item->next) {
        SaveLineItem(ini, *item);
    }
    return 1;
}

HLoadResult HFlowDocument::LoadItems(HIniFile& ini) {
    HLoadResult result;
    const HInfoIniFile& store = ini.Store();
    std::vector<PlannedItem> boxes;
    std::vector<PlannedItem> lines;
    boxes.reserve(store.SectionCount());
    // Each key, with the box it loads as (null for a line).
    KindAndIdTable loadedKeys(store.SectionCount());
    int64_t largestId = std::numeric_limits<int32_t>::min();
    HItemReuse reuse(m_boxes, m_lines);
    std::string key;
    for (std::size_t i = 0; i < store.SectionCount(); ++i) {
        const std::string& name = store.SectionAt(i).Name();
        const SectionPrefix* match = MatchSectionPrefix(name);
        if (match == nullptr) {
            if (!IsDocumentHeaderSection(name)) {
                result.unknownSections.push_back(name);
            }
            continue;
        }
        const int32_t id = Atoi(std::string_view(name).substr(match->prefix.size()));
        // Sections whose names read as one key (FILE_001, file_001, FILE_1x) would load one
        // item twice, with one id: the first is the item, the others are skipped.
        key.clear();
        AppendNumberedKey(key, SectionKeyPrefix(match->kind), id);
        const int64_t kindAndId = KindAndId(match->kind, id);
        if (loadedKeys.Find(kindAndId) != nullptr) {
            result.duplicateSections.push_back({name, key});
            continue;
        }
        largestId = std::max<int64_t>(largestId, id);
        PlannedItem planned;
        planned.section = &name;
        // The item is read from the section of its key, which is mostly this one.
        const bool readHere = name == key;
        const HInfoIniSection* read = readHere ? &store.SectionAt(i) : store.FindSection(key);
        planned.kept = read != nullptr ? reuse.Find(read, match->kind) : nullptr;
        if (planned.kept != nullptr) {
            UseUpItemNumbers(match->kind);
        } else {
            planned.built = LoadItem(ini, match->kind, id, key);
            if (planned.built == nullptr) {
                return MissingKeyResult(store, name, key, match->kind, std::move(result));
            }
            planned.built->snapshotMemo.section =
                readHere ? store.ShareSection(i) : store.ShareSection(key);
            planned.built->snapshotMemo.origin = HSnapshotMemo::Origin::kLoaded;
        }
        loadedKeys.Insert(kindAndId, planned.Item());
        (match->kind == kKindLine ? lines : boxes).push_back(std::move(planned));
    }
    // Every line end must name a box of the new list before anything is replaced.
    std::vector<std::pair<HItemObject*, HItemObject*>> ends;
    ends.reserve(lines.size());
    for (const PlannedItem& planned : lines) {
        const auto* line = static_cast<const HItemLine*>(planned.Item());
        HItemObject* from = FindPlannedBox(loadedKeys, line->fromKey);
        HItemObject* to = FindPlannedBox(loadedKeys, line->toKey);
        if (from == nullptr || to == nullptr) {
            HLoadResult broken = BrokenLineResult(*planned.section, *line, from == nullptr);
            broken.unknownSections = std::move(result.unknownSections);
            broken.duplicateSections = std::move(result.duplicateSections);
            return broken;
        }
        ends.emplace_back(from, to);
    }
    AboutToReplaceItems();
    HDrawList newBoxes;
    HDrawList newLines;
    // A built item's state is known once its line ends are: its memo takes it then.
    const auto adopt = [](HDrawList& into, HDrawList& from, PlannedItem& planned) {
        HItemCore* item = planned.Item();
        if (planned.kept != nullptr) {
            item->UnselectAsNew();
            into.Append(from.Detach(item));
        } else {
            item->snapshotMemo.stateHash = item->StateHash();
            into.Append(std::move(planned.built));
        }
    };
    for (PlannedItem& planned : boxes) {
        adopt(newBoxes, m_boxes, planned);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto* line = static_cast<HItemLine*>(lines[i].Item());
        line->fromItem = ends[i].first;
        line->toItem = ends[i].second;
        adopt(newLines, m_lines, lines[i]);
    }
    // The old lists, with the items not kept, go when this function ends.
    m_boxes.Swap(newBoxes);
    m_lines.Swap(newLines);
    const int64_t next = std::max<int64_t>(int64_t{ItemIdCounter()} + 1, largestId) + 1;
    SetItemIdCounter(SaturatedNextId(next));
    RefreshItems();
    return result;
}

void HFlowDocument::RefreshItems() {
    const int32_t checkDetSameName = System().CurrentRules().TpCheckDetSameName;
    for (HItemCore* item = m_boxes.Head(); item != nullptr; item = item->next) {
        if (item->kind == kKindTask) {
            auto* task = static_cast<HItemTask*>(item);
            task->lineList = &m_lines;
            task->checkDetSameName = checkDetSameName;
            task->ClearLinks();
        } else if (HInfoCore* record = item->Record()) {
            record->UpdateLinks();
        }
    }
    // Each transaction gathers the data functions at the other end of its lines, in
    // line-list order.
    const auto link = [](HItemObject* end, HItemObject* other) {
        if (end != nullptr && end->kind == kKindTask && other != nullptr &&
            other->kind == kKindFile) {
            static_cast<HItemTask*>(end)->AddLinkedFile(*static_cast<HItemFile*>(other));
        }
    };
    for (HItemCore* item = m_lines.Head(); item != nullptr; item = item->next) {
        auto* line = static_cast<HItemLine*>(item);
        link(line->fromItem, line->toItem);
        if (line->toItem != line->fromItem) {
            link(line->toItem, line->fromItem);
        }
    }
}

std::vector<HRatedFunction> HFlowDocument::FunctionRecords() const {
    std::vector<HRatedFunction> functions;
    functions.reserve(static_cast<std::size_t>(m_boxes.Count()));
    for (const HItemCore* item = m_boxes.Head(); item != nullptr; item = item->next) {
        if (item->kind == kKindTask) {
            functions.push_back({nullptr, static_cast<const HItemTask*>(item)});
        } else if (item->kind == kKindFile) {
            functions.push_back({static_cast<const HItemFile*>(item), nullptr});
        }
    }
    return functions;
}

void HFlowDocument::RecomputeEstimate() {
    const HInfoRule& rules = System().CurrentRules();
    // The rules may have changed since the records were refreshed.
    for (HItemCore* item = m_boxes.Head(); item != nullptr; item = item->next) {
        if (item->kind == kKindTask) {
            static_cast<HItemTask*>(item)->checkDetSameName = rules.TpCheckDetSameName;
        }
    }
    ComputeEstimate(FunctionRecords(), rules, estimate);
}

}  // namespace zarvik
