// The folders of the core are layers: each includes only the ones below it, and none
// includes a window library.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "test_support.h"

namespace zarvik {
namespace {

namespace fs = std::filesystem;

// Bottom first. Folders of the same rank do not include each other.
const std::map<std::string, int> kLayerRank = {
    {"text", 0}, {"command", 0}, {"port", 1}, {"store", 2}, {"records", 3},
    {"fp", 4},   {"items", 5},   {"app", 6},  {"doc", 7},   {"canvas", 8},
};

// "folder" of "core/folder/name.h", empty for any other include.
std::string CoreFolderOf(const std::string& included) {
    if (included.rfind("core/", 0) != 0) {
        return {};
    }
    const std::size_t slash = included.find('/', 5);
    return slash == std::string::npos ? std::string() : included.substr(5, slash - 5);
}

// Every include in the core under root (the src folder) that runs the wrong way, as
// "file: include".
std::vector<std::string> WrongWayIncludes(const fs::path& root) {
    std::vector<std::string> wrong;
    for (const auto& entry : fs::recursive_directory_iterator(root / "core")) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) {
            continue;
        }
        const std::string file = fs::relative(entry.path(), root).string();
        const std::string own = CoreFolderOf(file);
        const auto ownRank = kLayerRank.find(own);
        if (ownRank == kLayerRank.end()) {
            wrong.push_back(file + ": a folder that is no layer");
            continue;
        }
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("#include", 0) != 0) {
                continue;
            }
            const std::size_t open = line.find_first_of("\"<");
            const std::size_t close = line.find_first_of("\">", open + 1);
            if (open == std::string::npos || close == std::string::npos) {
                continue;
            }
            const std::string included = line.substr(open + 1, close - open - 1);
            const std::string folder = CoreFolderOf(included);
            if (line[open] == '<') {
                if (included.rfind("Q", 0) == 0) {
                    wrong.push_back(file + ": " + included);
                }
            } else if (folder.empty() || folder == own) {
                if (included.rfind("gui/", 0) == 0 || included.rfind("cli/", 0) == 0 ||
                    included.rfind("app/", 0) == 0) {
                    wrong.push_back(file + ": " + included);
                }
            } else {
                const auto rank = kLayerRank.find(folder);
                if (rank == kLayerRank.end() || rank->second >= ownRank->second) {
                    wrong.push_back(file + ": " + included);
                }
            }
        }
    }
    return wrong;
}

TEST(CoreLayers, EveryIncludeRunsDownward) {
    const fs::path src = fs::path(ZARVIK_SOURCE_DIR) / "src";
    ASSERT_TRUE(fs::is_directory(src / "core")) << src;
    const std::vector<std::string> wrong = WrongWayIncludes(src);
    EXPECT_TRUE(wrong.empty()) << wrong.size()
                               << " wrong-way includes, the first: " << wrong.front();
}

TEST(CoreLayers, APlantedWrongWayIncludeIsFound) {
    test_support::TempDir dir;
    const fs::path core = dir.Path() / "core";
    fs::create_directories(core / "items");
    fs::create_directories(core / "doc");
    std::ofstream(core / "doc" / "fine.h") << "#include \"core/items/draw_list.h\"\n";
    std::ofstream(core / "items" / "upward.cpp")
        << "#include \"core/items/item_core.h\"\n#include \"core/doc/zarvik_doc.h\"\n"
           "#include <QWidget>\n#include <vector>\n";
    fs::create_directories(core / "extras");
    std::ofstream(core / "extras" / "stray.h") << "\n";
    const std::vector<std::string> wrong = WrongWayIncludes(dir.Path());
    EXPECT_EQ(wrong.size(), 3u);
    const auto has = [&](const std::string& text) {
        return std::find(wrong.begin(), wrong.end(), text) != wrong.end();
    };
    EXPECT_TRUE(has("core/items/upward.cpp: core/doc/zarvik_doc.h"));
    EXPECT_TRUE(has("core/items/upward.cpp: QWidget"));
    EXPECT_TRUE(has("core/extras/stray.h: a folder that is no layer"));
}

}  // namespace
}  // namespace zarvik
