#include "core/app/about_text.h"

namespace zarvik {

std::string AboutProductLine(const std::string& productName, const std::string& productVersion,
                             const std::string& keep) {
    if (productName.empty() || productVersion.empty()) {
        return keep;
    }
    std::string version;
    for (const char c : productVersion) {
        if (c == ' ') {
            continue;
        }
        version += c == ',' ? '.' : c;
    }
    return productName + "  ( Version " + version + " )";
}

std::string AboutCopyrightLine(const std::string& copyright, const std::string& keep) {
    return copyright.empty() ? keep : copyright;
}

}  // namespace zarvik
