// The measurement rules: first use, copying, and the "RULE" section with the version rule
// for the stored coefficients.

#include <gtest/gtest.h>

#include <climits>

#include "core/fp/info_rule.h"
#include "core/store/ini_file.h"
#include "test_support.h"

namespace zarvik {
namespace {

using test_support::TempDir;

const HDefaultFolders kBuiltIn{"", ""};

// The coefficient fields in stored order with their first-use values.
std::vector<int32_t> Coefficients(const HInfoRule& r) {
    return {r.IsFpUFPManual,      r.FpUFPManual,        r.FpGaisanPage1X100, r.FpGaisanPage2X100,
            r.FpGaisanTest1X100,  r.FpGaisanTest2X100,  r.FpGaisanBug1X100,  r.FpGaisanBug2X100,
            r.FpGaisanKikan1X100, r.FpGaisanKikan2X100, r.FpKouki1X100,      r.FpKouki2X100,
            r.FpKoukiMinX100};
}

const std::vector<int32_t> kFirstUseValues{0,   0,   100, 115, 100, 120, 100,
                                           125, 100, 40,  240, 300, 70};

void Customise(HInfoRule& rule) {
    rule.TpCheckDetSameName = 1;
    rule.IsFpUFPManual = 1;
    rule.FpUFPManual = 500;
    rule.FpGaisanPage1X100 = 150;
    rule.FpGaisanKikan2X100 = 32;
    rule.FpKoukiMinX100 = 55;
    rule.seisan.Bunya = 3;
    rule.tyousei.SelectTyouseiType = 1;
    rule.tyousei.rows[0].degree = 0;
    rule.hiritu.SelectHirituType = 2;
}

TEST(Rule, FirstUseFillsTablesAndCoefficientsOnce) {
    HInfoRule rule;
    EXPECT_EQ(rule.NeedsLoading(), 1);
    EXPECT_TRUE(rule.seisan.rows.empty());
    rule.TpCheckDetSameName = 1;
    EXPECT_EQ(rule.FirstUse(kBuiltIn), 1);
    EXPECT_EQ(rule.NeedsLoading(), 0);
    EXPECT_EQ(Coefficients(rule), kFirstUseValues);
    EXPECT_EQ(rule.TpCheckDetSameName, 1);  // not part of the reset
    EXPECT_EQ(rule.seisan.rows.size(), 7u);
    EXPECT_EQ(rule.GetTdi(), 42);
    EXPECT_EQ(rule.GetVafX100(), 0);
    EXPECT_EQ(rule.hiritu.itemNames.size(), 25u);
    EXPECT_EQ(rule.lang.rows.size(), 1u);

    rule.FpKouki1X100 = 1;
    EXPECT_EQ(rule.FirstUse(kBuiltIn), 0);
    EXPECT_EQ(rule.FpKouki1X100, 1);
}

TEST(Rule, FirstUseWritesMissingDefaultFiles) {
    TempDir dir;
    HInfoRule rule;
    rule.FirstUse({dir.Path().string(), ""});
    EXPECT_EQ(dir.Count(), 3);
}

TEST(Rule, CopyTakesTablesAndFieldsButNotTheLoadingState) {
    HInfoRule source;
    source.FirstUse(kBuiltIn);
    Customise(source);
    source.lang.rows.clear();
    HInfoRule copy;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.NeedsLoading(), 1);
    EXPECT_EQ(Coefficients(copy), Coefficients(source));
    EXPECT_EQ(copy.TpCheckDetSameName, 1);
    EXPECT_EQ(copy.seisan.Bunya, 3);
    EXPECT_EQ(copy.seisan.rows.size(), 7u);
    EXPECT_EQ(copy.GetTdi(), 39);
    EXPECT_EQ(copy.GetVafX100(), 104);
    EXPECT_EQ(copy.hiritu.SelectHirituType, 2);
    EXPECT_TRUE(copy.lang.rows.empty());
    copy.CopyFrom(copy);
    EXPECT_EQ(copy.seisan.rows.size(), 7u);
}

TEST(Rule, SaveWritesTablesThenFieldsInOrder) {
    HInfoRule rule;
    rule.FirstUse(kBuiltIn);
    HInfoIniFile store;
    HIniFile ini(store, 0);
    rule.Save(ini, kRuleSectionName);
    const auto& entries = store.FindSection("RULE")->Entries();
    EXPECT_EQ(entries.front().first, "SEISAN_MAP_CNT");
    const char* tail[] = {"TpCheckDetSameName", "IsFpUFPManual",      "FpUFPManual",
                          "FpGaisanPage1X100",  "FpGaisanPage2X100",  "FpGaisanTest1X100",
                          "FpGaisanTest2X100",  "FpGaisanBug1X100",   "FpGaisanBug2X100",
                          "FpGaisanKikan1X100", "FpGaisanKikan2X100", "FpKouki1X100",
                          "FpKouki2X100",       "FpKoukiMinX100"};
    ASSERT_GT(entries.size(), 14u);
    for (std::size_t i = 0; i < 14; ++i) {
        EXPECT_EQ(entries[entries.size() - 14 + i].first, tail[i]);
    }
    EXPECT_EQ(entries[entries.size() - 15].first, "SelectHirituType");
    EXPECT_EQ(*store.FindValue("RULE", "FpGaisanKikan2X100"), "40");
    EXPECT_FALSE(store.FindValue("RULE", "LANGHIRITU_MAP_CNT").has_value());
}

// A rule saved by one program version and read back as a document of another.
class RuleVersionTest : public ::testing::TestWithParam<std::pair<HFileVersion, bool>> {};

TEST_P(RuleVersionTest, CoefficientsAreReadFromOneTwoFourOn) {
    const auto [version, stored] = GetParam();
    TempDir dir;
    {
        HInfoRule saved;
        saved.FirstUse(kBuiltIn);
        Customise(saved);
        HInfoIniFile store;
        HIniFile ini(store, 0);
        saved.Save(ini, kRuleSectionName);
        ini.SetInt("Zarvik", "FileVersion.Major", version.major);
        ini.SetInt("Zarvik", "FileVersion.Minor", version.minor);
        ini.SetInt("Zarvik", "FileVersion.Build", version.build);
        ASSERT_EQ(store.Write(dir / "doc.zvk"), 1);
    }
    HInfoIniFile store;
    ASSERT_EQ(store.Read(dir / "doc.zvk"), 1);
    HIniFile ini(store, 0);
    const HFileVersion read = ReadFileVersion(ini);
    EXPECT_EQ(read.minor, version.minor);
    HInfoRule rule;
    EXPECT_EQ(rule.Load(ini, kRuleSectionName, read, kBuiltIn), 1);
    EXPECT_EQ(rule.NeedsLoading(), 0);
    // Tables and the same-name check are read whatever the version.
    EXPECT_EQ(rule.TpCheckDetSameName, 1);
    EXPECT_EQ(rule.seisan.Bunya, 3);
    EXPECT_EQ(rule.GetVafX100(), 104);
    if (stored) {
        EXPECT_EQ(rule.FpUFPManual, 500);
        EXPECT_EQ(rule.FpGaisanPage1X100, 150);
        EXPECT_EQ(rule.FpGaisanKikan2X100, 32);
        EXPECT_EQ(rule.FpKoukiMinX100, 55);
    } else {
        EXPECT_EQ(Coefficients(rule), kFirstUseValues);
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, RuleVersionTest,
                         ::testing::Values(std::pair{HFileVersion{1, 2, 3}, false},
                                           std::pair{HFileVersion{1, 2, 4}, true},
                                           std::pair{HFileVersion{1, 1, 99}, false},
                                           std::pair{HFileVersion{1, 3, 0}, true},
                                           std::pair{HFileVersion{0, 0, 0}, false},
                                           std::pair{HFileVersion{INT_MAX, INT_MAX, INT_MAX}, true},
                                           std::pair{HFileVersion{INT_MIN, 0, 0}, false}));

TEST(Rule, MissingKeysReadZeroInANewDocument) {
    HInfoIniFile store;
    HIniFile ini(store, 0);
    ini.SetInt("RULE", "FpKouki1X100", 250);
    HInfoRule rule;
    rule.Load(ini, kRuleSectionName, {1, 2, 6}, kBuiltIn);
    EXPECT_EQ(rule.FpKouki1X100, 250);
    EXPECT_EQ(rule.FpKouki2X100, 0);
    EXPECT_EQ(rule.seisan.rows.size(), 7u);  // no table keys: the defaults
    EXPECT_EQ(rule.tyousei.FpTyouseiManual, 0);
}

}  // namespace
}  // namespace zarvik
