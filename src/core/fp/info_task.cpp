#include "core/fp/info_task.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_set>

#include "core/fp/fp_fields.h"
#include "core/fp/info_file.h"
#include "core/store/ini_file.h"
#include "core/text/number_text.h"

namespace zarvik {

namespace {

int32_t SaturatingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(a) + b, INT32_MAX));
}

}  // namespace

std::string PlaceholderDetName(int i, int n) {
    return Format("<固定 %d/%d>", i, n);
}

HInfoTask::HInfoTask() {
    typeLabel = kTypeLabelTask;
    typeCode = kFpTypeEI;
}

int32_t HInfoTask::CountListDets(int32_t checkSameName) const {
    const int64_t all = static_cast<int64_t>(detList.size()) + unlistedPlaceholders;
    const auto total = static_cast<int32_t>(std::min<int64_t>(all, INT32_MAX));
    if (checkSameName == 0) {
        return total;
    }
    // An entry is a duplicate when a later entry has its name, so every name counts once.
    std::unordered_set<std::string_view> names;
    int32_t named = 0;
    for (const HInfoCol& entry : detList) {
        if (entry.placeholder != 1) {
            ++named;
            names.insert(entry.name);
        }
    }
    return total - (named - static_cast<int32_t>(names.size()));
}

int32_t HInfoTask::GetDetCount() const {
    return AutoDET != 1 ? UserDET : CountListDets(checkDetSameName);
}

int32_t HInfoTask::GetFtrCount() const {
    return AutoFTR != 1 ? UserFTR : static_cast<int32_t>(ftrList.size());
}

int32_t HInfoTask::GetLevel(int32_t* cellCode) const {
    return RateComplexity(typeCode, GetDetCount(), GetFtrCount(), cellCode);
}

int32_t HInfoTask::GetFp() const {
    if (SelectFpSumType != kSumAutomatic) {
        return FpBySetting(typeCode, SelectFpSumType, kLevelAverage, FpLevel, FpUser, 0, 0);
    }
    return FpWeight(typeCode, GetLevel());
}

void HInfoTask::ClearLinks() {
    detList.clear();
    ftrList.clear();
    linkedEifCount = 0;
    linkedIlfCount = 0;
    unlistedPlaceholders = 0;
}

namespace {

// Placeholders of a data function beyond what is listed.
int32_t UnlistedPlaceholdersOf(const HInfoFile& file) {
    return file.AutoDET == 0 ? std::max(0, file.GetDetCount() - kMaxListEntries) : 0;
}

}  // namespace

void HInfoTask::AddLinkedFile(HInfoFile& file) {
    if (file.AutoDET == 0) {
        const int32_t n = file.GetDetCount();
        const int32_t listed = std::min(n, kMaxListEntries);
        for (int32_t i = 1; i <= listed; ++i) {
            detList.push_back(HInfoCol{&file, PlaceholderDetName(i, n), kPlaceholderDetInfo, 1});
        }
        unlistedPlaceholders = SaturatingAdd(unlistedPlaceholders, UnlistedPlaceholdersOf(file));
    } else {
        for (const HInfoCol& entry : file.detList) {
            detList.push_back(HInfoCol{&file, entry.name, entry.info, 0});
        }
    }
    ftrList.push_back(&file);
    if (file.typeCode == kFpTypeILF) {
        ++linkedIlfCount;
    } else if (file.typeCode == kFpTypeEIF) {
        ++linkedEifCount;
    }
}

void HInfoTask::RebuildLinks(const std::vector<HInfoFile*>& linkedFiles) {
    ClearLinks();
    for (HInfoFile* file : linkedFiles) {
        AddLinkedFile(*file);
    }
}

void HInfoTask::UnlinkFile(const HInfoFile* file) {
    std::erase_if(detList, [file](const HInfoCol& entry) { return entry.owner == file; });
    const auto removed = std::erase(ftrList, file);
    if (file != nullptr && removed > 0) {
        const int64_t less =
            static_cast<int64_t>(UnlistedPlaceholdersOf(*file)) * static_cast<int64_t>(removed);
        unlistedPlaceholders =
            static_cast<int32_t>(std::max<int64_t>(0, unlistedPlaceholders - less));
    }
}

HFpFields HInfoTask::Fields() const {
    auto* self = const_cast<HInfoTask*>(this);
    return HFpFields{
        &self->name,    &self->typeCode, &self->SelectFpSumType, &self->FpLevel, &self->FpUser,
        &self->AutoDET, &self->AutoFTR,  &self->UserDET,         &self->UserFTR, "FTR"};
}

int HInfoTask::Save(HIniFile& ini, const std::string& section) const {
    SaveFpFields(ini, section, Fields());
    return 1;
}

int HInfoTask::Load(HIniFile& ini, const std::string& section) {
    LoadFpFields(ini, section, Fields());
    return 1;
}

void HInfoTask::CopyFrom(const HInfoTask& other) {
    HInfoCore::CopyFrom(other);
    SelectFpSumType = other.SelectFpSumType;
    FpLevel = other.FpLevel;
    FpUser = other.FpUser;
    AutoDET = other.AutoDET;
    AutoFTR = other.AutoFTR;
    UserDET = other.UserDET;
    UserFTR = other.UserFTR;
    linkedEifCount = other.linkedEifCount;
    linkedIlfCount = other.linkedIlfCount;
    detList = other.detList;
    ftrList = other.ftrList;
    checkDetSameName = other.checkDetSameName;
    unlistedPlaceholders = other.unlistedPlaceholders;
}

}  // namespace zarvik
