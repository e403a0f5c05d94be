// Reference tables: the default files written on a first start, reading them back, the
// rule-section form of each table, the productivity bands and the adjustment factor.

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "core/fp/sys_table_defaults.h"
#include "core/fp/sys_table_files.h"
#include "core/fp/sys_tables.h"
#include "core/store/ini_file.h"
#include "core/text/cp932.h"
#include "test_support.h"

namespace zarvik {
namespace {

namespace fs = std::filesystem;
using test_support::FileBytes;
using test_support::TempDir;

std::string GoldenPath(const std::string& name) {
    return (fs::path(ZARVIK_SOURCE_DIR) / "tests" / "golden" / "defaults" / name).string();
}

void WriteCp932(const std::string& path, const std::string& utf8) {
    std::ofstream(path, std::ios::binary) << ToCp932(utf8);
}

// The default lists of the three tables from the built-in texts.
void LoadBuiltInDefaults(HInfoSysMgrSeisan& seisan, HInfoSysMgrTyousei& tyousei,
                         HInfoSysMgrHiritu& hiritu) {
    seisan.LoadDefaults({"", ""}, kDefSeisanFile);
    tyousei.LoadDefaults({"", ""}, kDefTyouseiFile);
    hiritu.LoadDefaults({"", ""}, kDefKoumokuFile);
}

TEST(DefaultFiles, FirstStartWritesTheThreeFilesAsBuiltIn) {
    TempDir dir;
    std::string used;
    HInfoSysMgrSeisan seisan;
    HInfoSysMgrTyousei tyousei;
    HInfoSysMgrHiritu hiritu;
    for (auto [manager, file] : {std::pair<HInfoSysMgrCore*, const char*>{&seisan, kDefSeisanFile},
                                 {&tyousei, kDefTyouseiFile},
                                 {&hiritu, kDefKoumokuFile}}) {
        EXPECT_EQ(manager->LoadDefaults({dir.Path().string(), ""}, file, &used), 1);
        EXPECT_EQ(used, dir / file);
        const std::string written = FileBytes(dir / file);
        ASSERT_FALSE(written.empty()) << file;
        EXPECT_EQ(written, FileBytes(GoldenPath(file))) << file;
    }
    EXPECT_EQ(dir.Count(), 3);  // no temporary file left behind

    const auto& rows = seisan.Defaults();
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0].name, "平均");
    EXPECT_EQ(rows[0].values, (std::array<int32_t, 6>{2380, 1344, 970, 390, 257, 165}));
    EXPECT_EQ(rows[2].name, "ＭＩＳ(経営情報システム)");
    EXPECT_EQ(rows[6].values, (std::array<int32_t, 6>{444, 286, 222, 175, 130, 90}));
    EXPECT_TRUE(rows[6].info.empty());

    const auto& factors = tyousei.Defaults();
    ASSERT_EQ(factors.size(), 14u);
    EXPECT_EQ(factors.front().name, "データ通信");
    EXPECT_EQ(factors.back().name, "変更");
    for (const HInfoTyousei& f : factors) {
        EXPECT_EQ(f.degree, 3) << f.name;
    }

    ASSERT_EQ(hiritu.DefaultItemNames().size(), 25u);
    EXPECT_EQ(hiritu.DefaultItemNames()[8], "再利用可能なプログラムの取得");
    const auto& ratios = hiritu.Defaults();
    ASSERT_EQ(ratios.size(), 6u);
    EXPECT_EQ(ratios[5].name, "軍需");
    for (const HInfoHiritu& row : ratios) {
        int sum = 0;
        for (int32_t r : row.ratios) {
            sum += r;
        }
        EXPECT_EQ(sum, 10000) << row.name;
    }
    EXPECT_EQ(ratios[0].ratios[7], 3500);
    EXPECT_EQ(ratios[0].ratios[0], 0);  // a blank field
}

// A default file written again goes through the one safe writer: a link stays a link to
// the file it names, even a dangling one, and the file keeps its permissions.
TEST(DefaultFiles, WritingFollowsLinksAndKeepsPermissions) {
    TempDir dir;
    const std::string target = dir / "shared.ini";
    std::ofstream(target) << "old";
    std::filesystem::permissions(target, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_read);
    std::filesystem::create_symlink(target, dir / kDefSeisanFile);
    ASSERT_EQ(systable::WriteTextFile(dir / kDefSeisanFile, "行\r\n"), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / kDefSeisanFile));
    EXPECT_EQ(FileBytes(target), ToCp932("行\r\n"));
    EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(dir.Count(), 2);

    // A dangling link gets the missing default file written where it points.
    fs::create_directory(dir / "tables");
    fs::create_symlink("tables/tyousei.ini", dir / kDefTyouseiFile);
    HInfoSysMgrTyousei tyousei;
    tyousei.LoadDefaults({dir.Path().string(), ""}, kDefTyouseiFile);
    EXPECT_TRUE(fs::is_symlink(dir / kDefTyouseiFile));
    EXPECT_EQ(FileBytes(dir / "tables/tyousei.ini"), ToCp932(BuiltinTyouseiText()));
}

