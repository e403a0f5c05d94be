#pragma once
// The four most recent documents, newest first, kept in the settings file's
// "Recent File List" section as "File1" to "File4".

#include <string>
#include <vector>

namespace zarvik {

class HSystem;

inline constexpr int kRecentFileMax = 4;

class HRecentFiles {
public:
    void Load(const HSystem& system);
    void Save(HSystem& system) const;

    // path goes to the top; an equal path further down goes away.
    void Add(const std::string& path);
    // The entry at index from the top, empty past the end.
    std::string At(int index) const;
    int Count() const { return static_cast<int>(m_paths.size()); }

private:
    std::vector<std::string> m_paths;
};

}  // namespace zarvik
