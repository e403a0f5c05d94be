#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/port/platform.h"
#include "core/records/color_text.h"
#include "core/records/info_item.h"
#include "core/records/info_simple.h"
#include "core/store/ini_file.h"
#include "core/text/cp932.h"

namespace zarvik {

// Readable failure messages for the drawing attributes (internal linkage, found by ADL).
static void PrintTo(const HLogPen& pen, std::ostream* os) {
    *os << "pen{" << pen.style << "," << pen.width.x << "," << pen.width.y << "," << pen.color
        << "}";
}
static void PrintTo(const HLogBrush& brush, std::ostream* os) {
    *os << "brush{" << brush.style << "," << brush.color << "," << brush.hatch << "}";
}
static void PrintTo(const HLogFont& font, std::ostream* os) {
    *os << "font{h" << font.height << " w" << font.weight << " i" << font.italic << " u"
        << font.underline << " s" << font.strikeOut << " cs" << font.charSet << " pf"
        << font.pitchAndFamily << " " << font.faceName << "}";
}

namespace {

namespace fs = std::filesystem;

constexpr const char* kSection = "Other_001";

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "record_test.XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

class DpiPlatform : public HPlatform {
public:
    explicit DpiPlatform(int dpi) : dpi_(dpi) {}
    int ScreenPixelsPerInch() const override { return dpi_; }

private:
    int dpi_;
};

// A box whose every stored attribute differs from the construction defaults.
void FillBox(HInfoItemObject& box) {
    box.position = {-30, 45};
    box.size = {160, 72};
    box.minSize = {40, 20};
    box.dragOrigin = {5, 6};
    box.dragOriginSize = {7, 8};
    box.lineHide = 1;
    box.penNormal = HLogPen{2, {3, 0}, Rgb(10, 20, 30)};
    box.penSelected = HLogPen{1, {0, 0}, Rgb(200, 0, 100)};
    box.penGuide = HLogPen{0, {5, 0}, Rgb(1, 2, 3)};
    box.brush = HLogBrush{2, Rgb(255, 255, 0), 4};
    box.text.textColor = Rgb(0, 128, 255);
    box.text.textFormat = kDtBottom | kDtWordBreak | kDtEditControl;
    box.text.freePoint = 1;
    box.text.labelOffset = {-12, 34};
    HLogFont font = MakePointFont(100, "メイリオ");
    font.weight = kFontWeightBold;
    font.italic = 1;
    font.underline = 1;
    font.strikeOut = 1;
    box.text.SetTextFont(100, font);
}

void ExpectSameStoredAttributes(const HInfoItemObject& got, const HInfoItemObject& want) {
    EXPECT_EQ(got.position, want.position);
    EXPECT_EQ(got.size, want.size);
    EXPECT_EQ(got.minSize, want.minSize);
    EXPECT_EQ(got.lineHide, want.lineHide);
    EXPECT_EQ(got.penNormal, want.penNormal);
    EXPECT_EQ(got.penSelected, want.penSelected);
    EXPECT_EQ(got.penGuide, want.penGuide);
    EXPECT_EQ(got.brush, want.brush);
    EXPECT_EQ(got.text.textColor, want.text.textColor);
    EXPECT_EQ(got.text.textFormat, want.text.textFormat);
    EXPECT_EQ(got.text.freePoint, want.text.freePoint);
    EXPECT_EQ(got.text.labelOffset, want.text.labelOffset);
    ASSERT_TRUE(got.text.font && want.text.font);
    EXPECT_EQ(got.text.font->faceName, want.text.font->faceName);
    EXPECT_EQ(got.text.font->height, want.text.font->height);
    EXPECT_EQ(got.text.font->weight, want.text.font->weight);
    EXPECT_EQ(got.text.font->italic, want.text.font->italic);
    EXPECT_EQ(got.text.font->underline, want.text.font->underline);
    EXPECT_EQ(got.text.font->strikeOut, want.text.font->strikeOut);
}

// A store holding the given section of source without the named key.
void CopySectionWithout(const HInfoIniFile& source, HInfoIniFile& target, const char* key) {
    for (const auto& [k, v] : source.FindSection(kSection)->Entries()) {
        if (k != key) {
            target.SetValue(kSection, k, v);
        }
    }
}

TEST(RecordBoxStore, SaveAndLoadKeepEveryStoredAttribute) {
    HInfoItemObject box;
    FillBox(box);
    HInfoIniFile store;
    HIniFile ini(store, 0);
    EXPECT_EQ(box.SaveGui(ini, kSection), 1);

    HInfoItemObject loaded;
    EXPECT_EQ(loaded.LoadGui(ini, kSection), 1);
    ExpectSameStoredAttributes(loaded, box);
    // The drag origin belongs to a gesture in progress and is not stored.
    EXPECT_EQ(loaded.dragOrigin, HPoint{});
    EXPECT_EQ(loaded.dragOriginSize, HSize{});
}

TEST(RecordBoxStore, SaveAndLoadThroughAFileWithAJapaneseName) {
    TempDir dir;
    const std::string path = dir / "見積り図面.zvk";
    HInfoItemObject box;
    FillBox(box);
    HInfoOther kind;
    kind.name = "外部\\nモジュール";
    {
        HInfoIniFile store;
        HIniFile ini(store, 1);
        ini.Open(path);
        box.SaveGui(ini, kSection);
        kind.Save(ini, kSection);
    }
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(bytes.find("GuiText_Font=1,1,1,700,-13," + ToCp932("メイリオ") + "\r\n"),
              std::string::npos);

    HInfoIniFile store;
    HIniFile ini(store, 0);
    ini.Open(path);
    HInfoItemObject loaded;
    HInfoOther loadedKind;
    EXPECT_EQ(loaded.LoadGui(ini, kSection), 1);
    EXPECT_EQ(loadedKind.Load(ini, kSection), 1);
    ExpectSameStoredAttributes(loaded, box);
    EXPECT_EQ(loadedKind.name, kind.name);
}

TEST(RecordBoxStore, DefaultBoxTextForms) {
    HInfoItemObject box;
    box.position = {12, -7};
    box.size = {100, 50};
    HInfoIniFile store;
    HIniFile ini(store, 0);
    box.SaveGui(ini, kSection);
    EXPECT_EQ(store.GetValue(kSection, "GuiPoint", "?"), "12,-7");
    EXPECT_EQ(store.GetValue(kSection, "GuiSize", "?"), "100,50");
    EXPECT_EQ(store.GetValue(kSection, "GuiMinSize", "?"), "0,0");
    EXPECT_EQ(store.GetValue(kSection, "LineHide", "?"), "0");
    EXPECT_EQ(store.GetValue(kSection, "GuiText_Font", "?"), "0,0,0,0,-13,ＭＳ ゴシック");
    EXPECT_EQ(store.GetValue(kSection, "GuiText_TextColor", "?"), "0");
    EXPECT_EQ(store.GetValue(kSection, "GuiText_DrawTextFormat", "?"), "2053");
    EXPECT_EQ(store.GetValue(kSection, "GuiText_TextFreePoint", "?"), "0");
    EXPECT_EQ(store.GetValue(kSection, "GuiText_Text_PosX", "?"), "0");
    EXPECT_EQ(store.GetValue(kSection, "GuiText_Text_PosY", "?"), "0");
    EXPECT_EQ(store.GetValue(kSection, "GuiPenNormal", "?"), "0,0,0,16711680");
    EXPECT_EQ(store.GetValue(kSection, "GuiPenSelected", "?"), "0,0,0,8421376");
    EXPECT_EQ(store.GetValue(kSection, "GuiPenGuide", "?"), "0,0,0,65280");
    EXPECT_EQ(store.GetValue(kSection, "GuiBrush", "?"), "16777215,0,0");
    EXPECT_EQ(store.GetKeyCount(kSection), 14);
}

TEST(RecordBoxStore, FontKeepsItsPointSizeAndTemplateFields) {
    HInfoItemObject box;
    HLogFont face = MakePointFont(100, "ＭＳ 明朝");
    box.text.SetTextFont(100, face);
    ASSERT_EQ(box.text.font->height, -13);
    HInfoIniFile store;
    HIniFile ini(store, 0);
    box.SaveGui(ini, kSection);
    EXPECT_EQ(store.GetValue(kSection, "GuiText_Font", "?"), "0,0,0,0,-13,ＭＳ 明朝");

    // Fields that are not stored come from the font the record had before.
    HInfoItemObject loaded;
    HLogFont before = MakePointFont(200, "Arial");
    before.charSet = kShiftJisCharset;
    before.pitchAndFamily = 0x31;
    before.width = 9;
    loaded.text.SetTextFont(200, before);
    loaded.LoadGui(ini, kSection);
    ASSERT_TRUE(loaded.text.font);
    EXPECT_EQ(loaded.text.font->height, -13);
    EXPECT_EQ(loaded.text.font->faceName, "ＭＳ 明朝");
    EXPECT_EQ(loaded.text.font->charSet, kShiftJisCharset);
    EXPECT_EQ(loaded.text.font->pitchAndFamily, 0x31);
    EXPECT_EQ(loaded.text.font->width, 9);

    // The stored height is read as whole points at the screen's resolution: -13 pixels
    // at 144 pixels per inch are 6.5 points, which round to 7 points, 14 pixels.
    const DpiPlatform dense(144);
    SetPlatform(&dense);
    loaded.LoadGui(ini, kSection);
    SetPlatform(nullptr);
    EXPECT_EQ(loaded.text.font->height, -14);
}

TEST(RecordBoxLoad, MissingAttributesGiveStockObjects) {
    HInfoIniFile store;
    store.SetValue(kSection, "GuiPoint", "1,2");
    store.SetValue(kSection, "GuiSize", "3,4");
    store.SetValue(kSection, "GuiMinSize", "5,6");
    HIniFile ini(store, 0);
    HInfoItemObject box;
    FillBox(box);
    EXPECT_EQ(box.LoadGui(ini, kSection), 1);
    EXPECT_EQ(box.position, (HPoint{1, 2}));
    EXPECT_EQ(box.size, (HSize{3, 4}));
    EXPECT_EQ(box.minSize, (HSize{5, 6}));
    EXPECT_EQ(box.lineHide, 0);
    EXPECT_EQ(box.penNormal, kStockBlackPen);
    EXPECT_EQ(box.penSelected, kStockBlackPen);
    EXPECT_EQ(box.penGuide, kStockBlackPen);
    EXPECT_EQ(box.brush, kStockHollowBrush);
    EXPECT_EQ(box.text.font, StockFontAsStored());
    EXPECT_EQ(box.text.textColor, 0u);
    EXPECT_EQ(box.text.textFormat, 0);
    EXPECT_EQ(box.text.freePoint, 0);
    EXPECT_EQ(box.text.labelOffset, HPoint{});

    // Values without enough fields count as missing.
    store.SetValue(kSection, "GuiPenNormal", "0,0,255");
    store.SetValue(kSection, "GuiBrush", "255,0");
    store.SetValue(kSection, "GuiText_Font", "0,0,0,400,-13");
    HInfoItemObject fresh;
    fresh.LoadGui(ini, kSection);
    EXPECT_EQ(fresh.penNormal, kStockBlackPen);
    EXPECT_EQ(fresh.brush, kStockHollowBrush);
    EXPECT_EQ(fresh.text.font, StockFontAsStored());
}

TEST(RecordBoxLoad, MissingBrushAloneGivesAHollowFill) {
    HInfoItemObject box;
    FillBox(box);
    HInfoIniFile saved;
    HIniFile out(saved, 0);
    box.SaveGui(out, kSection);
    HInfoIniFile store;
    CopySectionWithout(saved, store, "GuiBrush");
    HIniFile ini(store, 0);

    HInfoItemObject loaded;
    EXPECT_EQ(loaded.LoadGui(ini, kSection), 1);
    EXPECT_EQ(loaded.brush, kStockHollowBrush);
    EXPECT_EQ(loaded.penNormal, box.penNormal);
    EXPECT_EQ(loaded.penGuide, box.penGuide);
}

TEST(RecordBoxLoad, GeometryIsRequired) {
    HInfoItemObject box;
    FillBox(box);
    HInfoIniFile saved;
    HIniFile out(saved, 0);
    box.SaveGui(out, kSection);

    for (const char* key : {"GuiPoint", "GuiSize", "GuiMinSize"}) {
        for (const char* bad : {"", "160"}) {
            SCOPED_TRACE(std::string(key) + "=" + bad);
            HInfoIniFile store;
            CopySectionWithout(saved, store, bad[0] == '\0' ? key : "");
            if (bad[0] != '\0') {
                store.SetValue(kSection, key, bad);
            }
            HIniFile ini(store, 0);
            HInfoItemObject loaded;
            EXPECT_EQ(loaded.LoadGui(ini, kSection), 0);
            // Reading stops at the bad key: what came before it has its new value, the
            // attributes after it keep the construction defaults.
            if (std::string(key) != "GuiPoint") {
                EXPECT_EQ(loaded.position, box.position);
            }
            EXPECT_EQ(loaded.lineHide, 0);
            EXPECT_NE(loaded.penNormal, box.penNormal);
        }
    }
}

TEST(RecordCopy, BoxCopyOutlivesItsSourceAndStaysApart) {
    auto source = std::make_unique<HInfoItemObject>();
    FillBox(*source);
    HInfoItemObject copy;
    copy.CopyFrom(*source);
    source.reset();

    HInfoItemObject want;
    FillBox(want);
    ExpectSameStoredAttributes(copy, want);
    EXPECT_EQ(copy.dragOrigin, want.dragOrigin);
    EXPECT_EQ(copy.dragOriginSize, want.dragOriginSize);
    EXPECT_EQ(copy.text.font, want.text.font);
    EXPECT_EQ(copy.text.pointSize, want.text.pointSize);

    HInfoItemObject other;
    FillBox(other);
    copy.CopyFrom(other);
    copy.penNormal->color = Rgb(9, 9, 9);
    copy.brush->style = kBrushHollow;
    copy.text.font->faceName = "Changed";
    copy.text.labelOffset.x = 999;
    ExpectSameStoredAttributes(other, want);
}

TEST(RecordCopy, WhatTheSourceLacksBecomesNone) {
    HInfoItemObject source;
    source.penSelected.reset();
    source.brush.reset();
    source.text.font.reset();
    HInfoItemObject copy;
    FillBox(copy);
    copy.CopyFrom(source);
    EXPECT_FALSE(copy.penSelected);
    EXPECT_FALSE(copy.brush);
    EXPECT_FALSE(copy.text.font);
    EXPECT_EQ(copy.penNormal, source.penNormal);
    EXPECT_EQ(copy.penGuide, source.penGuide);
    EXPECT_EQ(copy.position, source.position);
}

TEST(RecordCopy, TextPartCopiesEveryField) {
    auto source = std::make_unique<HItemPartsText>();
    source->textColor = Rgb(1, 2, 3);
    source->textFormat = kDtEndEllipsis;
    source->freePoint = 1;
    source->labelDragStart = {4, 5};
    source->labelOffset = {6, 7};
    HLogFont font = MakePointFont(140, "游ゴシック");
    font.italic = 1;
    source->SetTextFont(140, font);
    const HLogFont made = *source->font;

    HItemPartsText copy;
    copy.CopyFrom(*source);
    source.reset();
    EXPECT_EQ(copy.textColor, Rgb(1, 2, 3));
    EXPECT_EQ(copy.textFormat, kDtEndEllipsis);
    EXPECT_EQ(copy.freePoint, 1);
    EXPECT_EQ(copy.labelDragStart, (HPoint{4, 5}));
    EXPECT_EQ(copy.labelOffset, (HPoint{6, 7}));
    EXPECT_EQ(copy.pointSize, 140);
    EXPECT_EQ(copy.font, made);

    HItemPartsText none;
    none.font.reset();
    copy.CopyFrom(none);
    EXPECT_FALSE(copy.font);
}

TEST(RecordSimple, NameIsSavedAndLoaded) {
    HInfoBorder border;
    HInfoOther other;
    HInfoFunction function;
    HInfoView view;
    for (HInfoCore* record : std::vector<HInfoCore*>{&border, &other, &function, &view}) {
        SCOPED_TRACE(record->typeLabel);
        HInfoIniFile store;
        HIniFile ini(store, 0);
        record->name = "受注\\n画面 = 1";
        EXPECT_EQ(record->Save(ini, kSection), 1);
        EXPECT_EQ(store.GetValue(kSection, "Name", "?"), "受注\\n画面 = 1");
        EXPECT_EQ(store.GetKeyCount(kSection), 1);

        record->name = "<Unknown Name>";
        EXPECT_EQ(record->Load(ini, kSection), 1);
        EXPECT_EQ(record->name, "受注\\n画面 = 1");
        EXPECT_EQ(record->Load(ini, "Border_999"), 1);
        EXPECT_EQ(record->name, "");
    }
}

}  // namespace
TEST(ColorText, SixHexDigitsOrBlack) {
    EXPECT_EQ(Rgb(255, 0, 0), ParseColorText("ff0000"));
    EXPECT_EQ(Rgb(0x12, 0xAB, 0x0C), ParseColorText("12AB0C"));
    EXPECT_EQ("12AB0C", FormatColorText(Rgb(0x12, 0xAB, 0x0C)));
    for (const char* text : {"ff00", "ff00000", "", "GG0000", "ff 000"}) {
        EXPECT_EQ(Rgb(0, 0, 0), ParseColorText(text)) << text;
    }
    EXPECT_EQ(Rgb(255, 255, 255), ColorFieldTextColor(Rgb(255, 126, 255)));
    EXPECT_EQ(Rgb(0, 0, 0), ColorFieldTextColor(Rgb(127, 127, 127)));
}

}  // namespace zarvik
