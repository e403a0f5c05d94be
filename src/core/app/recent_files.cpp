#include "core/app/recent_files.h"

#include <algorithm>

#include "core/app/system.h"

namespace zarvik {
namespace {

constexpr const char* kSection = "Recent File List";

std::string KeyOf(int index) {
    return "File" + std::to_string(index + 1);
}

}  // namespace

void HRecentFiles::Load(const HSystem& system) {
    m_paths.clear();
    for (int i = 0; i < kRecentFileMax; ++i) {
        std::string path = system.GetProfileString(kSection, KeyOf(i));
        if (!path.empty() && std::find(m_paths.begin(), m_paths.end(), path) == m_paths.end()) {
            m_paths.push_back(std::move(path));
        }
    }
}

void HRecentFiles::Save(HSystem& system) const {
    system.ClearProfileSection(kSection);
    for (int i = 0; i < Count(); ++i) {
        system.WriteProfileString(kSection, KeyOf(i), m_paths[i]);
    }
}

void HRecentFiles::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    std::erase(m_paths, path);
    m_paths.insert(m_paths.begin(), path);
    if (Count() > kRecentFileMax) {
        m_paths.resize(kRecentFileMax);
    }
}

std::string HRecentFiles::At(int index) const {
    return index >= 0 && index < Count() ? m_paths[index] : std::string();
}

}  // namespace zarvik
