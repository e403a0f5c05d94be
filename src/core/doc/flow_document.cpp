#include "core/doc/flow_document.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <limits>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "core/app/system.h"
#include "core/fp/estimate.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/platform.h"
#include "core/port/ui_port.h"
#include "core/records/info_core.h"
#include "core/store/ini_file.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

constexpr const char* kHeaderSection = "Zarvik";

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

std::string LocalTimeText(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return Format("%04d/%02d/%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

// The file name without folder and extension.
std::string FileTitle(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
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

// Constructs and loads the item a section names; nullptr when the load fails.
std::unique_ptr<HItemCore> LoadItem(HIniFile& ini, int32_t kind, int32_t id) {
    if (kind == kKindLine) {
        auto line = std::make_unique<HItemLine>();
        line->id = id;
        return LoadLine(ini, line->GetSectionKey(), *line) ? std::move(line) : nullptr;
    }
    std::unique_ptr<HItemObject> box = MakeBoxItem(kind);
    box->id = id;
    const std::string section = box->GetSectionKey();
    if (!box->LoadGui(ini, section) || !box->Record()->Load(ini, section)) {
        return nullptr;
    }
    return box;
}

int32_t SaturatedNextId(int64_t value) {
    return static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()));
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

int HFlowDocument::LoadItems(HIniFile& ini) {
    HDrawList boxes;
    HDrawList lines;
    int64_t largestId = std::numeric_limits<int32_t>::min();
    const HInfoIniFile& store = ini.Store();
    for (std::size_t i = 0; i < store.SectionCount(); ++i) {
        const std::string& name = store.SectionAt(i).Name();
        const SectionPrefix* match = MatchSectionPrefix(name);
        if (match == nullptr) {
            if (!EqualsNoCase(name, kHeaderSection) && !EqualsNoCase(name, kRuleSectionName)) {
                UiPort().MessageBox(
                    Format("理解できないセクション(%s)がデータファイル内に存在しました。\r\n"
                           "一部のオブジェクトを正しく読み込めませんでした。",
                           name.c_str()),
                    "エラー", HMsgIcon::Error, HMsgButtons::Ok);
            }
            continue;
        }
        const int32_t id = Atoi(std::string_view(name).substr(match->prefix.size()));
        std::unique_ptr<HItemCore> item = LoadItem(ini, match->kind, id);
        if (item == nullptr) {
            return 0;
        }
        largestId = std::max<int64_t>(largestId, id);
        (match->kind == kKindLine ? lines : boxes).Append(std::move(item));
    }
    for (HItemCore* item = lines.Head(); item != nullptr; item = item->next) {
        auto* line = static_cast<HItemLine*>(item);
        line->fromItem = dynamic_cast<HItemObject*>(boxes.FindByKey(line->fromKey));
        line->toItem = dynamic_cast<HItemObject*>(boxes.FindByKey(line->toKey));
        if (line->fromItem == nullptr || line->toItem == nullptr) {
            return 0;
        }
    }
    m_boxes.Swap(boxes);
    m_lines.Swap(lines);
    const int64_t next = std::max<int64_t>(int64_t{ItemIdCounter()} + 1, largestId) + 1;
    SetItemIdCounter(SaturatedNextId(next));
    RefreshItems();
    return 1;
}

void HFlowDocument::RefreshItems() {
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

void HFlowDocument::RecomputeEstimate() {
    const HInfoRule& rules = System().CurrentRules();
    ApplyCurrentRule(rules);
    ComputeEstimate(m_boxes, rules, estimate);
    const HEstimateStatus status = GetEstimateStatus(estimate);
    HUiPort& ui = UiPort();
    ui.SetStatusPane(2, status.data);
    ui.SetStatusPane(3, status.transaction);
    ui.SetStatusPane(4, status.ufp);
    ui.SetStatusPane(5, status.effort);
}

void HFlowDocument::Recompute() {
    ApplyCurrentRule(System().CurrentRules());
    RefreshItems();
    RecomputeEstimate();
}

int HFlowDocument::SaveDocument(const std::string& path, HSaveReport* report) {
    HInfoIniFile store;
    HIniFile ini(store, 0);
    SaveItems(ini);
    HSystem& system = System();
    if (system.settings.IsSaveRule2Flow == 1 || !system.IsUsingSystemRules()) {
        system.CurrentRules().Save(ini, kRuleSectionName);
    }
    WriteProgramVersion(ini);
    ini.SetString(kHeaderSection, "FlowName", flow.flowName);
    const std::string now = LocalTimeText(std::time(nullptr));
    ini.SetString(kHeaderSection, "LastUpdate", now);
    int unencodable = 0;
    if (!store.Write(path, &unencodable)) {
        return 0;
    }
    flow.lastUpdate = now;
    if (report != nullptr) {
        report->unencodable = unencodable;
    }
    return 1;
}

int HFlowDocument::LoadDocument(const std::string& path) {
    // A path that is missing loads as a new, empty document; one that exists but cannot
    // be read as a file fails, so that saving never replaces it with nothing.
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 &&
        (!S_ISREG(st.st_mode) || ::access(path.c_str(), R_OK) != 0)) {
        return 0;
    }
    HInfoIniFile store;
    HIniFile ini(store, 0);
    ini.Open(path);

    int version[4];
    Platform().GetVersion(version);
    const auto program =
        static_cast<uint32_t>(version[0]) * 10000u + static_cast<uint32_t>(version[1]);
    const auto file =
        static_cast<uint32_t>(ini.GetInt(kHeaderSection, "FileVersion.Major")) * 10000u +
        static_cast<uint32_t>(ini.GetInt(kHeaderSection, "FileVersion.Minor"));
    if (file > program &&
        UiPort().MessageBox(
            "データファイルは現在使用中のアプリより新しいバージョンで作成されてます。"
            "\r\n読み込みを行いますか。(正しく表示/計算できない可能性があります。)",
            "確認", HMsgIcon::Warning, HMsgButtons::OkCancel) == HMsgAnswer::Cancel) {
        return 0;
    }

    // The document's own rules are read into a rule of their own and put in force only
    // once the whole load has succeeded.
    std::unique_ptr<HInfoRule> rules;
    if (store.GetKeyCount(kRuleSectionName) > 0) {
        HSystem& system = System();
        rules = system.NewDocumentRules();
        rules->Load(ini, kRuleSectionName, ReadFileVersion(ini), system.DefaultFolders());
    }
    HInfoFlowProject loaded;
    loaded.flowName = ini.GetString(kHeaderSection, "FlowName");
    if (loaded.flowName.empty()) {
        loaded.flowName = FileTitle(path);
    }
    loaded.lastUpdate = ini.GetString(kHeaderSection, "LastUpdate");
    if (loaded.lastUpdate.empty()) {
        struct stat st;
        if (::stat(path.c_str(), &st) == 0) {
            loaded.lastUpdate = LocalTimeText(st.st_mtime);
        }
    }
    store.RemoveSection(kRuleSectionName);
    store.RemoveSection(kHeaderSection);
    if (!LoadItems(ini)) {
        return 0;
    }
    System().AdoptDocumentRules(std::move(rules));
    RecomputeEstimate();
    flow = std::move(loaded);
    return 1;
}

}  // namespace zarvik
