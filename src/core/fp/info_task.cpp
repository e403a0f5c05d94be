#include "core/fp/info_task.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fp/fp_fields.h"
#include "core/fp/info_file.h"
#include "core/records/state_hash.h"
#include "core/store/ini_file.h"
#include "core/text/number_text.h"

namespace zarvik {

std::string PlaceholderDetName(int i, int n) {
    return Format("<固定 %d/%d>", i, n);
}

HInfoTask::HInfoTask() {
    typeLabel = kTypeLabelTask;
    typeCode = kFpTypeEI;
}

namespace {

// Whether a linked data function brings placeholders for a typed count, not its list.
bool BringsPlaceholders(const HInfoFile& file) {
    return file.AutoDET == 0;
}

// The DETs one relation line to the data function brings.
int64_t DetsBroughtBy(const HInfoFile& file) {
    return BringsPlaceholders(file) ? std::max(0, file.GetDetCount())
                                    : static_cast<int64_t>(file.detList.size());
}

// The number of different names in the DET lists of the data functions. One table with
// open addressing, sized for all the names at once: a transaction's count is taken on every
// estimate, for lists of up to a thousand names each.
int64_t CountDistinctNames(const std::vector<const HInfoFile*>& files) {
    std::size_t total = 0;
    for (const HInfoFile* file : files) {
        total += file->detList.size();
    }
    std::size_t size = 16;
    while (size < total * 2) {
        size *= 2;
    }
    std::vector<const std::string*> table(size, nullptr);
    const std::hash<std::string_view> hash;
    int64_t distinct = 0;
    for (const HInfoFile* file : files) {
        for (const HInfoCol& entry : file->detList) {
            std::size_t at = hash(entry.name) & (size - 1);
            while (table[at] != nullptr && *table[at] != entry.name) {
                at = (at + 1) & (size - 1);
            }
            if (table[at] == nullptr) {
                table[at] = &entry.name;
                ++distinct;
            }
        }
    }
    return distinct;
}

}  // namespace

int32_t HInfoTask::CountListDets(int32_t checkSameName) const {
    int64_t all = 0;
    for (const HInfoFile* file : ftrList) {
        all += DetsBroughtBy(*file);
    }
    if (checkSameName != 0) {
        // Every named entry beyond the first of its name is a duplicate. A data function
        // linked twice repeats all its names, so each distinct function is looked at once.
        int64_t named = 0;
        std::vector<const HInfoFile*> distinct;
        for (const HInfoFile* file : ftrList) {
            if (!BringsPlaceholders(*file)) {
                named += static_cast<int64_t>(file->detList.size());
                distinct.push_back(file);
            }
        }
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        all -= named - CountDistinctNames(distinct);
    }
    return static_cast<int32_t>(std::min<int64_t>(all, INT32_MAX));
}

std::vector<HInfoCol> HInfoTask::ListDets(std::size_t limit) const {
    std::vector<HInfoCol> list;
    for (const HInfoFile* file : ftrList) {
        if (BringsPlaceholders(*file)) {
            const int32_t n = file->GetDetCount();
            for (int32_t i = 1; i <= n && list.size() < limit; ++i) {
                list.push_back(HInfoCol{file, PlaceholderDetName(i, n), kPlaceholderDetInfo, 1});
            }
        } else {
            for (const HInfoCol& entry : file->detList) {
                if (list.size() >= limit) {
                    break;
                }
                list.push_back(HInfoCol{file, entry.name, entry.info, 0});
            }
        }
        if (list.size() >= limit) {
            break;
        }
    }
    return list;
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

int32_t HInfoTask::GetLevelInForce() const {
    return LevelBySetting(SelectFpSumType, kLevelAverage, FpLevel, GetLevel());
}

int32_t HInfoTask::GetFp() const {
    if (SelectFpSumType != kSumAutomatic) {
        return FpBySetting(typeCode, SelectFpSumType, kLevelAverage, FpLevel, FpUser, 0, 0);
    }
    return FpWeight(typeCode, GetLevel());
}

void HInfoTask::AddStateTo(HStateHash& hash) const {
    HInfoCore::AddStateTo(hash);
    hash.Add(SelectFpSumType, FpLevel);
    hash.Add(FpUser, AutoDET);
    hash.Add(AutoFTR, UserDET);
    hash.Add(UserFTR, 0);
}

void HInfoTask::ClearLinks() {
    ftrList.clear();
    linkedEifCount = 0;
    linkedIlfCount = 0;
}

void HInfoTask::AddLinkedFile(HInfoFile& file) {
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
    std::erase(ftrList, file);
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
    ftrList = other.ftrList;
    checkDetSameName = other.checkDetSameName;
}

}  // namespace zarvik
