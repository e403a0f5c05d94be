// The editor runs under the user's locale, which may write reals with a decimal comma; the
// report, the CSV lists and the saved file must keep their bytes all the same.

#include <gtest/gtest.h>
#include <locale.h>
#include <stdio.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/doc/csv_export.h"
#include "core/doc/flow_document.h"
#include "core/fp/estimate.h"
#include "core/items/item_core.h"
#include "test_support.h"

#if defined(__SANITIZE_ADDRESS__)
#define ZARVIK_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZARVIK_LEAK_CHECKED 1
#endif
#endif
#ifdef ZARVIK_LEAK_CHECKED
#include <sanitizer/lsan_interface.h>
#endif

namespace zarvik {
namespace {

namespace fs = std::filesystem;
using test_support::FileBytes;
using test_support::TempDir;
using test_support::WithoutLastUpdate;

const fs::path kSourceRoot = fs::path(ZARVIK_SOURCE_DIR);

std::string Run(const std::string& command) {
    std::string output;
    if (FILE* pipe = ::popen((command + " 2>&1").c_str(), "r")) {
        char buffer[256];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, n);
        }
        ::pclose(pipe);
    }
    return output;
}

// de_DE.UTF-8 as the system has it, else compiled into folder from the sources of Debian's
// locales package; glibc's newlocale looks for it in LOCPATH. Null, with the reason in
// problem, when neither works.
locale_t GermanLocale(const fs::path& folder, std::string& problem) {
    if (locale_t german = ::newlocale(LC_ALL_MASK, "de_DE.UTF-8", nullptr)) {
        return german;
    }
    problem = Run("localedef -i de_DE -f UTF-8 '" + (folder / "de_DE.UTF-8").string() + "'");
    const char* old = std::getenv("LOCPATH");
    const std::string saved = old != nullptr ? old : "";
    ::setenv("LOCPATH", folder.c_str(), 1);
#ifdef ZARVIK_LEAK_CHECKED
    // glibc keeps the list of locale folders it made from LOCPATH for the whole process.
    const __lsan::ScopedDisabler keptByGlibc;
#endif
    locale_t german = ::newlocale(LC_ALL_MASK, "de_DE.UTF-8", nullptr);
    old != nullptr ? ::setenv("LOCPATH", saved.c_str(), 1) : ::unsetenv("LOCPATH");
    return german;
}

// The thread formats under locale until the end of the scope.
class LocaleScope {
public:
    explicit LocaleScope(locale_t locale) : m_previous(::uselocale(locale)) {}
    ~LocaleScope() { ::uselocale(m_previous); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    locale_t m_previous;
};

std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

class DecimalCommaLocale : public ::testing::Test {
protected:
    void TearDown() override {
        SetItemIdCounter(savedCounter);
        if (german != nullptr) {
            ::freelocale(german);
        }
    }

    TempDir dir;
    int32_t savedCounter = ItemIdCounter();
    locale_t german = nullptr;
};

TEST_F(DecimalCommaLocale, ExamplesGiveTheBytesOfTheCLocale) {
    std::string problem;
    german = GermanLocale(dir.Path(), problem);
    ASSERT_NE(german, nullptr) << "cannot make the de_DE.UTF-8 locale (Debian package "
                                  "\"locales\"): "
                               << problem;

    for (const char* name : {"library_lending", "order_management"}) {
        SCOPED_TRACE(name);
        const std::string golden = (kSourceRoot / "tests/cli/golden" / name).string();
        const std::string out = dir / name;
        HFlowDocument doc;
        {
            LocaleScope scope(german);
            char half[8];
            std::snprintf(half, sizeof half, "%.1f", 0.5);
            ASSERT_STREQ(half, "0,5") << "the thread does not format with a decimal comma";
            ASSERT_TRUE(doc.LoadDocument((kSourceRoot / "examples" / name).string() + ".zvk"));
            EXPECT_EQ(WithoutCarriageReturns(BuildReportText(doc.estimate)),
                      FileBytes(golden + ".report.txt"));
            ASSERT_TRUE(ExportTransactions(doc, out + ".transactions.csv"));
            ASSERT_TRUE(ExportFiles(doc, out + ".files.csv"));
            ASSERT_TRUE(doc.SaveDocument(out + ".de.zvk"));
        }
        ASSERT_TRUE(doc.SaveDocument(out + ".c.zvk"));
        for (const char* list : {".transactions.csv", ".files.csv"}) {
            EXPECT_EQ(FileBytes(out + list), FileBytes(golden + list)) << list;
        }
        EXPECT_EQ(WithoutLastUpdate(FileBytes(out + ".de.zvk")),
                  WithoutLastUpdate(FileBytes(out + ".c.zvk")));
    }
}

}  // namespace
}  // namespace zarvik
