#include "core/records/info_simple.h"

#include "core/store/ini_file.h"

namespace zarvik {

int HInfoNamed::Save(HIniFile& ini, const std::string& section) const {
    ini.SetString(section, "Name", name);
    return 1;
}

int HInfoNamed::Load(HIniFile& ini, const std::string& section) {
    name = ini.GetString(section, "Name");
    return 1;
}

}  // namespace zarvik
