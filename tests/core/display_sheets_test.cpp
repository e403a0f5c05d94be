// The rules of the image item's page: which file names it takes, and what a refused or
// failed picture leaves in the record.

#include "core/app/display_sheets.h"

#include <gtest/gtest.h>

#include "core/records/info_image_box.h"
#include "scripted_ui.h"

namespace zarvik {
namespace {

TEST(DisplaySheets, OnlyBmpNamesAreTaken) {
    for (const char* name : {"a.bmp", "/tmp/写真.BMP", "dir.png/b.Bmp"}) {
        EXPECT_EQ(1, IsBmpFileName(name)) << name;
    }
    for (const char* name : {"", "bmp", "a.bmp.png", "dir.bmp/picture", "a.bmpx"}) {
        EXPECT_EQ(0, IsBmpFileName(name)) << name;
    }
}

TEST(DisplaySheets, ARefusedOrFailedPictureKeepsTheFileNameAndPicture) {
    test_support::ScriptedUi ui;
    HInfoImageBox record;
    record.fileName = "old.bmp";
    record.picture = HBitmap{{0, 1, 1, 4, 1, 32, 0}, {7, 0, 0, 0}};
    const std::optional<HBitmap> old = record.picture;
    for (const char* path : {"a.png", "/no/such/a.bmp"}) {
        EXPECT_EQ(0, ApplyImageFileName(record, path));
        EXPECT_EQ("old.bmp", record.fileName);
        EXPECT_EQ(old, record.picture);
    }
    EXPECT_EQ((std::vector<std::string>{"設定したファイル「a.png」\r\nの形式には対応していません。"
                                        "\r\nBMP形式のファイルのみ設定可能です。",
                                        "画像「/no/such/a.bmp」\r\nの読み込みに失敗しました。"}),
              ui.Texts());
}

}  // namespace
}  // namespace zarvik
