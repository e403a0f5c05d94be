#include "core/records/info_core.h"

#include "core/records/state_hash.h"

namespace zarvik {

int HInfoCore::Save(HIniFile&, const std::string&) const {
    return 0;
}

int HInfoCore::Load(HIniFile&, const std::string&) {
    return 0;
}

void HInfoCore::AddStateTo(HStateHash& hash) const {
    hash.Add(name);
    hash.Add(typeLabel);
    hash.Add(typeCode, 0);
}

void HInfoCore::CopyFrom(const HInfoCore& other) {
    name = other.name;
    typeLabel = other.typeLabel;
    typeCode = other.typeCode;
}

}  // namespace zarvik
