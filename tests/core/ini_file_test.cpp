#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/port/platform.h"
#include "core/store/ini_file.h"
#include "core/text/number_text.h"
#include "test_support.h"

namespace zarvik {
namespace {

namespace fs = std::filesystem;
using test_support::FileBytes;
using test_support::TempDir;

class Screen120Dpi : public HPlatform {
public:
    int ScreenPixelsPerInch() const override { return 120; }
};

class IniFileTest : public ::testing::Test {
protected:
    void TearDown() override { SetPlatform(nullptr); }

    // The value of S/k as a file would have given it; none removes the key.
    void Given(const std::optional<std::string>& value) {
        store.RemoveSection("S");
        if (value) {
            store.SetValue("S", "k", *value);
        }
    }
    std::string Stored(std::string_view key) const { return store.GetValue("S", key, "(none)"); }

    HInfoIniFile store;
    HIniFile ini{store, 0};
};

TEST_F(IniFileTest, IntsAndStrings) {
    EXPECT_EQ(ini.GetInt("S", "k"), 0);
    EXPECT_EQ(ini.GetString("S", "k"), "");
    for (const auto& [text, value] :
         {std::pair<std::string, int32_t>{"12abc", 12}, {"abc", 0}, {" -7", -7}}) {
        Given(text);
        EXPECT_EQ(ini.GetInt("S", "k"), value) << text;
    }
    ini.SetInt("S", "n", -2147483647 - 1);
    EXPECT_EQ(Stored("n"), "-2147483648");
    ini.SetString("S", "s", " 顧客マスタ[12] ");
    EXPECT_EQ(ini.GetString("S", "s"), " 顧客マスタ[12] ");
}

TEST_F(IniFileTest, PointsAndSizes) {
    const struct {
        std::optional<std::string> text;
        int result;
        HPoint point;
    } cases[] = {
        {std::nullopt, 0, {-1, -1}}, {"7", 0, {-1, -1}},     {"", 0, {-1, -1}}, {"7,8", 1, {7, 8}},
        {"7,8,9", 1, {7, 8}},        {" 3, -4", 1, {3, -4}}, {",5", 1, {0, 5}}, {"a,b", 1, {0, 0}},
    };
    for (const auto& c : cases) {
        Given(c.text);
        HPoint point{-1, -1};
        HSize size{-1, -1};
        EXPECT_EQ(ini.GetPoint("S", "k", point), c.result) << c.text.value_or("(none)");
        EXPECT_EQ(point, c.point) << c.text.value_or("(none)");
        EXPECT_EQ(ini.GetSize("S", "k", size), c.result);
        EXPECT_EQ(size, (HSize{c.point.x, c.point.y}));
    }
    ini.SetPoint("S", "p", HPoint{40, -30});
    ini.SetSize("S", "s", HSize{120, 60});
    EXPECT_EQ(Stored("p"), "40,-30");
    EXPECT_EQ(Stored("s"), "120,60");
}

TEST_F(IniFileTest, BinaryStopsAndNeverWritesPastItsSize) {
    std::string hex;  // 00 01 02 ... 1D
    for (int i = 0; i < 30; ++i) {
        hex += Format("%02X", i);
    }
    const struct {
        std::optional<std::string> text;
        std::size_t size;
        int result;
        std::size_t filled;
    } cases[] = {
        {hex.substr(0, 48), 24, 1, 24},
        {hex.substr(0, 40), 24, 0, 20},
        {hex, 24, 1, 24},
        {hex.substr(0, 8) + "zZ" + hex.substr(10), 24, 0, 4},
        {hex.substr(0, 6) + "1G" + hex.substr(8), 24, 0, 3},
        {"000102", 3, 1, 3},
        {"000", 2, 0, 1},
        {std::nullopt, 2, 0, 0},
    };
    for (const auto& c : cases) {
        Given(c.text);
        std::vector<uint8_t> buffer(c.size + 16, 0xEE);
        EXPECT_EQ(ini.GetBinary("S", "k", buffer.data(), c.size), c.result)
            << c.text.value_or("(none)");
        for (std::size_t i = 0; i < buffer.size(); ++i) {
            EXPECT_EQ(int{buffer[i]}, i < c.filled ? static_cast<int>(i) : 0xEE)
                << c.text.value_or("(none)") << " " << i;
        }
    }

    std::vector<uint8_t> bytes(256);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(255 - i);
    }
    ini.SetBinary("S", "b", bytes.data(), bytes.size());
    EXPECT_EQ(Stored("b").substr(0, 8), "FFFEFDFC");
    store.SetValue("S", "b", "ff" + Stored("b").substr(2));  // lower case reads as well
    std::vector<uint8_t> back(256);
    EXPECT_EQ(ini.GetBinary("S", "b", back.data(), back.size()), 1);
    EXPECT_EQ(back, bytes);
}

TEST_F(IniFileTest, PensAndBrushes) {
    const HLogPen pen{5, {9, 9}, 1};
    const HLogBrush brush{kBrushSolid, 7, 9};
    for (const std::optional<std::string>& text :
         {std::optional<std::string>(), {"1,2"}, {"garbage"}}) {
        Given(text);
        EXPECT_EQ(ini.GetPen("S", "k", pen), kStockBlackPen);
        EXPECT_EQ(ini.GetBrush("S", "k", brush), kStockHollowBrush);
    }
    Given("1,2,3");
    EXPECT_EQ(ini.GetPen("S", "k", pen), kStockBlackPen);
    Given("2,3,4,16711680");
    EXPECT_EQ(ini.GetPen("S", "k", pen), (HLogPen{2, {3, 4}, Rgb(0, 0, 255)}));
    EXPECT_EQ(ini.GetPen("S", "k", std::nullopt), std::nullopt);
    Given("0,1,0,-1");
    EXPECT_EQ(ini.GetPen("S", "k", pen), (HLogPen{0, {1, 0}, 0xFFFFFFFF}));
    Given("255,3,1");  // colour, hatch, style
    EXPECT_EQ(ini.GetBrush("S", "k", brush), (HLogBrush{kBrushHollow, Rgb(255, 0, 0), 3}));
    EXPECT_EQ(ini.GetBrush("S", "k", std::nullopt), std::nullopt);

    EXPECT_EQ(ini.SetPen("S", "p", HLogPen{2, {3, 4}, Rgb(0, 0, 255)}), 1);
    EXPECT_EQ(ini.SetBrush("S", "b", HLogBrush{kBrushHollow, Rgb(0, 0, 255), 2}), 1);
    EXPECT_EQ(Stored("p"), "2,3,4,16711680");
    EXPECT_EQ(Stored("b"), "16711680,2,1");
    EXPECT_EQ(ini.SetPen("S", "none", std::nullopt), 0);
    EXPECT_EQ(ini.SetBrush("S", "none", std::nullopt), 0);
    EXPECT_EQ(Stored("none"), "(none)");
}

HLogFont FontTemplate() {
    return HLogFont{.height = -99,
                    .width = 5,
                    .escapement = 900,
                    .orientation = 450,
                    .weight = 100,
                    .charSet = 1,
                    .outPrecision = 3,
                    .clipPrecision = 2,
                    .quality = 5,
                    .pitchAndFamily = 0x31,
                    .faceName = "Old"};
}

TEST_F(IniFileTest, FontFieldsComeFromTheTextAndTheRestFromTheTemplate) {
    EXPECT_EQ(ini.GetFont("S", "k", std::nullopt), std::nullopt);
    EXPECT_EQ(ini.GetFont("S", "k", FontTemplate()), StockFontAsStored());
    Given("0,0,0,400,-13");
    EXPECT_EQ(ini.GetFont("S", "k", FontTemplate()), StockFontAsStored());

    const struct {
        std::string text;
        int32_t italic, strikeOut, underline, weight;
        std::string face;
    } cases[] = {
        {"1,0,1,700,-13,ＭＳ ゴシック", 1, 0, 1, 700, "ＭＳ ゴシック"},
        {"0,1,0,400,-13,", 0, 1, 0, 400, ""},
        {"0,0,1,0,-13,Sans", 0, 0, 1, 0, "Sans"},
    };
    for (const auto& c : cases) {
        Given(c.text);
        HLogFont expected = FontTemplate();
        expected.italic = c.italic;
        expected.strikeOut = c.strikeOut;
        expected.underline = c.underline;
        expected.weight = c.weight;
        expected.height = -13;
        expected.faceName = c.face;
        EXPECT_EQ(ini.GetFont("S", "k", FontTemplate()), expected) << c.text;
    }

    HLogFont font = FontTemplate();
    font.italic = 1;
    font.underline = 1;
    font.height = -13;
    font.faceName = "ＭＳ ゴシック";
    EXPECT_EQ(ini.SetFont("S", "f", font), 1);
    EXPECT_EQ(Stored("f"), "1,0,1,100,-13,ＭＳ ゴシック");
    EXPECT_EQ(ini.GetFont("S", "f", FontTemplate()), font);
    EXPECT_EQ(ini.SetFont("S", "none", std::nullopt), 0);
    EXPECT_EQ(Stored("none"), "(none)");
}

// The stored height becomes whole points at the screen's resolution and the font is made
// again at that size, so a height between point sizes comes back as the nearest one.
TEST_F(IniFileTest, FontHeightPassesThroughWholePoints) {
    const struct {
        int dpi;
        int32_t stored, loaded;
    } cases[] = {
        {96, -13, -13},            // 10 points
        {96, -16, -16},            // 12 points
        {96, -14, -15},            // 10.5 points, rounded to 11
        {96, 13, -13},             // a positive height gives the same size
        {96, 0, 0},                //
        {120, -17, -17},           // 10 points
        {120, -16, -17},           // 9.6 points, rounded to 10
        {120, -13, -13},           // 7.8 points, rounded to 8
        {96, -2147483647, -2184},  // held to 1638 points
        {96, 2147483647, -2184},
    };
    const Screen120Dpi screen120;
    for (const auto& c : cases) {
        SetPlatform(c.dpi == 120 ? &screen120 : nullptr);
        Given(Format("0,0,0,400,%d,ＭＳ ゴシック", c.stored));
        EXPECT_EQ(ini.GetFont("S", "k", FontTemplate())->height, c.loaded)
            << c.dpi << " dpi, " << c.stored;
    }
}

// A document whose font was missing is saved with the stock font; saving what that reads
// back as must give the same value again.
TEST_F(IniFileTest, StockFontReadsBackAsItWasSaved) {
    const Screen120Dpi screen120;
    for (const HPlatform* platform :
         {static_cast<const HPlatform*>(nullptr), static_cast<const HPlatform*>(&screen120)}) {
        SetPlatform(platform);
        Given(std::nullopt);
        const auto stock = ini.GetFont("S", "k", FontTemplate());
        ASSERT_TRUE(stock);
        EXPECT_LT(stock->height, 0);
        ini.SetFont("S", "first", stock);
        ini.SetFont("S", "second", ini.GetFont("S", "first", FontTemplate()));
        EXPECT_EQ(Stored("second"), Stored("first"));
        EXPECT_EQ(ini.GetFont("S", "first", FontTemplate())->height, stock->height);
    }
}

TEST_F(IniFileTest, FaceNamesAreCutTo31Bytes) {
    const std::string ascii = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string sixteen;  // 32 bytes in cp932
    for (int i = 0; i < 16; ++i) {
        sixteen += "ゴ";
    }
    const std::string fifteen = sixteen.substr(0, sixteen.size() - 3);
    const struct {
        std::string face, cut;
    } cases[] = {
        {ascii, ascii.substr(0, 31)},
        {ascii.substr(0, 31), ascii.substr(0, 31)},
        {ascii.substr(0, 32), ascii.substr(0, 31)},
        {"a" + sixteen, "a" + fifteen},
        {fifteen, fifteen},
    };
    for (const auto& c : cases) {
        Given("0,0,0,400,-13," + c.face);
        EXPECT_EQ(ini.GetFont("S", "k", FontTemplate())->faceName, c.cut) << c.face;
        HLogFont font = FontTemplate();
        font.faceName = c.face;
        ini.SetFont("S", "f", font);
        EXPECT_EQ(Stored("f"), "0,0,0,100,-99," + c.cut) << c.face;
    }
}

TEST(IniFileDirty, SettersMarkTheFileDirtyAndOpenClearsIt) {
    const uint8_t byte = 1;
    const std::function<void(HIniFile&)> setters[] = {
        [](HIniFile& f) { f.SetString("S", "k", "v"); },
        [](HIniFile& f) { f.SetInt("S", "k", 1); },
        [](HIniFile& f) {
            f.SetPoint("S", "k", {1, 2});
        },
        [](HIniFile& f) {
            f.SetSize("S", "k", {1, 2});
        },
        [](HIniFile& f) { f.SetFont("S", "k", HLogFont{}); },
        [](HIniFile& f) { f.SetPen("S", "k", HLogPen{}); },
        [](HIniFile& f) { f.SetBrush("S", "k", HLogBrush{}); },
        [&](HIniFile& f) { f.SetBinary("S", "k", &byte, 1); },
    };
    for (const auto& set : setters) {
        HInfoIniFile store;
        HIniFile file(store, 0);
        set(file);
        EXPECT_EQ(file.IsDirty(), 1);
    }

    HInfoIniFile store;
    HIniFile file(store, 0);
    file.SetFont("S", "k", std::nullopt);
    file.SetPen("S", "k", std::nullopt);
    file.SetBrush("S", "k", std::nullopt);
    EXPECT_EQ(file.IsDirty(), 0);
    file.SetInt("S", "k", 1);
    TempDir dir;
    file.Open(dir / "missing.ini");
    EXPECT_EQ(file.IsDirty(), 0);
}

TEST(IniFileClose, DirtyFileIsWrittenOnDestructionKeepingOtherSections) {
    TempDir dir;
    const std::string path = dir / "settings.ini";
    HInfoIniFile first;
    {
        HIniFile file(first, 1);
        file.Open(path);
        file.SetInt("A", "a", 1);
        file.SetInt("B", "b", 1);
        file.SetInt("B", "c", 2);
        EXPECT_FALSE(fs::exists(path));
    }
    ASSERT_EQ(FileBytes(path), "[A]\r\na=1\r\n[B]\r\nb=1\r\nc=2\r\n");

    HInfoIniFile second;
    {
        HIniFile file(second, 1);
        file.Open(path);
        file.SetInt("B", "b", 5);
        file.SetString("C", "n", "新項目");
    }
    EXPECT_EQ(FileBytes(path),
              "[A]\r\na=1\r\n[B]\r\nb=5\r\nc=2\r\n[C]\r\nn=\x90\x56\x8D\x80\x96\xDA\r\n");
}

// A rewrite would drop the comment and change the line ends, so the bytes tell whether the
// file was written.
TEST(IniFileClose, NothingIsWrittenUnlessDirtyAndAsked) {
    TempDir dir;
    const std::string path = dir / "doc.zvk";
    const std::string original = "; comment\n[A]\na=1\n";
    std::ofstream(path, std::ios::binary) << original;
    {
        HInfoIniFile store;
        HIniFile file(store, 1);
        file.Open(path);
        EXPECT_EQ(file.GetInt("A", "a"), 1);
    }
    EXPECT_EQ(FileBytes(path), original);
    {
        HInfoIniFile store;
        HIniFile file(store, 0);
        file.Open(path);
        file.SetInt("A", "a", 2);
        EXPECT_EQ(file.Close(), 1);
    }
    EXPECT_EQ(FileBytes(path), original);
}

TEST(IniFileClose, CloseReportsTheWriteOnce) {
    TempDir dir;
    const std::string path = dir / "later/doc.zvk";
    HInfoIniFile store;
    {
        HIniFile file(store, 1);
        file.Open(path);
        file.SetInt("S", "k", 1);
        EXPECT_EQ(file.Close(), 0);
        fs::create_directory(dir / "later");  // the destructor does not try again
    }
    EXPECT_FALSE(fs::exists(path));
    {
        HIniFile file(store, 1);
        file.Open(path);
        file.SetString("S", "k", "a😀");
        int unencodable = -1;
        EXPECT_EQ(file.Close(&unencodable), 1);
        EXPECT_EQ(unencodable, 1);
    }
    EXPECT_EQ(FileBytes(path), "[S]\r\nk=a?\r\n");
}

}  // namespace
}  // namespace zarvik
