#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/fp/fp_rating.h"
#include "core/fp/info_col.h"
#include "core/fp/info_file.h"
#include "core/fp/info_task.h"
#include "core/store/ini_file.h"
#include "core/store/ini_store.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

std::unique_ptr<HInfoFile> MakeFile(int32_t type, std::initializer_list<const char*> dets,
                                    int retCount = 0) {
    auto file = std::make_unique<HInfoFile>();
    file->typeCode = type;
    for (const char* det : dets) {
        file->detList.push_back(HInfoCol{file.get(), det, std::string(det) + " の備考", 0});
    }
    for (int i = 0; i < retCount; ++i) {
        file->retList.push_back(HInfoCol{file.get(), Format("RET%d", i), "", 0});
    }
    return file;
}

std::unique_ptr<HInfoFile> MakeFileWithDets(int32_t type, int detCount, int retCount) {
    auto file = MakeFile(type, {}, retCount);
    for (int i = 0; i < detCount; ++i) {
        file->detList.push_back(HInfoCol{file.get(), Format("DET%d", i), "", 0});
    }
    return file;
}

// A data function whose DET count is typed as a number.
std::unique_ptr<HInfoFile> MakeFixedFile(int32_t type, int32_t userDet) {
    auto file = MakeFile(type, {"listed but not counted"});
    file->AutoDET = 0;
    file->UserDET = userDet;
    return file;
}

std::vector<std::string> Names(const std::vector<HInfoCol>& list) {
    std::vector<std::string> names;
    for (const HInfoCol& entry : list) {
        names.push_back(entry.name);
    }
    return names;
}

using Entry = std::tuple<const HInfoFile*, std::string, std::string, int32_t>;

std::vector<Entry> Entries(const std::vector<HInfoCol>& list) {
    std::vector<Entry> entries;
    for (const HInfoCol& e : list) {
        entries.emplace_back(e.owner, e.name, e.info, e.placeholder);
    }
    return entries;
}

class FpTask : public ::testing::Test {};

// ---------------------------------------------------------------------------------------
// Data function value

// Settings 0, 1 and 3 and unknown settings, on a record whose counts would rate high.
template <class Record>
void CheckSettingsBesideTheMatrix(Record& record, int32_t estimated, int32_t low, int32_t high) {
    record.FpLevel = kLevelHigh;
    record.FpUser = 99;
    record.SelectFpSumType = kSumEstimated;
    EXPECT_EQ(record.GetFp(), estimated);
    record.SelectFpSumType = kSumUserLevel;
    EXPECT_EQ(record.GetFp(), high);
    record.FpLevel = kLevelLow;
    EXPECT_EQ(record.GetFp(), low);
    for (int32_t level : {-1, 3}) {
        record.FpLevel = level;
        EXPECT_EQ(record.GetFp(), 0) << "level " << level;
    }
    record.SelectFpSumType = kSumUserFp;
    for (int32_t value : {0, 13, -2, 8}) {
        record.FpUser = value;
        EXPECT_EQ(record.GetFp(), value);
    }
    for (int32_t setting : {-1, 4}) {
        record.SelectFpSumType = setting;
        EXPECT_EQ(record.GetFp(), 0) << "setting " << setting;
    }
}

TEST(FpFile, SettingsBesideTheMatrix) {
    for (auto [type, low, high] : {std::tuple{kFpTypeILF, 7, 15}, std::tuple{kFpTypeEIF, 5, 10}}) {
        SCOPED_TRACE(type);
        auto file = MakeFileWithDets(type, 60, 8);
        CheckSettingsBesideTheMatrix(*file, low, low, high);
    }
}