TEST(DefaultFiles, AnExistingFileIsReadAndKept) {
    TempDir dir;
    const std::string text =
        "[SEISAN]\r\n000= 100 ,\t200, , 400,500,600 , 自社 標準 \r\n001=<End>\r\n"
        "002=1,1,1,1,1,1,消える行\r\n";
    WriteCp932(dir / kDefSeisanFile, text);
    HInfoSysMgrSeisan seisan;
    seisan.LoadDefaults({dir.Path().string(), ""}, kDefSeisanFile);
    ASSERT_EQ(seisan.Defaults().size(), 1u);
    EXPECT_EQ(seisan.Defaults()[0].name, "自社 標準");
    EXPECT_EQ(seisan.Defaults()[0].values, (std::array<int32_t, 6>{100, 200, 0, 400, 500, 600}));
    EXPECT_EQ(FileBytes(dir / kDefSeisanFile), ToCp932(text));

    // Without the marker the section is read to its last key.
    WriteCp932(dir / kDefTyouseiFile, "[TYOUSEI]\n000=5,A\n001=1,B\n");
    HInfoSysMgrTyousei tyousei;
    tyousei.LoadDefaults({dir.Path().string(), ""}, kDefTyouseiFile);
    ASSERT_EQ(tyousei.Defaults().size(), 2u);
    EXPECT_EQ(tyousei.Defaults()[1].degree, 1);
}

TEST(DefaultFiles, ItemNamesOtherThanTwentyFiveGiveNoRatioRows) {
    TempDir dir;
    const std::string text =
        "[KOUMOKU_NAME]\r\n000=\t要求定義 \r\n001=<End>\r\n[KOUMOKU_DATA]\r\n000=1,行\r\n";
    WriteCp932(dir / kDefKoumokuFile, text);
    HInfoSysMgrHiritu hiritu;
    hiritu.LoadDefaults({dir.Path().string(), ""}, kDefKoumokuFile);
    EXPECT_EQ(hiritu.DefaultItemNames(), std::vector<std::string>{"要求定義"});
    EXPECT_TRUE(hiritu.Defaults().empty());
}

TEST(DefaultFiles, UnwritableFolderFallsBackThenUsesTheBuiltInText) {
    TempDir dir;
    // A plain file where the folder should be: nothing can be created inside it.
    WriteCp932(dir / "blocked", "x");
    const std::string blocked = dir / "blocked";
    std::string used;
    HInfoSysMgrSeisan seisan;
    seisan.LoadDefaults({blocked, (dir.Path() / "config" / "zarvik").string()}, kDefSeisanFile,
                        &used);
    EXPECT_EQ(used, (dir.Path() / "config" / "zarvik" / kDefSeisanFile).string());
    EXPECT_EQ(FileBytes(used), FileBytes(GoldenPath(kDefSeisanFile)));

    seisan.LoadDefaults({blocked, blocked + "/sub"}, kDefSeisanFile, &used);
    EXPECT_TRUE(used.empty());
    EXPECT_EQ(seisan.Defaults().size(), 7u);
    EXPECT_FALSE(fs::exists(blocked + "/sub"));
}

TEST(DefaultFiles, LanguageRatiosComeFromTheBuiltInText) {
    HInfoSysMgrLang lang;
    lang.LoadDefaults({}, "");
    lang.ResetToDefaults();
    ASSERT_EQ(lang.rows.size(), 1u);
    EXPECT_EQ(lang.rows[0].name, "平均");
    EXPECT_EQ(lang.rows[0].ratio, 10000);
}

class TableTest : public ::testing::Test {
protected:
    void SetUp() override { LoadBuiltInDefaults(seisan, tyousei, hiritu); }
    HInfoIniFile store;
    HIniFile ini{store, 0};
    HInfoSysMgrSeisan seisan;
    HInfoSysMgrTyousei tyousei;
    HInfoSysMgrHiritu hiritu;
};

TEST_F(TableTest, ProductivityBandEdges) {
    seisan.ResetToDefaults();
    const std::pair<int32_t, int32_t> cases[] = {
        {INT_MIN, 2380}, {-5, 2380},   {0, 2380},     {9, 2380},     {10, 1344},
        {99, 1344},      {100, 970},   {999, 970},    {1000, 390},   {9999, 390},
        {10000, 257},    {99999, 257}, {100000, 165}, {INT_MAX, 165}};
    for (auto [ufp, expected] : cases) {
        EXPECT_EQ(seisan.GetProductivityX100(ufp), expected) << ufp;
    }
    seisan.Bunya = 6;
    EXPECT_EQ(seisan.GetProductivityX100(50), 286);
}

