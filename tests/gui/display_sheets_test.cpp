// The item settings sheets of image and other display items, driven through their widgets
// while they run modally, with real picture files.

#include "gui/sheets/display_sheets.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <fstream>

#include "core/app/display_sheets.h"
#include "core/command/command_ids.h"
#include "core/items/item_kinds.h"
#include "dialog_events.h"
#include "draw/qt_platform.h"
#include "draw/qt_text.h"
#include "gui/frame/main_window.h"
#include "gui/ports/qt_ui_port.h"
#include "gui_test_support.h"
#include "sheet_test_support.h"
#include "test_support.h"

namespace zarvik::gui {
namespace {

using namespace test_events;

// Runs drive on the sheet once it is up.
void WhenUp(std::function<void(HItemSheet*)> drive) {
    QTimer::singleShot(0, [drive] {
        HItemSheet* sheet = sheet_support::ActiveSheet();
        ASSERT_NE(nullptr, sheet);
        drive(sheet);
    });
}

QLineEdit* Field(HItemSheet* sheet, const char* name) {
    return sheet->findChild<QLineEdit*>(QString::fromLatin1(name));
}

void Drop(QWidget* page, const QUrl& url) {
    QMimeData data;
    data.setUrls({url});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(page, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(page, &drop);
}

class ImageItemSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPlatform(&platform);
        doc.NewDocument();
        auto image = std::make_unique<HItemImageBox>();
        image->fileName = "old.bmp";
        image->picture = kOld;
        doc.AddItem(std::move(image));
        doc.RecordStep();
        QImage picture(2, 1, QImage::Format_RGB32);
        picture.setPixel(0, 0, qRgb(255, 0, 0));
        picture.setPixel(1, 0, qRgb(0, 0, 255));
        ASSERT_TRUE(picture.save(draw::ToQString(bmp), "BMP"));
    }
    void TearDown() override { SetPlatform(nullptr); }

    HItemImageBox& Image() { return dynamic_cast<HItemImageBox&>(*doc.Boxes().Head()); }

    const HBitmap kOld{{0, 1, 1, 4, 1, 32, 0}, {7, 0, 0, 0}};
    draw::HQtPlatform platform;
    test_support::TempDir dir;
    test_support::ScriptedUi ui;
    CZarvikDoc doc;
    const std::string bmp = dir / "small.bmp";
};

TEST_F(ImageItemSheetTest, AFileThatCannotBeUsedKeepsTheOldPicture) {
    const std::string png = dir / "picture.PNG";
    const std::string broken = dir / "broken.bmp";
    std::ofstream(broken) << "BM garbage";
    WhenUp([&](HItemSheet* sheet) {
        for (const std::string& path : {png, broken}) {
            TypeOver(Field(sheet, "fileNameEdit"), draw::ToQString(path));
            FocusOut(Field(sheet, "fileNameEdit"));
            EXPECT_EQ(QStringLiteral("old.bmp"), Field(sheet, "fileNameEdit")->text());
        }
        Click(&sheet->OkButton());
    });
    EXPECT_EQ(1, RunImageItemSheet(doc, Image(), nullptr));
    EXPECT_EQ((std::vector{UnsupportedImageMessage(png), ImageLoadFailedMessage(broken)}),
              ui.Texts());
    EXPECT_EQ("old.bmp", Image().fileName);
    EXPECT_EQ(kOld, Image().picture);
}

TEST_F(ImageItemSheetTest, AChosenPictureReachesTheItemOnOkAndUndoRestores) {
    ui.chosen.push_back(bmp);
    WhenUp([&](HItemSheet* sheet) {
        Click(sheet->findChild<QPushButton*>(QStringLiteral("browseButton")));
        EXPECT_EQ(draw::ToQString(bmp), Field(sheet, "fileNameEdit")->text());
        Click(&sheet->OkButton());  // OK loads the name still waiting in the field
    });
    EXPECT_EQ(1, RunImageItemSheet(doc, Image(), nullptr));
    EXPECT_EQ(kImageFileFilter, ui.choosers.at(0).filter);
    EXPECT_EQ(bmp, Image().fileName);
    EXPECT_EQ((std::vector<uint8_t>{0, 0, 255, 0, 255, 0, 0, 0}), Image().picture.value().bits);
    doc.UndoStep();
    EXPECT_EQ("old.bmp", Image().fileName);
    EXPECT_EQ(kOld, Image().picture);
}

TEST_F(ImageItemSheetTest, CancelAfterLoadingADroppedFileLeavesTheOldPicture) {
    WhenUp([&](HItemSheet* sheet) {
        Drop(sheet->Page(kPageImageBasic), QUrl("https://example.com/a.bmp"));
        Drop(sheet->Page(kPageImageBasic), QUrl::fromLocalFile(draw::ToQString(bmp)));
        FocusOut(Field(sheet, "fileNameEdit"));
        EXPECT_EQ(draw::ToQString(bmp), Field(sheet, "fileNameEdit")->text());  // loaded
        Click(&sheet->CancelButton());
    });
    EXPECT_EQ(0, RunImageItemSheet(doc, Image(), nullptr));
    EXPECT_EQ(std::vector<std::string>{"ドロップしたファイルを開けませんでした。"}, ui.Texts());
    EXPECT_EQ(kOld, Image().picture);
}

// The command opens the sheet of the one selected box; a screen's renames it in one step.
TEST(ItemSettingsCommand, RenamesTheOneSelectedBox) {
    HMainWindow window;
    gui_support::WindowScriptedUi ui(window.UiPortOfWindow());
    CZarvikDoc& doc = window.Document();
    doc.AddItem(std::make_unique<HItemImageBox>());
    doc.AddItem(std::make_unique<HItemView>());
    doc.RecordStep();
    const auto screen = [&doc] { return dynamic_cast<HItemView*>(doc.Boxes().Tail()); };
    const std::string name = screen()->name;
    doc.Boxes().Head()->SetSelected(1);
    screen()->SetSelected(1);
    EXPECT_EQ(0, window.HasWindowCommand(kCmdItemProperties));
    doc.Boxes().Head()->SetSelected(0);
    WhenUp([](HItemSheet* sheet) {
        EXPECT_EQ(kPageObjectBasic, sheet->CurrentPageId());
        TypeOver(Field(sheet, "nameEdit"), QStringLiteral("受付画面"));
        Click(&sheet->OkButton());
    });
    const int32_t steps = doc.History().Count();
    EXPECT_EQ(1, window.RunCommand(kCmdItemProperties));
    EXPECT_EQ("受付画面", screen()->name);
    EXPECT_EQ(steps + 1, doc.History().Count());
    doc.UndoStep();
    EXPECT_EQ(name, screen()->name);
}

TEST(ImageFileChooser, ShowsEachPatternOnceAndAllFilesAsStar) {
    EXPECT_EQ(QStringLiteral("Flow Files (*.bmp);;All Files (*)"),
              FileDialogFilter(kImageFileFilter));
    EXPECT_EQ(QStringLiteral("Text (*.csv *.txt)"), FileDialogFilter("Text|*.csv;*.txt||"));
}

}  // namespace
}  // namespace zarvik::gui
