#include "core/fp/info_file.h"

#include "core/fp/fp_fields.h"
#include "core/records/state_hash.h"
#include "core/store/ini_file.h"

namespace zarvik {

HInfoFile::HInfoFile() {
    typeLabel = kTypeLabelFile;
    typeCode = kFpTypeILF;
}

int32_t HInfoFile::GetDetCount() const {
    return AutoDET != 1 ? UserDET : static_cast<int32_t>(detList.size());
}

int32_t HInfoFile::GetRetCount() const {
    return AutoRET != 1 ? UserRET : static_cast<int32_t>(retList.size());
}

int32_t HInfoFile::GetLevel(int32_t* cellCode) const {
    return RateComplexity(typeCode, GetDetCount(), GetRetCount(), cellCode);
}

int32_t HInfoFile::GetLevelInForce() const {
    return LevelBySetting(SelectFpSumType, kLevelLow, FpLevel, GetLevel());
}

int32_t HInfoFile::GetFp() const {
    return FpBySetting(typeCode, SelectFpSumType, kLevelLow, FpLevel, FpUser, GetDetCount(),
                       GetRetCount());
}

HFpFields HInfoFile::Fields() const {
    auto* self = const_cast<HInfoFile*>(this);
    return HFpFields{
        &self->name,    &self->typeCode, &self->SelectFpSumType, &self->FpLevel, &self->FpUser,
        &self->AutoDET, &self->AutoRET,  &self->UserDET,         &self->UserRET, "RET"};
}

int HInfoFile::Save(HIniFile& ini, const std::string& section) const {
    SaveFpFields(ini, section, Fields());
    SaveColList(ini, section, "DETLIST", detList);
    SaveColList(ini, section, "RETLIST", retList);
    return 1;
}

int HInfoFile::Load(HIniFile& ini, const std::string& section) {
    LoadFpFields(ini, section, Fields());
    detList = LoadColList(ini, section, "DETLIST", this);
    retList = LoadColList(ini, section, "RETLIST", this);
    return 1;
}

void HInfoFile::AddStateTo(HStateHash& hash) const {
    HInfoCore::AddStateTo(hash);
    hash.Add(SelectFpSumType, FpLevel);
    hash.Add(FpUser, AutoDET);
    hash.Add(AutoRET, UserDET);
    hash.Add(UserRET, 0);
    for (const std::vector<HInfoCol>* list : {&detList, &retList}) {
        hash.Add(static_cast<uint64_t>(list->size()));
        for (const HInfoCol& entry : *list) {
            hash.Add(entry.name);
            hash.Add(entry.info);
            hash.Add(entry.placeholder, 0);
        }
    }
}

void HInfoFile::CopyFrom(const HInfoFile& other) {
    HInfoCore::CopyFrom(other);
    SelectFpSumType = other.SelectFpSumType;
    FpLevel = other.FpLevel;
    FpUser = other.FpUser;
    AutoDET = other.AutoDET;
    AutoRET = other.AutoRET;
    UserDET = other.UserDET;
    UserRET = other.UserRET;
    detList = other.detList;
    retList = other.retList;
    for (HInfoCol& entry : detList) {
        entry.owner = this;
    }
    for (HInfoCol& entry : retList) {
        entry.owner = this;
    }
}

}  // namespace zarvik
