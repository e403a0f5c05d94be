#include "core/fp/fp_fields.h"

#include <utility>

#include "core/store/ini_file.h"

namespace zarvik {
namespace {

// The integer fields with their keys, in writing order.
template <class Visit>
void ForEachInt(const HFpFields& f, Visit visit) {
    const std::string second(f.secondName);
    const std::pair<std::string, int32_t*> ints[] = {
        {"FpType", f.typeCode}, {"SelectFpSumType", f.sumType},  {"FpLevel", f.level},
        {"FpUser", f.userFp},   {"AutoDET", f.autoDet},          {"Auto" + second, f.autoSecond},
        {"UserDET", f.userDet}, {"User" + second, f.userSecond},
    };
    for (const auto& [key, field] : ints) {
        visit(key, *field);
    }
}

}  // namespace

void SaveFpFields(HIniFile& ini, const std::string& section, const HFpFields& fields) {
    ini.SetString(section, "Name", *fields.name);
    ForEachInt(fields,
               [&](const std::string& key, int32_t& value) { ini.SetInt(section, key, value); });
}

void LoadFpFields(const HIniFile& ini, const std::string& section, const HFpFields& fields) {
    *fields.name = ini.GetString(section, "Name");
    ForEachInt(fields,
               [&](const std::string& key, int32_t& value) { value = ini.GetInt(section, key); });
}

}  // namespace zarvik
