#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/store/file_io.h"
#include "core/store/ini_store.h"
#include "core/text/cp932.h"
#include "core/text/number_text.h"
#include "test_support.h"

namespace zarvik {
namespace {

namespace fs = std::filesystem;
using test_support::FileBytes;
using test_support::TempDir;

// The store in one line: "[name]key|value;key|value;[name]...".
std::string Dump(const HInfoIniFile& store) {
    std::string out;
    for (std::size_t i = 0; i < store.SectionCount(); ++i) {
        out += "[" + store.SectionAt(i).Name() + "]";
        for (const auto& [key, value] : store.SectionAt(i).Entries()) {
            out += std::string(key) + "|" + std::string(value) + ";";
        }
    }
    return out;
}

std::string Parsed(const std::string& bytes) {
    HInfoIniFile store;
    store.ReadBytes(bytes);
    return Dump(store);
}

TEST(IniRead, LinesAreClassifiedByTheirFirstBytes) {
    const struct {
        std::string input;
        std::string store;
    } cases[] = {
        {"[S]\na=1\na=2\n", "[S]a|2;"},
        {"[S]\na=1\nb=2\n[T]\nt=1\n[S]\nc=3\na=4\n", "[S]a|4;b|2;c|3;[T]t|1;"},
        {"[S]\nkey = value\n", "[S]key | value;"},
        {"[S]\n\tk\t=\tv \n", "[S]\tk\t|\tv ;"},
        {"[S]\nk=v=w\n", "[S]k|v=w;"},
        {"[S]\nk=\n  =1\n", "[S]k|;  |1;"},
        {"k=1\n[S]\nk=2\n", "[???]k|1;[S]k|2;"},
        {"[abc\nk=1\n", "[???]k|1;"},
        {"[S]\n[abc\nk=1\n[]\nn=2\n", "[S]k|1;n|2;"},
        {"[abc]xyz\nk=1\n[ a ]b]\nk=2\n", "[abc]k|1;[ a ]k|2;"},
        {"[S]\n#k=1\n;k=2\n\n=5\nnoequals\n  \nk=3\n", "[S]k|3;"},
        {"[S]\n\rk=1\n", ""},
        {"[S]\nK=1\nk=2\n[s]\nk=3\n", "[S]K|1;k|2;[s]k|3;"},
        {"[S]\n[T]\nk=1\n[U]\n", "[T]k|1;"},
        {"[S]\nk=v", "[S]k|v;"},
        {"[S]\r\nk=v\r\n\r\nn=1", "[S]k|v;n|1;"},
        {"[S]\r\nk=v\r\r\nn=v\r", "[S]k|v\r;n|v\r;"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Parsed(c.input), c.store) << c.input;
    }
}

TEST(IniRead, LongLinesAndLongHeaders) {
    const std::string value(10000 - 2, 'v');
    EXPECT_EQ(Parsed("[S]\nk=" + value + "\nn=1\n"), "[S]k|" + value + ";n|1;");

    const std::string name999(999, 'n');
    EXPECT_EQ(Parsed("[" + name999 + "]\nk=1\n"), "[" + name999 + "]k|1;");
    EXPECT_EQ(Parsed("[" + std::string(5000, 'n') + "]\nk=1\n"), "[" + name999 + "]k|1;");

    // The cut counts cp932 bytes, even where it falls inside a character.
    std::string japanese;
    for (int i = 0; i < 600; ++i) {
        japanese += "\x82\xA0";  // あ
    }
    HInfoIniFile store;
    store.ReadBytes("[" + japanese + "]\nk=1\n");
    ASSERT_EQ(store.SectionCount(), 1u);
    EXPECT_EQ(ToCp932(store.SectionAt(0).Name()), japanese.substr(0, 999));
}

TEST(IniRead, JapaneseIsDecoded) {
    // ソ and 表 end in the byte of "\"; ゾ ends in the byte of "]", which the header still
    // stops at, as the format was always read.
    EXPECT_EQ(
        Parsed("[\x83\x5E\x83\x58\x83\x4E_001]\n\x96\xBC\x91\x4F=\x83\x5C\x95\x5C=\x81\x60\n"),
        "[タスク_001]名前|ソ表=～;");
    EXPECT_EQ(Parsed("[\x83\x5D\x81\x5B\x83\x93]\nk=1\n"), "[" + Cp932ToUtf8("\x83") + "]k|1;");
}

TEST(IniRead, ReadAddsToTheStore) {
    TempDir dir;
    std::ofstream(dir / "in.ini", std::ios::binary) << "[T]\r\nt=1\r\n[S]\r\nk=new\r\n";
    HInfoIniFile store;
    store.SetValue("S", "kept", "1");
    store.SetValue("S", "k", "old");
    EXPECT_EQ(store.Read(dir / "missing.ini"), 0);
    EXPECT_EQ(store.Read(dir / ""), 0);  // the folder itself
    EXPECT_EQ(Dump(store), "[S]kept|1;k|old;");
    EXPECT_EQ(store.Read(dir / "in.ini"), 1);
    EXPECT_EQ(Dump(store), "[S]kept|1;k|new;[T]t|1;");
}

// Sections read from a file keep their text in one buffer with the other sections read with
// it: shared, changed or large, each must still read as it was read and change alone.
TEST(IniRead, SectionsReadTogetherChangeAlone) {
    std::string bytes = "[A]\r\nk=1\r\nname=\x96\xBC\r\n[Big]\r\n";
    for (int i = 0; i < 100; ++i) {
        bytes += Format("K%d=%d\r\n", i, i);
    }
    bytes += "[B]\r\nk=2\r\n";
    std::shared_ptr<const HInfoIniSection> a;
    std::shared_ptr<const HInfoIniSection> big;
    {
        HInfoIniFile store;
        store.ReadBytes(bytes);
        a = store.ShareSection("A");
        big = store.ShareSection("Big");
        // A value set from another value of the same section.
        store.SetValue("B", "copy", *store.FindValue("B", "k"));
        store.SetValue("A", "k", *store.FindValue("A", "name"));
        EXPECT_TRUE(Dump(store).starts_with("[A]k|名;name|名;[Big]K0|0;"));
        EXPECT_EQ(store.GetValue("B", "copy", ""), "2");
        EXPECT_EQ(store.GetValue("Big", "K99", ""), "99");
    }
    EXPECT_EQ(a->Find("k"), "1");
    EXPECT_EQ(a->Find("name"), "名");
    EXPECT_EQ(big->KeyCount(), 100);
    EXPECT_EQ(big->Find("K64"), "64");
    HInfoIniSection changed = *big;
    changed.SetValue("K64", "changed");
    changed.SetValue("K100", "100");
    EXPECT_EQ(changed.Find("K64"), "changed");
    EXPECT_EQ(changed.Find("K100"), "100");
    EXPECT_EQ(big->Find("K64"), "64");
    EXPECT_EQ(big->Find("K100"), std::nullopt);
}

TEST(IniStore, SectionsAndKeys) {
    HInfoIniFile store;
    EXPECT_EQ(store.SetValue("B", "k", "1"), 1);
    store.SetValue("A", "k", "2");
    store.SetValue("C", "k", "3");
    store.SetValue("B", "k", "4");
    EXPECT_EQ(Dump(store), "[B]k|4;[A]k|2;[C]k|3;");
    EXPECT_EQ(store.GetValue("B", "k", "d"), "4");
    EXPECT_EQ(store.GetValue("B", "K", "d"), "d");
    EXPECT_EQ(store.GetValue("b", "k", "d"), "d");
    EXPECT_EQ(store.GetKeyCount("B"), 1);
    EXPECT_EQ(store.GetKeyCount("b"), -1);

    EXPECT_EQ(store.RemoveSection("A"), 1);
    EXPECT_EQ(store.RemoveSection("A"), 0);
    EXPECT_EQ(store.GetKeyCount("A"), -1);
    EXPECT_EQ(store.GetValue("A", "k", "gone"), "gone");
    store.SetValue("A", "n", "5");
    EXPECT_EQ(Dump(store), "[B]k|4;[C]k|3;[A]n|5;");
}

// Sections of many keys are looked up through an index; it must follow every change.
TEST(IniStore, LargeSectionsKeepOrderAndValues) {
    HInfoIniFile store;
    std::string expected = "[S]";
    for (int i = 0; i < 40; ++i) {
        store.SetValue("S", Format("K%d", i), "old");
        expected += Format("K%d|%s;", i, i % 3 == 0 ? "new" : "old");
    }
    for (int i = 0; i < 40; i += 3) {
        store.SetValue("S", Format("K%d", i), "new");
    }
    EXPECT_EQ(Dump(store), expected);
    EXPECT_EQ(store.GetValue("S", "K39", ""), "new");
    EXPECT_EQ(store.GetValue("S", "K38", ""), "old");
    EXPECT_FALSE(store.FindValue("S", "K40").has_value());
}

// A section handed out never changes: the store copies it before changing it, and another
// store takes it as it is (a second one of the same name adds its keys to it).
TEST(IniStore, ASharedSectionNeverChanges) {
    HInfoIniFile store;
    store.SetValue("S", "k", "1");
    const std::shared_ptr<const HInfoIniSection> shared = store.ShareSection("S");
    store.SetValue("S", "k", "2");
    EXPECT_EQ(shared->Find("k"), "1");
    HInfoIniFile other;
    other.AdoptSection(shared);
    EXPECT_EQ(other.IsSame(&store), 0);
    other.AdoptSection(store.ShareSection("S"));
    EXPECT_EQ(other.SectionCount(), 1u);
    EXPECT_EQ(other.IsSame(&store), 1);
    EXPECT_EQ(shared->Find("k"), "1");
}

// Undo steps are shrunk once stored; values replaced by shorter or longer ones before
// that must come through in place, and the store must stay usable afterwards.
TEST(IniStore, ShrinkingKeepsEveryValue) {
    HInfoIniFile store;
    store.SetValue("S", "short", "a longer first value");
    store.SetValue("S", "long", "x");
    store.SetValue("T", "k", "1");
    store.SetValue("S", "short", "b");
    store.SetValue("S", "long", "a value longer than the first");
    HInfoIniFile copy;
    copy.SetValue("S", "short", "b");
    copy.SetValue("S", "long", "a value longer than the first");
    copy.SetValue("T", "k", "1");

    store.ShrinkToFit();
    EXPECT_EQ(Dump(store), "[S]short|b;long|a value longer than the first;[T]k|1;");
    EXPECT_EQ(store.IsSame(&copy), 1);
    store.SetValue("S", "short", "again");
    store.SetValue("U", "k", "2");
    EXPECT_EQ(Dump(store), "[S]short|again;long|a value longer than the first;[T]k|1;[U]k|2;");
}

// Keys and section names are found by their hash first; names that share one must stay
// apart, both in a section searched slot by slot and in one large enough for an index.
TEST(IniStore, NamesSharingAHashStayApart) {
    ASSERT_EQ(IniNameHash("bChtpB"), IniNameHash("TxNPZP"));
    ASSERT_EQ(IniNameHash("hRBarXIQOsM"), IniNameHash("bdvCMbASKhI"));
    for (const int filler : {0, 100}) {
        HInfoIniFile store;
        for (int i = 0; i < filler; ++i) {
            store.SetValue("S", Format("K%d", i), "f");
            store.SetValue(Format("T%d", i), "k", "f");
        }
        store.SetValue("S", "bChtpB", "1");
        EXPECT_FALSE(store.FindValue("S", "TxNPZP").has_value()) << filler;
        store.SetValue("S", "TxNPZP", "2");
        store.SetValue("S", "bChtpB", "3");
        EXPECT_EQ(store.GetValue("S", "bChtpB", ""), "3") << filler;
        EXPECT_EQ(store.GetValue("S", "TxNPZP", ""), "2") << filler;
        EXPECT_EQ(store.GetKeyCount("S"), filler + 2);

        store.SetValue("hRBarXIQOsM", "k", "a");
        EXPECT_EQ(store.FindSection("bdvCMbASKhI"), nullptr) << filler;
        store.SetValue("bdvCMbASKhI", "k", "b");
        EXPECT_EQ(store.GetValue("hRBarXIQOsM", "k", ""), "a") << filler;
        EXPECT_EQ(store.GetValue("bdvCMbASKhI", "k", ""), "b") << filler;
        EXPECT_EQ(store.RemoveSection("hRBarXIQOsM"), 1);
        EXPECT_EQ(store.GetValue("bdvCMbASKhI", "k", ""), "b") << filler;
        EXPECT_EQ(store.FindSection("hRBarXIQOsM"), nullptr) << filler;
    }
}

// A section grows an index past a few dozen keys and a store one as sections are added;
// replacing values, shrinking and adding again must keep every key where it was.
TEST(IniStore, IndexesFollowGrowthShrinkingAndRemoval) {
    for (const int keys : {63, 64, 65, 129, 300}) {
        HInfoIniFile store;
        std::string expected = "[S]";
        for (int i = 0; i < keys; ++i) {
            store.SetValue("S", Format("K%d", i), "old");
        }
        for (int i = 0; i < keys; i += 3) {
            store.SetValue("S", Format("K%d", i), i % 2 == 0 ? "n" : "a longer new value");
        }
        for (int i = 0; i < keys; ++i) {
            expected += Format("K%d|%s;", i,
                               i % 3 != 0   ? "old"
                               : i % 2 == 0 ? "n"
                                            : "a longer new value");
        }
        EXPECT_EQ(Dump(store), expected) << keys;
        store.ShrinkToFit();
        EXPECT_EQ(Dump(store), expected) << keys;
        for (int i = 0; i < keys; ++i) {
            EXPECT_TRUE(store.FindValue("S", Format("K%d", i)).has_value()) << keys << " " << i;
        }
        EXPECT_FALSE(store.FindValue("S", Format("K%d", keys)).has_value()) << keys;
        // A shrunk section takes new keys and values as before.
        store.SetValue("S", "K1", "again");
        store.SetValue("S", "added", "1");
        EXPECT_EQ(store.GetValue("S", "K1", ""), "again") << keys;
        EXPECT_EQ(store.GetValue("S", "added", ""), "1") << keys;
        EXPECT_EQ(store.GetValue("S", "K2", ""), "old") << keys;
        EXPECT_EQ(store.GetKeyCount("S"), keys + 1) << keys;
    }

    HInfoIniFile store;
    for (int i = 0; i < 200; ++i) {
        store.SetValue(Format("FILE_%03d", i), "Name", Format("%d", i));
    }
    for (int i = 0; i < 200; i += 2) {
        EXPECT_EQ(store.RemoveSection(Format("FILE_%03d", i)), 1);
    }
    store.SetValue("FILE_000", "Name", "back");
    ASSERT_EQ(store.SectionCount(), 101u);
    EXPECT_EQ(store.SectionAt(100).Name(), "FILE_000");
    for (int i = 1; i < 200; i += 2) {
        EXPECT_EQ(store.GetValue(Format("FILE_%03d", i), "Name", ""), Format("%d", i)) << i;
        EXPECT_EQ(store.GetKeyCount(Format("FILE_%03d", i - 1)), i == 1 ? 1 : -1) << i;
    }
    // Taken out from the end, as a document's header and rules are.
    for (int i = 199; i > 100; i -= 2) {
        EXPECT_EQ(store.RemoveSection(store.SectionAt(store.SectionCount() - 1).Name()), 1);
    }
    EXPECT_EQ(store.SectionCount(), 51u);
    for (int i = 1; i < 200; i += 2) {
        EXPECT_EQ(store.GetKeyCount(Format("FILE_%03d", i)), i <= 101 ? 1 : -1) << i;
    }
    store.Clear();
    EXPECT_EQ(store.FindSection("FILE_001"), nullptr);
    store.SetValue("FILE_001", "Name", "new");
    EXPECT_EQ(Dump(store), "[FILE_001]Name|new;");
}

TEST(IniWrite, SectionsInCreationOrderWithCrLf) {
    HInfoIniFile store;
    store.SetValue("B", "z", "1");
    store.SetValue("B", "a", "2");
    store.SetValue("A", "k", "v=w ");
    store.SetValue("B", "z", "3");
    TempDir dir;
    ASSERT_EQ(store.Write(dir / "out.ini"), 1);
    EXPECT_EQ(FileBytes(dir / "out.ini"), "[B]\r\nz=3\r\na=2\r\n[A]\r\nk=v=w \r\n");
}

TEST(IniWrite, TextIsCp932OnDisk) {
    HInfoIniFile store;
    store.SetValue("TASK_001", "Name", "顧客マスタ[12]");
    store.SetValue("タスク", "名前", "ソ表～");
    TempDir dir;
    const std::string path = dir / "顧客.zvk";
    int unencodable = -1;
    ASSERT_EQ(store.Write(path, &unencodable), 1);
    EXPECT_EQ(unencodable, 0);
    EXPECT_EQ(FileBytes(path),
              "[TASK_001]\r\nName=\x8C\xDA\x8B\x71\x83\x7D\x83\x58\x83\x5E[12]\r\n"
              "[\x83\x5E\x83\x58\x83\x4E]\r\n\x96\xBC\x91\x4F=\x83\x5C\x95\x5C\x81\x60\r\n");
    HInfoIniFile back;
    ASSERT_EQ(back.Read(path), 1);
    EXPECT_EQ(Dump(back), "[TASK_001]Name|顧客マスタ[12];[タスク]名前|ソ表～;");

    // What cp932 cannot hold is counted and written as "?".
    store.SetValue("S", "é", "a😀b");
    ASSERT_EQ(store.Write(path, &unencodable), 1);
    EXPECT_EQ(unencodable, 2);
    EXPECT_TRUE(FileBytes(path).ends_with("[S]\r\n?=a?b\r\n"));
}

TEST(IniWrite, StoreSurvivesAFileRoundTrip) {
    HInfoIniFile store;
    for (int i = 0; i < 30; ++i) {
        const std::string section = Format("FILE_%03d", i);
        store.SetValue(section, "Name", Format("顧客マスタ[%d]", i));
        store.SetValue(section, "GuiText_Font", "0,0,0,0,-13,ＭＳ ゴシック");
        for (int k = 0; k < 20; ++k) {
            store.SetValue(section, Format("DETLIST_NAME_%03d", k), Format("項目%d", k));
        }
    }
    store.SetValue("BIG", "Bitmap", std::string(150000, 'A'));  // beyond any read buffer
    store.SetValue("RAW", "k", Cp932ToUtf8("\x80\xFF\x81"));
    TempDir dir;
    ASSERT_EQ(store.Write(dir / "doc.zvk"), 1);
    HInfoIniFile back;
    ASSERT_EQ(back.Read(dir / "doc.zvk"), 1);
    EXPECT_EQ(back.IsSame(&store), 1);
    EXPECT_EQ(Dump(back), Dump(store));
}

// Bytes that are not cp932 come back unchanged when a file is read and written again.
TEST(IniWrite, UndecodableBytesSurviveLoadAndSave) {
    const std::string original =
        "[S\x80]\r\nk\xFF=\x82\xA0\x85\x40\xFD\r\nv=\x81\x20\x5C\r\n[\x83\x5E]\r\nend=\x8C\r\n";
    TempDir dir;
    std::ofstream(dir / "in.ini", std::ios::binary) << original;
    HInfoIniFile store;
    ASSERT_EQ(store.Read(dir / "in.ini"), 1);
    int unencodable = -1;
    ASSERT_EQ(store.Write(dir / "in.ini", &unencodable), 1);
    EXPECT_EQ(unencodable, 0);
    EXPECT_EQ(FileBytes(dir / "in.ini"), original);
}

// Section names, keys and values made of any two bytes above ASCII, including the second
// codes of characters cp932 holds twice, once drifted on every save and could gain a "]".
TEST(IniWrite, EveryBytePairKeepsItsBytesInNamesKeysAndValues) {
    for (int first = 0x80; first < 0x100; ++first) {
        for (int second = 0x80; second < 0x100; ++second) {
            const std::string pair = {static_cast<char>(first), static_cast<char>(second)};
            const std::string bytes = "[S" + pair + "]\r\nk" + pair + "=v" + pair + "\r\n";
            HInfoIniFile store;
            store.ReadBytes(bytes);
            ASSERT_EQ(store.ToBytes(), bytes) << Format("%02X %02X", first, second);
        }
    }
}

TEST(IniWrite, FailsWhereNoFileCanBeMade) {
    HInfoIniFile store;
    store.SetValue("S", "k", "v");
    TempDir dir;
    EXPECT_EQ(store.Write(dir / "missing/out.ini"), 0);
    EXPECT_FALSE(fs::exists(dir / "missing"));
    fs::create_directory(dir / "folder");
    EXPECT_EQ(store.Write(dir / "folder"), 0);
    EXPECT_TRUE(fs::is_empty(dir / "folder"));
}

TEST(IniCompare, IsSame) {
    const std::string base = "[A]\nx=1\ny=顧客\n[B]\nz=" + std::string(300, 'z') + "\n";
    const struct {
        std::string other;
        int same;
    } cases[] = {
        {base, 1},
        {"[P]\nx=1\ny=顧客\n[Q]\nz=" + std::string(300, 'z') + "\n", 1},  // names differ
        {"[A]\nx=1\ny=顧客\n[B]\nz=" + std::string(299, 'z') + "y\n", 0},
        {"[A]\ny=顧客\nx=1\n[B]\nz=" + std::string(300, 'z') + "\n", 0},
        {"[B]\nz=" + std::string(300, 'z') + "\n[A]\nx=1\ny=顧客\n", 0},
        {base + "[B]\nw=\n", 0},
        {base + "[C]\nx=1\n", 0},
        {"[A]\nx=1\ny=顧客\n", 0},
        {"", 0},
    };
    HInfoIniFile a;
    a.ReadBytes(ToCp932(base));
    for (const auto& c : cases) {
        HInfoIniFile b;
        b.ReadBytes(ToCp932(c.other));
        EXPECT_EQ(a.IsSame(&b), c.same) << c.other;
        EXPECT_EQ(b.IsSame(&a), c.same) << c.other;
    }
    EXPECT_EQ(a.IsSame(&a), 1);
    EXPECT_EQ(a.IsSame(nullptr), 0);
    HInfoIniFile empty, alsoEmpty;
    EXPECT_EQ(empty.IsSame(&alsoEmpty), 1);
}

}  // namespace
}  // namespace zarvik
