#include "core/records/info_core.h"

namespace zarvik {

int HInfoCore::Save(HIniFile&, const std::string&) const {
    return 0;
}

int HInfoCore::Load(HIniFile&, const std::string&) {
    return 0;
}

void HInfoCore::CopyFrom(const HInfoCore& other) {
    name = other.name;
    typeLabel = other.typeLabel;
    typeCode = other.typeCode;
}

}  // namespace zarvik
