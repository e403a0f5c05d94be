#include "core/doc/flow_document.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/app/system.h"
#include "core/fp/estimate.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/records/info_core.h"
#include "core/store/ini_file.h"
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

HLoadResult BrokenLineResult(const std::string& section, const HItemLine& line) {
    const bool fromBroken = line.fromItem == nullptr;
    const std::string& key = fromBroken ? line.fromKey : line.toKey;
    return HLoadResult::Failure(HLoadStatus::kBrokenLine,
                                section + ": the relation line's " + (fromBroken ? "From" : "To") +
                                    " end names " +
                                    (key.empty() ? std::string("no box") : "\"" + key + "\"") +
                                    ", which is not a box of the document");
}

}  // namespace

int32_t ItemKindOfSection(std::string_view name) {
    const SectionPrefix* match = MatchSectionPrefix(name);
    return match == nullptr ? 0 : match->kind;
}

int HFlowDocument::SaveItems(HIniFile& ini) const {
    for (const HItemCore* item = m_boxes.Head(); item != nullptr; item = item->next) {
        const auto* box = dynamic_cast<const HItemObject*>(item);
        if (box == nullptr || !SaveBox(ini, *box)) {
            return 0;
        }
    }
    for (const HItemCore* item = m_lines.Head(); item != nullptr; item = item->next) {
        if (const auto* line = dynamic_cast<const HItemLine*>(item)) {
            SaveLine(ini, *line);
        }
    }
    return 1;
}

HLoadResult HFlowDocument::LoadItems(HIniFile& ini) {
    HLoadResult result;
    HDrawList boxes;
    HDrawList lines;
    std::vector<const std::string*> lineSections;
    std::unordered_set<std::string> loadedKeys;
    int64_t largestId = std::numeric_limits<int32_t>::min();
    const HInfoIniFile& store = ini.Store();
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
        key = NumberedKey(SectionKeyPrefix(match->kind), id);
        if (!loadedKeys.insert(key).second) {
            result.duplicateSections.push_back({name, key});
            continue;
        }
        std::unique_ptr<HItemCore> item = LoadItem(ini, match->kind, id, key);
        if (item == nullptr) {
            return MissingKeyResult(store, name, key, match->kind, std::move(result));
        }
        largestId = std::max<int64_t>(largestId, id);
        if (match->kind == kKindLine) {
            lineSections.push_back(&name);
            lines.Append(std::move(item));
        } else {
            boxes.Append(std::move(item));
        }
    }
    std::size_t index = 0;
    for (HItemCore* item = lines.Head(); item != nullptr; item = item->next, ++index) {
        auto* line = static_cast<HItemLine*>(item);
        line->fromItem = dynamic_cast<HItemObject*>(boxes.FindByKey(line->fromKey));
        line->toItem = dynamic_cast<HItemObject*>(boxes.FindByKey(line->toKey));
        if (line->fromItem == nullptr || line->toItem == nullptr) {
            HLoadResult broken = BrokenLineResult(*lineSections[index], *line);
            broken.unknownSections = std::move(result.unknownSections);
            broken.duplicateSections = std::move(result.duplicateSections);
            return broken;
        }
    }
    AboutToReplaceItems();
    m_boxes.Swap(boxes);
    m_lines.Swap(lines);
    const int64_t next = std::max<int64_t>(int64_t{ItemIdCounter()} + 1, largestId) + 1;
    SetItemIdCounter(SaturatedNextId(next));
    RefreshItems();
    return result;
}

void HFlowDocument::RefreshItems() {
    const int32_t checkDetSameName = System().CurrentRules().TpCheckDetSameName;
    // The lines at each box, in line-list order, so that every transaction finds its data
    // functions without walking all lines.
    std::unordered_map<const HItemObject*, std::vector<const HItemLine*>> linesAt;
    for (const HItemCore* item = m_lines.Head(); item != nullptr; item = item->next) {
        const auto* line = static_cast<const HItemLine*>(item);
        linesAt[line->fromItem].push_back(line);
        if (line->toItem != line->fromItem) {
            linesAt[line->toItem].push_back(line);
        }
    }
    std::vector<HInfoFile*> linked;
    for (HItemCore* item = m_boxes.Head(); item != nullptr; item = item->next) {
        auto* task = dynamic_cast<HItemTask*>(item);
        if (task == nullptr) {
            if (HInfoCore* record = item->Record()) {
                record->UpdateLinks();
            }
            continue;
        }
        task->lineList = &m_lines;
        task->checkDetSameName = checkDetSameName;
        linked.clear();
        const auto found = linesAt.find(task);
        if (found != linesAt.end()) {
            for (const HItemLine* line : found->second) {
                if (HItemFile* file = task->GetLinkedFile(*line)) {
                    linked.push_back(file);
                }
            }
        }
        task->RebuildLinks(linked);
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