TEST(FpFile, AutomaticRatesByTheCounts) {
    struct Case {
        const char* what;
        int32_t type;
        int dets, rets;
        int32_t autoDet, userDet, autoRet, userRet;
        int32_t cell, fp;
    };
    const Case cases[] = {
        {"empty RET list rates like one RET", kFpTypeILF, 10, 0, 1, 0, 1, 0, 11, 7},
        {"one RET", kFpTypeILF, 10, 1, 1, 0, 1, 0, 11, 7},
        {"six RETs", kFpTypeILF, 10, 6, 1, 0, 1, 0, 13, 10},
        {"typed DET count beats the list", kFpTypeILF, 10, 0, 0, 51, 1, 0, 31, 10},
        {"typed DET count below the list", kFpTypeILF, 60, 0, 0, 19, 1, 0, 11, 7},
        {"any AutoDET but 1 types the count", kFpTypeILF, 0, 0, 2, 51, 1, 0, 31, 10},
        {"typed RET count", kFpTypeILF, 20, 0, 1, 99, 0, 6, 23, 15},
        {"typed RET count below the list", kFpTypeEIF, 51, 9, 1, 0, 0, 1, 31, 7},
        {"EIF high", kFpTypeEIF, 51, 6, 1, 0, 1, 0, 33, 10},
        {"EIF average", kFpTypeEIF, 20, 2, 1, 0, 1, 0, 22, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto file = MakeFileWithDets(c.type, c.dets, c.rets);
        file->SelectFpSumType = kSumAutomatic;
        file->AutoDET = c.autoDet;
        file->UserDET = c.userDet;
        file->AutoRET = c.autoRet;
        file->UserRET = c.userRet;
        int32_t cell = 0;
        file->GetLevel(&cell);
        EXPECT_EQ(cell, c.cell);
        EXPECT_EQ(file->GetFp(), c.fp);
    }
}

// ---------------------------------------------------------------------------------------
// Transaction value

TEST_F(FpTask, SettingsBesideTheMatrix) {
    auto big = MakeFileWithDets(kFpTypeILF, 30, 0);
    for (auto [type, estimated, low, high] :
         {std::tuple{kFpTypeEI, 4, 3, 6}, std::tuple{kFpTypeEO, 5, 4, 7},
          std::tuple{kFpTypeEQ, 4, 3, 6}}) {
        SCOPED_TRACE(type);
        HInfoTask task;
        task.typeCode = type;
        task.RebuildLinks({big.get(), big.get(), big.get(), big.get()});
        CheckSettingsBesideTheMatrix(task, estimated, low, high);
    }
}

TEST_F(FpTask, AutomaticRatesByTheGatheredCounts) {
    // An EI with 16 DETs and no FTR is average.
    auto sixteen = MakeFileWithDets(kFpTypeILF, 16, 0);
    HInfoTask input;
    input.SelectFpSumType = kSumAutomatic;
    input.RebuildLinks({sixteen.get()});
    input.AutoFTR = 0;
    int32_t cell = 0;
    EXPECT_EQ(input.GetLevel(&cell), kLevelAverage);
    EXPECT_EQ(cell, 31);
    EXPECT_EQ(input.GetFp(), 4);

    // An EQ with 20 DETs from two data functions is high.
    auto a = MakeFileWithDets(kFpTypeILF, 12, 0);
    auto b = MakeFileWithDets(kFpTypeEIF, 8, 0);
    HInfoTask inquiry;
    inquiry.typeCode = kFpTypeEQ;
    inquiry.SelectFpSumType = kSumAutomatic;
    inquiry.RebuildLinks({a.get(), b.get()});
    EXPECT_EQ(inquiry.GetDetCount(), 20);
    EXPECT_EQ(inquiry.GetFtrCount(), 2);
    EXPECT_EQ(inquiry.GetLevel(&cell), kLevelHigh);
    EXPECT_EQ(cell, 32);
    EXPECT_EQ(inquiry.GetFp(), 6);

    // Same names shrink the count that the matrix sees.
    auto c = MakeFile(kFpTypeILF, {"x", "x", "x"});
    HInfoTask output;
    output.typeCode = kFpTypeEO;
    output.SelectFpSumType = kSumAutomatic;
    output.RebuildLinks({c.get(), c.get()});
    EXPECT_EQ(output.GetFp(), 5);  // 6 DETs, 2 FTRs: cell 22
    output.checkDetSameName = 1;
    EXPECT_EQ(output.GetFp(), 4);  // 1 DET: cell 12
}

TEST_F(FpTask, TypedCountsReplaceTheGatheredOnes) {
    auto file = MakeFile(kFpTypeILF, {"a", "b", "c"});
    HInfoTask task;
    task.SelectFpSumType = kSumAutomatic;
    task.RebuildLinks({file.get()});
    task.UserDET = 16;
    task.UserFTR = 2;
    EXPECT_EQ(task.GetFp(), 3);  // 3 DETs, 1 FTR

    task.AutoDET = 0;
    EXPECT_EQ(task.GetDetCount(), 16);
    EXPECT_EQ(task.GetFtrCount(), 1);
    EXPECT_EQ(task.GetFp(), 4);  // cell 31

    task.AutoFTR = 0;
    EXPECT_EQ(task.GetFtrCount(), 2);
    int32_t cell = 0;
    task.GetLevel(&cell);
    EXPECT_EQ(cell, 32);
    EXPECT_EQ(task.GetFp(), 6);

    task.AutoDET = 1;
    EXPECT_EQ(task.GetFp(), 3);  // 3 DETs, 2 FTRs: cell 12

    // Any value but 1 means the count is typed; the same-name rule does not touch it.
    task.AutoDET = 2;
    task.UserDET = 5;
    task.UserFTR = 0;
    task.checkDetSameName = 1;
    EXPECT_EQ(task.GetDetCount(), 5);
    EXPECT_EQ(task.GetFp(), 3);  // cell 21
    task.AutoFTR = 2;
    EXPECT_EQ(task.GetFtrCount(), 0);
    task.AutoFTR = 1;
    EXPECT_EQ(task.GetFtrCount(), 1);
}

// ---------------------------------------------------------------------------------------
// Gathering DETs and FTRs

TEST_F(FpTask, LinkCopiesTheDataFunctionsDets) {
    auto a = MakeFile(kFpTypeILF, {"顧客ID", "氏名"});
    auto b = MakeFile(kFpTypeEIF, {"住所"});
    a->detList[1].placeholder = 1;  // only the link decides what is a placeholder
    a->detList[0].owner = nullptr;  // nor does the entry's owner carry over
    HInfoTask task;
    task.RebuildLinks({a.get(), b.get()});

    EXPECT_EQ(Entries(task.ListDets()), (std::vector<Entry>{{a.get(), "顧客ID", "顧客ID の備考", 0},
                                                            {a.get(), "氏名", "氏名 の備考", 0},
                                                            {b.get(), "住所", "住所 の備考", 0}}));
    EXPECT_EQ(task.ftrList, (std::vector<HInfoFile*>{a.get(), b.get()}));
    EXPECT_EQ(task.linkedIlfCount, 1);
    EXPECT_EQ(task.linkedEifCount, 1);
    EXPECT_EQ(task.GetDetCount(), 3);
    EXPECT_EQ(task.GetFtrCount(), 2);
    // The source lists are left as they were.
    EXPECT_EQ(a->detList.size(), 2u);
    EXPECT_EQ(a->detList[1].placeholder, 1);
}

TEST_F(FpTask, TypedDetCountGivesPlaceholders) {
    auto fixed = MakeFixedFile(kFpTypeILF, 3);
    HInfoTask task;
    task.AddLinkedFile(*fixed);

    EXPECT_EQ(Entries(task.ListDets()),
              (std::vector<Entry>{{fixed.get(), "<固定 1/3>", "<自動追加>", 1},
                                  {fixed.get(), "<固定 2/3>", "<自動追加>", 1},
                                  {fixed.get(), "<固定 3/3>", "<自動追加>", 1}}));
    EXPECT_EQ(task.GetDetCount(), 3);
    EXPECT_EQ(task.ftrList, (std::vector<HInfoFile*>{fixed.get()}));

    // A typed count of 0 or below gives no entries.
    for (int32_t n : {0, -5}) {
        auto none = MakeFixedFile(kFpTypeEIF, n);
        HInfoTask other;
        other.AddLinkedFile(*none);
        EXPECT_TRUE(other.ListDets().empty()) << n;
        EXPECT_EQ(other.GetDetCount(), 0) << n;
        EXPECT_EQ(other.GetFtrCount(), 1) << n;
        EXPECT_EQ(other.linkedEifCount, 1) << n;
    }
}

TEST_F(FpTask, SameNameCheck) {
    struct Case {
        const char* what;
        std::vector<std::vector<const char*>> files;  // DET names; "#n" is a typed count n
        int32_t countOff, countOn;
    };
    const Case cases[] = {
        {"a name shared by two files", {{"ID", "名前"}, {"ID", "日付"}}, 4, 3},
        {"a name repeated in one file", {{"ID", "ID", "ID"}}, 3, 1},
        {"byte-exact comparison", {{"ID", "id", "ＩＤ", "ID "}}, 4, 4},
        {"placeholders of two files are never merged", {{"#3"}, {"#3"}}, 6, 6},
        {"a real DET named like a placeholder", {{"<固定 1/2>"}, {"#2"}}, 3, 3},
        {"mixed", {{"A", "B"}, {"#2"}, {"B", "A", "C"}}, 7, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::unique_ptr<HInfoFile>> files;
        std::vector<HInfoFile*> links;
        for (const auto& names : c.files) {
            if (names.size() == 1 && names[0][0] == '#') {
                files.push_back(MakeFixedFile(kFpTypeILF, std::stoi(names[0] + 1)));
            } else {
                files.push_back(MakeFile(kFpTypeILF, {}));
                for (const char* name : names) {
                    files.back()->detList.push_back(HInfoCol{files.back().get(), name, "", 0});
                }
            }
            links.push_back(files.back().get());
        }
        HInfoTask task;
        task.RebuildLinks(links);
        EXPECT_EQ(task.CountListDets(0), c.countOff);
        EXPECT_EQ(task.CountListDets(1), c.countOn);
        task.checkDetSameName = 0;
        EXPECT_EQ(task.GetDetCount(), c.countOff);
        task.checkDetSameName = 1;
        EXPECT_EQ(task.GetDetCount(), c.countOn);
    }
}

TEST_F(FpTask, EveryLineCounts) {
    auto ilf = MakeFile(kFpTypeILF, {"a", "b"});
    auto eif = MakeFile(kFpTypeEIF, {"c"});
    auto odd = MakeFile(0, {"d"});  // neither type: still an FTR, in neither count
    HInfoTask task;
    task.RebuildLinks({ilf.get(), eif.get(), ilf.get(), eif.get(), odd.get()});

    EXPECT_EQ(Names(task.ListDets()),
              (std::vector<std::string>{"a", "b", "c", "a", "b", "c", "d"}));
    EXPECT_EQ(task.GetFtrCount(), 5);
    EXPECT_EQ(task.linkedIlfCount, 2);
    EXPECT_EQ(task.linkedEifCount, 2);
    EXPECT_EQ(task.GetDetCount(), 7);
    task.checkDetSameName = 1;
    EXPECT_EQ(task.GetDetCount(), 4);

    // A rebuild starts from nothing.
    task.RebuildLinks({eif.get()});
    EXPECT_EQ(Names(task.ListDets()), (std::vector<std::string>{"c"}));
    EXPECT_EQ(task.ftrList, (std::vector<HInfoFile*>{eif.get()}));
    EXPECT_EQ(task.linkedIlfCount, 0);
    EXPECT_EQ(task.linkedEifCount, 1);

    task.ClearLinks();
    EXPECT_TRUE(task.ListDets().empty());
    EXPECT_TRUE(task.ftrList.empty());
    EXPECT_EQ(task.linkedIlfCount, 0);
    EXPECT_EQ(task.linkedEifCount, 0);
    EXPECT_EQ(task.GetDetCount(), 0);
}

// A typed count stays a number however many lines join its data function: nothing is
// built per placeholder, so a count of two billion on many lines costs no memory.
TEST_F(FpTask, RelationLinesDoNotMultiplyPlaceholderDets) {
    const int32_t n = 2000000000;
    auto huge = MakeFixedFile(kFpTypeILF, n);
    auto small = MakeFile(kFpTypeEIF, {"ID"});
    HInfoTask task;
    task.SelectFpSumType = kSumAutomatic;
    task.RebuildLinks({huge.get(), small.get()});

    EXPECT_EQ(task.GetDetCount(), n + 1);
    task.checkDetSameName = 1;
    EXPECT_EQ(task.GetDetCount(), n + 1);
    EXPECT_EQ(task.GetFp(), 6);  // EI, cell 32
    const std::vector<HInfoCol> shown = task.ListDets(3);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown.front().name, "<固定 1/2000000000>");
    EXPECT_EQ(shown.back().name, "<固定 3/2000000000>");

    // Many such links exceed the integer range: the count stops at its top.
    task.RebuildLinks(std::vector<HInfoFile*>(100000, huge.get()));
    EXPECT_EQ(task.GetDetCount(), INT32_MAX);
    EXPECT_EQ(task.GetFp(), 6);
}

TEST_F(FpTask, UnlinkForgetsOneDataFunction) {
    auto a = MakeFile(kFpTypeILF, {"a1", "a2"});
    auto b = MakeFile(kFpTypeEIF, {"b1", "b2"});
    auto fixed = MakeFixedFile(kFpTypeILF, 2);
    auto stranger = MakeFile(kFpTypeILF, {"s"});
    HInfoTask task;
    task.RebuildLinks({a.get(), b.get(), fixed.get(), a.get()});

    task.UnlinkFile(stranger.get());
    EXPECT_EQ(task.ListDets().size(), 8u);
    EXPECT_EQ(task.ftrList.size(), 4u);

    task.UnlinkFile(a.get());
    EXPECT_EQ(Names(task.ListDets()),
              (std::vector<std::string>{"b1", "b2", "<固定 1/2>", "<固定 2/2>"}));
    EXPECT_EQ(task.ftrList, (std::vector<HInfoFile*>{b.get(), fixed.get()}));
    EXPECT_EQ(task.GetDetCount(), 4);

    task.UnlinkFile(fixed.get());
    EXPECT_EQ(Names(task.ListDets()), (std::vector<std::string>{"b1", "b2"}));
    EXPECT_EQ(task.ftrList, (std::vector<HInfoFile*>{b.get()}));
}

// ---------------------------------------------------------------------------------------
// Storing and copying

std::vector<int32_t> Fields(const HInfoFile& f) {
    return {f.typeCode, f.SelectFpSumType, f.FpLevel, f.FpUser,
            f.AutoDET,  f.AutoRET,         f.UserDET, f.UserRET};
}

std::vector<int32_t> Fields(const HInfoTask& t) {
    return {t.typeCode, t.SelectFpSumType, t.FpLevel, t.FpUser,
            t.AutoDET,  t.AutoFTR,         t.UserDET, t.UserFTR};
}

// The entries of list as they read back into, or copy into, the record owner.
std::vector<Entry> OwnedBy(const HInfoFile* owner, const std::vector<HInfoCol>& list) {
    std::vector<Entry> entries = Entries(list);
    for (Entry& e : entries) {
        std::get<0>(e) = owner;
    }
    return entries;
}

void FillDataFunction(HInfoFile& file) {
    file.name = "受注ファイル\\n(月次)";
    file.typeCode = kFpTypeEIF;
    file.SelectFpSumType = kSumAutomatic;
    file.FpLevel = kLevelHigh;
    file.FpUser = 13;
    file.AutoDET = 0;
    file.AutoRET = 2;
    file.UserDET = 51;
    file.UserRET = -2;
    file.detList = {{&file, "受注番号", "主キー\\n必須", 0},
                    {&file, "顧客ＩＤ", "", 0},
                    {&file, "ﾒﾓ", "半角ｶﾅ, カンマ=等号", 0}};
    file.retList = {{&file, "明細", "繰り返し", 0}};
}

TEST(FpStore, DataFunctionRoundTrip) {
    HInfoFile file;
    FillDataFunction(file);
    HInfoIniFile store;
    HIniFile out(store, 0);
    EXPECT_EQ(file.Save(out, "FILE_007"), 1);
    const auto value = [&](const char* key) {
        const auto found = store.FindValue("FILE_007", key);
        return found ? std::string(*found) : std::string("<missing>");
    };
    const std::pair<const char*, const char*> keys[] = {
        {"FpType", "201"},
        {"UserRET", "-2"},
        {"DETLIST_NAME_000", "受注番号"},
        {"DETLIST_INFO_000", "主キー\\n必須"},
        {"DETLIST_INFO_001", ""},
        {"DETLIST_NAME_002", "ﾒﾓ"},
        {"DETLIST_NAME_003", "<missing>"},
        {"RETLIST_NAME_000", "明細"},
        {"RETLIST_INFO_000", "繰り返し"},
        {"RETLIST_NAME_001", "<missing>"},
    };
    for (const auto& [key, expected] : keys) {
        EXPECT_EQ(value(key), expected) << key;
    }

    // Through the file's bytes, so the names pass the code page as well.
    HInfoIniFile reread;
    reread.ReadBytes(store.ToBytes());
    HIniFile in(reread, 0);
    HInfoFile loaded;
    loaded.detList = {{&loaded, "stale", "", 0}};
    EXPECT_EQ(loaded.Load(in, "FILE_007"), 1);
    EXPECT_EQ(loaded.name, file.name);
    EXPECT_EQ(Fields(loaded), Fields(file));
    EXPECT_EQ(Entries(loaded.detList), OwnedBy(&loaded, file.detList));
    EXPECT_EQ(Entries(loaded.retList), OwnedBy(&loaded, file.retList));
}

TEST(FpStore, ListReadingStops) {
    struct Case {
        const char* what;
        std::vector<const char*> names;  // nullptr: the key is missing
        std::size_t expected;
    };
    const Case cases[] = {
        {"at an empty name", {"a", "b", "", "d"}, 2},
        {"at a missing name", {"a", nullptr, "c"}, 1},
        {"at once", {"", "b"}, 0},
        {"at once, missing", {nullptr, "b"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HInfoIniFile store;
        HIniFile ini(store, 0);
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            if (c.names[i] != nullptr) {
                ini.SetString("S", Format("DETLIST_NAME_%03zu", i), c.names[i]);
                ini.SetString("S", Format("DETLIST_INFO_%03zu", i), "note");
            }
        }
        const std::vector<HInfoCol> list = LoadColList(ini, "S", "DETLIST", nullptr);
        ASSERT_EQ(list.size(), c.expected);
        for (std::size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(list[i].name, c.names[i]);
            EXPECT_EQ(list[i].info, "note");
        }
    }
}

TEST(FpStore, ListReadingLimitAndMissingNotes) {
    HInfoIniFile store;
    HIniFile ini(store, 0);
    for (int i = 0; i < kMaxListEntries + 5; ++i) {
        ini.SetString("S", Format("RETLIST_NAME_%03d", i), Format("項目%d", i));
    }
    HInfoFile owner;
    const std::vector<HInfoCol> list = LoadColList(ini, "S", "RETLIST", &owner);
    ASSERT_EQ(list.size(), static_cast<std::size_t>(kMaxListEntries));
    EXPECT_EQ(list.back().name, "項目999");
    for (const HInfoCol& entry : list) {
        ASSERT_EQ(entry.info, "");
        ASSERT_EQ(entry.owner, &owner);
        ASSERT_EQ(entry.placeholder, 0);
    }
}

TEST(FpStore, MissingKeysLoadAsZeroAndEmpty) {
    HInfoIniFile store;
    HIniFile ini(store, 0);
    ini.SetString("FILE_001", "Unrelated", "1");
    const std::vector<int32_t> zeros(8, 0);

    HInfoFile file;
    FillDataFunction(file);
    EXPECT_EQ(file.Load(ini, "FILE_001"), 1);
    EXPECT_EQ(file.name, "");
    EXPECT_EQ(Fields(file), zeros);
    EXPECT_TRUE(file.detList.empty());
    EXPECT_TRUE(file.retList.empty());

    HInfoTask task;
    EXPECT_EQ(task.Load(ini, "TASK_001"), 1);
    EXPECT_EQ(task.name, "");
    EXPECT_EQ(Fields(task), zeros);
}

void FillTask(HInfoTask& task) {
    task.name = "受注照会";
    task.typeCode = kFpTypeEQ;
    task.SelectFpSumType = kSumAutomatic;
    task.FpLevel = kLevelLow;
    task.FpUser = -2;
    task.AutoDET = 0;
    task.AutoFTR = 2;
    task.UserDET = 6;
    task.UserFTR = 4;
}

TEST_F(FpTask, StoresItsFieldsButNoList) {
    auto file = MakeFile(kFpTypeILF, {"a", "b"});
    HInfoTask task;
    FillTask(task);
    task.RebuildLinks({file.get()});

    HInfoIniFile store;
    HIniFile ini(store, 0);
    EXPECT_EQ(task.Save(ini, "TASK_003"), 1);
    const HInfoIniSection* section = store.FindSection("TASK_003");
    ASSERT_NE(section, nullptr);
    std::vector<std::string> keys;
    for (const auto& [key, value] : section->Entries()) {
        keys.emplace_back(key);
    }
    EXPECT_EQ(keys,
              (std::vector<std::string>{"Name", "FpType", "SelectFpSumType", "FpLevel", "FpUser",
                                        "AutoDET", "AutoFTR", "UserDET", "UserFTR"}));

    HInfoTask loaded;
    EXPECT_EQ(loaded.Load(ini, "TASK_003"), 1);
    EXPECT_EQ(loaded.name, "受注照会");
    EXPECT_EQ(Fields(loaded), Fields(task));
}

TEST(FpCopy, DataFunctionCopyIsCompleteAndIndependent) {
    HInfoFile source;
    FillDataFunction(source);
    source.typeLabel = "別の種別";

    HInfoFile copy;
    copy.retList = {{&copy, "stale", "", 0}, {&copy, "stale", "", 0}};
    copy.CopyFrom(source);
    EXPECT_EQ(copy.name, source.name);
    EXPECT_EQ(copy.typeLabel, "別の種別");
    EXPECT_EQ(Fields(copy), Fields(source));
    EXPECT_EQ(Entries(copy.detList), OwnedBy(&copy, source.detList));
    EXPECT_EQ(Entries(copy.retList), OwnedBy(&copy, source.retList));

    const std::vector<Entry> sourceDets = Entries(source.detList);
    const std::vector<int32_t> sourceFields = Fields(source);
    copy.detList[0].name = "変更";
    copy.detList.push_back({&copy, "追加", "", 0});
    copy.retList.clear();
    copy.UserDET = 99;
    EXPECT_EQ(Entries(source.detList), sourceDets);
    EXPECT_EQ(source.retList.size(), 1u);
    EXPECT_EQ(Fields(source), sourceFields);

    source.FpLevel = kLevelLow;
    source.detList.clear();
    EXPECT_EQ(copy.FpLevel, kLevelHigh);
    EXPECT_EQ(copy.detList.size(), 4u);
}

TEST_F(FpTask, CopyIsCompleteAndIndependent) {
    auto a = MakeFile(kFpTypeILF, {"a1"});
    auto b = MakeFile(kFpTypeEIF, {"b1"});
    auto huge = MakeFixedFile(kFpTypeILF, 1003);
    HInfoTask source;
    FillTask(source);
    source.typeLabel = "別の種別";
    source.RebuildLinks({a.get(), b.get(), huge.get()});

    HInfoTask copy;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.name, source.name);
    EXPECT_EQ(copy.typeLabel, "別の種別");
    EXPECT_EQ(Fields(copy), Fields(source));
    EXPECT_EQ(copy.linkedIlfCount, 2);
    EXPECT_EQ(copy.linkedEifCount, 1);
    EXPECT_EQ(copy.ftrList, source.ftrList);
    // The gathered entries still belong to the data functions they came from.
    EXPECT_EQ(Entries(copy.ListDets()), Entries(source.ListDets()));

    copy.UnlinkFile(huge.get());
    copy.UserDET = 1;
    EXPECT_EQ(source.ListDets().size(), 2u + 1003u);
    EXPECT_EQ(source.ftrList.size(), 3u);
    EXPECT_EQ(source.UserDET, 6);

    source.ClearLinks();
    EXPECT_EQ(Names(copy.ListDets()), (std::vector<std::string>{"a1", "b1"}));
    EXPECT_EQ(copy.ftrList, (std::vector<HInfoFile*>{a.get(), b.get()}));
}

}  // namespace
}  // namespace zarvik