TEST_F(TableTest, TypedProductivityAndRowOutOfRange) {
    seisan.ResetToDefaults();
    seisan.SeisanManual = 1;
    seisan.FpSeisanManual = 1500;
    for (int32_t ufp : {0, 9, 500, 100000}) {
        EXPECT_EQ(seisan.GetProductivityX100(ufp), 1500);
    }
    for (int32_t bunya : {-1, 7}) {
        seisan.Bunya = bunya;
        EXPECT_EQ(seisan.GetProductivityX100(10), 0) << bunya;
    }
}

TEST_F(TableTest, TablesSurviveAFileRoundTrip) {
    TempDir dir;
    seisan.ResetToDefaults();
    seisan.rows[1].values[3] = 1234;
    seisan.rows[1].info = "社内実績";
    seisan.Bunya = 1;
    seisan.FpSeisanManual = 777;
    tyousei.ResetToDefaults();
    tyousei.rows.pop_back();
    tyousei.rows[0].degree = 5;
    tyousei.SelectTyouseiType = 2;
    tyousei.FpTyouseiManual = 93;
    hiritu.ResetToDefaults();
    hiritu.rows[2].ratios[24] = 1;
    hiritu.itemNames[0] = "要件定義";
    hiritu.SelectHirituType = 3;
    seisan.Save(ini, "RULE");
    tyousei.Save(ini, "RULE");
    hiritu.Save(ini, "RULE");
    ASSERT_EQ(store.Write(dir / "rule.ini"), 1);

    HInfoIniFile readStore;
    ASSERT_EQ(readStore.Read(dir / "rule.ini"), 1);
    HIniFile readIni(readStore, 0);
    HInfoSysMgrSeisan seisan2;
    HInfoSysMgrTyousei tyousei2;
    HInfoSysMgrHiritu hiritu2;
    LoadBuiltInDefaults(seisan2, tyousei2, hiritu2);
    seisan2.Load(readIni, "RULE");
    tyousei2.Load(readIni, "RULE");
    hiritu2.Load(readIni, "RULE");
    EXPECT_EQ(seisan2.rows.size(), 7u);
    EXPECT_EQ(seisan2.GetValue(1, 3), 1234);
    EXPECT_EQ(seisan2.rows[1].info, "社内実績");
    EXPECT_EQ(seisan2.Bunya, 1);
    EXPECT_EQ(seisan2.FpSeisanManual, 777);
    EXPECT_EQ(tyousei2.rows.size(), 13u);
    EXPECT_EQ(tyousei2.GetTdi(), 41);
    EXPECT_EQ(tyousei2.GetVafX100(), 93);
    EXPECT_EQ(hiritu2.GetValue(2, 24), 1);
    EXPECT_EQ(hiritu2.itemNames.size(), 25u);
    EXPECT_EQ(hiritu2.itemNames[0], "要件定義");
    EXPECT_EQ(hiritu2.SelectHirituType, 3);
    EXPECT_EQ(seisan2.DiffersFromDefault(1, 3), 1);
    EXPECT_EQ(seisan2.DiffersFromDefault(1, 2), 0);
    EXPECT_EQ(hiritu2.DiffersFromDefault(2, 24), 1);
}

TEST_F(TableTest, CountKeysZeroAndMissing) {
    seisan.Load(ini, "RULE");  // no count key: the defaults
    EXPECT_EQ(seisan.rows.size(), 7u);
    EXPECT_EQ(seisan.GetProductivityX100(0), 2380);

    ini.SetString("RULE", "SEISAN_MAP_CNT", "0");
    ini.SetString("RULE", "TYOUSEI_MAP_CNT", "0");
    ini.SetString("RULE", "HIRITU_MAP_CNT", "0");
    seisan.Load(ini, "RULE");
    EXPECT_TRUE(seisan.rows.empty());
    EXPECT_EQ(seisan.GetProductivityX100(0), 0);

    tyousei.Load(ini, "RULE");
    EXPECT_EQ(tyousei.rows.size(), 14u);
    hiritu.Load(ini, "RULE");
    EXPECT_EQ(hiritu.rows.size(), 6u);
}

