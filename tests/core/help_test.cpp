// Where the help pages are looked for, what they hold, and the search and index over them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>

#include "core/app/help_files.h"
#include "core/app/help_search.h"
#include "core/app/help_topics.h"
#include "core/port/platform.h"
#include "core/store/file_io.h"
#include "test_support.h"

namespace zarvik {
namespace {

namespace fs = std::filesystem;

using test_support::FolderPlatform;

void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

TEST(HelpFiles, BesideTheProgramFirstThenTheInstalledShareFolder) {
    test_support::TempDir dir;
    FolderPlatform platform(dir / "bin");
    const std::string installed = dir / "share/zarvik/help";
    EXPECT_EQ(HelpFolder(), installed);
    EXPECT_EQ(HelpFilePath(), installed + "/index.html");
    EXPECT_EQ(HelpFileExists(), 0);
    EXPECT_EQ(MissingHelpMessage(),
              "Helpファイルが既定の場所に存在しません\n\n既定の場所:" + installed + "/index.html");

    // A help folder without its contents page does not count.
    WriteFile(dir.Path() / "bin/help/canvas.html", "x");
    EXPECT_EQ(HelpFolder(), installed);
    WriteFile(dir.Path() / "share/zarvik/help/index.html", "x");
    EXPECT_EQ(HelpFileExists(), 1);
    WriteFile(dir.Path() / "bin/help/index.html", "x");
    EXPECT_EQ(HelpFolder(), dir / "bin/help");
}

TEST(HelpTopics, NamesPagesAndAnchorsResolve) {
    EXPECT_EQ(HelpTopicTarget("CDlgSubItemTpFTR"), "function_sheet.html#ftr");
    EXPECT_EQ(HelpTopicTarget("FP法入門：計測範囲のﾍﾙﾌﾟ"), "fp_intro.html#scope");
    EXPECT_EQ(HelpTopicTarget("rules.html#vaf"), "rules.html#vaf");  // a page passes through
    EXPECT_EQ(HelpTopicTarget("nowhere.html"), "");
    EXPECT_EQ(HelpTopicTarget("QLineEdit"), "");
    EXPECT_EQ(HelpTopicTarget(""), "");
}

TEST(HelpIndex, FiltersIgnoringCaseAndWidth) {
    EXPECT_EQ(FilterHelpIndex("").size(), HelpIndex().size());
    const std::vector<HHelpIndexEntry> det = FilterHelpIndex("ｄｅｔ");
    ASSERT_EQ(det.size(), 1u);
    EXPECT_STREQ(det[0].target, "function_sheet.html#det");
    EXPECT_GE(FilterHelpIndex("一覧").size(), 4u);
    EXPECT_TRUE(FilterHelpIndex("該当なし").empty());
}

TEST(HelpSearch, PageTextDropsMarkupAndDecodesReferences) {
    EXPECT_EQ(HelpPageText("<html><head><title>T</title><style>p{}</style></head>"
                           "<body><!-- note --><p>A &amp; B</p>\n<p><b>FP</b>値 &#x3042;&#12354;"
                           "</p><table><tr><td>1</td><td>2</td></tr></table></body></html>"),
              "A & B FP値 ああ 1 2");
    EXPECT_EQ(HelpPageText("x &unknown; y & z <b"), "x &unknown; y & z");
    EXPECT_EQ(FoldHelpText("ＦＰ値 Fp ＩＬＦ１"), "fp値 fp ilf1");
}

TEST(HelpSearch, FindsPagesHoldingEveryWord) {
    test_support::TempDir dir;
    WriteFile(dir.Path() / "index.html", "<title>目次</title><p>Zarvik の目次</p>");
    WriteFile(dir.Path() / "canvas.html", "<p>関係線を引いて <b>FTR</b> を増やす</p>");
    WriteFile(dir.Path() / "rules.html", "<p>未調整FPと関係<!-- 線 --></p>");
    const HHelpSearch search(dir.Path().string());
    EXPECT_EQ(search.PageCount(), 3);  // the other pages of the contents are missing here
    const auto files = [&](std::string_view query) {
        std::vector<std::string> found;
        for (const HHelpHit& hit : search.Find(query)) {
            found.push_back(hit.file);
        }
        return found;
    };
    EXPECT_EQ(files("関係線"), std::vector<std::string>{"canvas.html"});
    EXPECT_EQ(files("関係"), (std::vector<std::string>{"canvas.html", "rules.html"}));
    EXPECT_EQ(files("ftr\u3000関係"), std::vector<std::string>{"canvas.html"});
    EXPECT_EQ(files("ｆｐ"), std::vector<std::string>{"rules.html"});
    EXPECT_TRUE(files("title").empty());  // the head is not searched
    EXPECT_TRUE(files("  ").empty());
    EXPECT_EQ(search.Find("目次").front().title, "目次");
}

// The pages as bundled: every contents entry, topic, index entry and link leads to a page
// that is there, at an anchor that is there, and each page carries its contents title.
TEST(HelpPages, BundledPagesHoldEveryTargetAndLink) {
    const fs::path folder =
        fs::path(ZARVIK_SOURCE_DIR) / "src/gui/resources/help";
    std::map<std::string, std::set<std::string>> anchors;
    std::map<std::string, std::string> texts;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".html") {
            continue;
        }
        std::string html;
        ASSERT_EQ(ReadWholeFile(entry.path().string(), html), 1);
        const std::string file = entry.path().filename().string();
        texts[file] = html;
        anchors[file];
        const std::regex name(R"re(<a name="([^"]+)")re");
        for (std::sregex_iterator it(html.begin(), html.end(), name), end; it != end; ++it) {
            anchors[file].insert((*it)[1]);
        }
    }
    const auto resolves = [&](const std::string& target) {
        const std::size_t hash = target.find('#');
        const auto page = anchors.find(target.substr(0, hash));
        return page != anchors.end() &&
               (hash == std::string::npos || page->second.count(target.substr(hash + 1)) == 1);
    };
    for (const HHelpPage& page : HelpPages()) {
        if (*page.file != '\0') {
            ASSERT_TRUE(resolves(page.file)) << page.file;
            EXPECT_NE(texts[page.file].find("<title>" + std::string(page.title) + "</title>"),
                      std::string::npos)
                << page.file;
        }
    }
    EXPECT_EQ(anchors.size(), static_cast<std::size_t>(std::count_if(
                                  HelpPages().begin(), HelpPages().end(),
                                  [](const HHelpPage& page) { return *page.file != '\0'; })))
        << "a page that the contents does not list";
    for (const HHelpTopic& topic : HelpTopics()) {
        EXPECT_TRUE(resolves(topic.target)) << topic.name;
    }
    for (const HHelpIndexEntry& entry : HelpIndex()) {
        EXPECT_TRUE(resolves(entry.target)) << entry.keyword;
    }
    const std::regex link(R"re(href="([^"]+\.html[^"]*)")re");
    for (const auto& [file, html] : texts) {
        for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it) {
            EXPECT_TRUE(resolves((*it)[1])) << file << ": " << (*it)[1];
        }
        EXPECT_NE(html.find("charset=UTF-8"), std::string::npos) << file;
    }
}

}  // namespace
}  // namespace zarvik