TEST_F(TableTest, DamagedRowsReadWhatIsThere) {
    ini.SetString("RULE", "SEISAN_MAP_CNT", "2000000000");
    ini.SetString("RULE", "SEISAN_MAP_000_000", "11");
    ini.SetString("RULE", "SEISAN_MAP_000_001", "22");
    ini.SetString("RULE", "SEISAN_MAP_000_003", "44");  // after a gap: not read
    ini.SetString("RULE", "TYOUSEI_MAP_CNT", "2000000000");
    seisan.Load(ini, "RULE");
    // Bounded by the keys the section holds, not the count it claims.
    EXPECT_LE(seisan.rows.size(), static_cast<std::size_t>(store.GetKeyCount("RULE")));
    EXPECT_EQ(seisan.rows[0].values, (std::array<int32_t, 6>{11, 22, 0, 0, 0, 0}));
    tyousei.Load(ini, "RULE");
    EXPECT_LE(tyousei.rows.size(), static_cast<std::size_t>(store.GetKeyCount("RULE")));
}

TEST_F(TableTest, NegativeRowCountGivesTheSameTablesAfterASave) {
    HInfoSysMgrLang lang;
    lang.LoadDefaults({}, "");
    for (const char* key : {"TYOUSEI_MAP_CNT", "HIRITU_MAP_CNT", "LANGHIRITU_MAP_CNT"}) {
        ini.SetString("RULE", key, "-1");
    }
    ini.SetString("RULE", "SelectTyouseiType", "1");
    tyousei.Load(ini, "RULE");
    hiritu.Load(ini, "RULE");
    lang.Load(ini, "RULE");
    const int32_t vaf = tyousei.GetVafX100();
    EXPECT_EQ(vaf, 107);

    HInfoIniFile savedStore;
    HIniFile saved(savedStore, 0);
    tyousei.Save(saved, "RULE");
    hiritu.Save(saved, "RULE");
    lang.Save(saved, "RULE");
    HInfoSysMgrTyousei tyousei2;
    HInfoSysMgrHiritu hiritu2;
    HInfoSysMgrLang lang2;
    tyousei2.Load(saved, "RULE");
    hiritu2.Load(saved, "RULE");
    lang2.Load(saved, "RULE");
    EXPECT_EQ(tyousei2.GetVafX100(), vaf);
    EXPECT_EQ(hiritu2.rows.size(), hiritu.rows.size());
    EXPECT_EQ(hiritu2.GetValue(5, 24), hiritu.GetValue(5, 24));
    ASSERT_EQ(lang2.rows.size(), 1u);
    EXPECT_EQ(lang2.rows[0].ratio, lang.rows[0].ratio);
}

TEST_F(TableTest, MissingItemNamesLeaveAnEmptyList) {
    hiritu.ResetToDefaults();
    ini.SetString("RULE", "HIRITU_MAP_NAME_000", "要件定義");
    ini.SetString("RULE", "HIRITU_MAP_NAME_001", "設計");
    ini.SetString("RULE", "HIRITU_MAP_NAME_003", "試験");  // after a gap: not read
    hiritu.Load(ini, "RULE");
    EXPECT_EQ(hiritu.itemNames, (std::vector<std::string>{"要件定義", "設計"}));

    HInfoIniFile otherStore;
    hiritu.Load(HIniFile(otherStore, 0), "RULE");
    EXPECT_TRUE(hiritu.itemNames.empty());
}

TEST_F(TableTest, TdiAndVaf) {
    EXPECT_EQ(tyousei.GetTdi(), 0);
    tyousei.ResetToDefaults();
    EXPECT_EQ(tyousei.GetTdi(), 42);
    const std::pair<int32_t, int32_t> byType[] = {{0, 0}, {1, 107}, {2, 100}, {3, 0}, {-1, 0}};
    for (auto [type, vaf] : byType) {
        tyousei.SelectTyouseiType = type;
        EXPECT_EQ(tyousei.GetVafX100(), vaf) << type;
    }
    tyousei.SelectTyouseiType = 2;
    tyousei.FpTyouseiManual = 0;
    EXPECT_EQ(tyousei.GetVafX100(), 0);
    tyousei.rows.assign(3, HInfoTyousei{});
    for (auto& row : tyousei.rows) {
        row.degree = INT_MAX;
    }
    tyousei.SelectTyouseiType = 1;
    EXPECT_EQ(tyousei.GetTdi(), INT_MAX);
    EXPECT_EQ(tyousei.GetVafX100(), INT_MAX);
}

TEST_F(TableTest, DifferenceOutsideTheTablesIsNone) {
    seisan.ResetToDefaults();
    seisan.rows.push_back(HInfoSeisan{});
    seisan.rows.back().values[0] = 5;
    for (auto [row, band] : {std::pair{7, 0}, {-1, 0}, {0, 6}, {0, -1}, {100, 100}}) {
        EXPECT_EQ(seisan.DiffersFromDefault(row, band), 0) << row << "," << band;
        if (row != 7) {
            EXPECT_EQ(seisan.GetValue(row, band), 0);
        }
    }
}

}  // namespace
}  // namespace zarvik
