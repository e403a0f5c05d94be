// The font and text placement pages of the box format sheet, hosted in the tabbed sheet and
// driven with real mouse and key events.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>

#include "core/port/draw_context.h"
#include "core/records/parts_text.h"
#include "dialog_events.h"
#include "gui/sheets/color_field.h"
#include "gui/sheets/font_page.h"
#include "gui/sheets/item_sheet.h"
#include "gui/sheets/text_placement_page.h"
#include "gui_test_support.h"

namespace zarvik::gui {
namespace {

using namespace test_events;

template <typename T>
T* Child(QWidget* page, const char* name) {
    T* child = page->findChild<T*>(QLatin1String(name));
    EXPECT_NE(nullptr, child) << name;
    return child;
}

void ClickEntry(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(1, found.size()) << text.toStdString();
    list->scrollToItem(found.first());
    gui_support::Click(list->viewport(), list->visualItemRect(found.first()).center());
}

// On the box itself: a wide check box takes clicks only on its box and its text.
void Check(QCheckBox* check) {
    gui_support::Click(check, QPoint(6, check->height() / 2));
}

int PixelsOf(QWidget* widget, QColor color) {
    const QImage image = widget->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == color ? 1 : 0;
        }
    }
    return count;
}

class FormatPages : public ::testing::Test {
protected:
    FormatPages() : sheet(HSheetKind::Format) {}

    QWidget* Host(QWidget* page) {
        sheet.AddPage(1, QStringLiteral("page"), page);
        sheet.show();
        return page;
    }

    HItemSheet sheet;
    HItemPartsText text;
    int changes = 0;
};

TEST_F(FormatPages, FontChoicesRebuildTheFontAndTheSampleFollows) {
    QWidget* page = Host(NewFontPage(text, [this] { ++changes; }));
    EXPECT_EQ(QStringLiteral("CDlgSubItemFont"), page->objectName());
    // The stored face is offered as it stands, installed or not.
    EXPECT_EQ(QStringLiteral("ＭＳ ゴシック"), Child<QLineEdit>(page, "faceEdit")->text());
    EXPECT_EQ(1, Child<QListWidget>(page, "faceList")->selectedItems().size());
    EXPECT_EQ(QStringLiteral("10"), Child<QLineEdit>(page, "sizeEdit")->text());

    ClickEntry(Child<QListWidget>(page, "styleList"), QStringLiteral("太字 斜体"));
    ClickEntry(Child<QListWidget>(page, "sizeList"), QStringLiteral("14"));
    ASSERT_TRUE(text.font.has_value());
    EXPECT_EQ(700, text.font->weight);
    EXPECT_EQ(1, text.font->italic);
    EXPECT_EQ(140, text.pointSize);
    EXPECT_EQ(QStringLiteral("14"), Child<QLineEdit>(page, "sizeEdit")->text());

    Check(Child<QCheckBox>(page, "strikeOutCheck"));
    Check(Child<QCheckBox>(page, "underlineCheck"));
    EXPECT_EQ(1, text.font->strikeOut);
    EXPECT_EQ(1, text.font->underline);
    EXPECT_EQ(4, changes);

    QWidget* sample = Child<QWidget>(page, "fontSample");
    EXPECT_TRUE(sample->font().bold());
    EXPECT_TRUE(sample->font().italic());
    EXPECT_TRUE(sample->font().underline());
    EXPECT_EQ(19, sample->font().pixelSize());

    const QColor red(255, 0, 0);
    EXPECT_EQ(0, PixelsOf(sample, red));
    TypeOver(&Child<HColorField>(page, "textColorField")->Edit(), QStringLiteral("ff0000"));
    EXPECT_EQ(Rgb(255, 0, 0), text.textColor);
    EXPECT_GT(PixelsOf(sample, red), 20);
    // The sample stands on the button face.
    EXPECT_EQ(sample->palette().color(QPalette::Button),
              sample->grab().toImage().pixelColor(sample->width() / 2, 3));
}

TEST_F(FormatPages, TypedSizesAndFacesApplyOnlyWhenTheyMeanSomething) {
    QWidget* page = Host(NewFontPage(text, [this] { ++changes; }));
    auto* size = Child<QLineEdit>(page, "sizeEdit");
    TypeOver(size, QStringLiteral("13"));
    EXPECT_EQ(130, text.pointSize);
    TypeOver(size, QStringLiteral("0"));
    EXPECT_EQ(130, text.pointSize);
    FocusOut(size);
    EXPECT_EQ(QStringLiteral("13"), size->text());

    auto* face = Child<QLineEdit>(page, "faceEdit");
    TypeOver(face, QStringLiteral("No Such Face"));
    EXPECT_EQ("ＭＳ ゴシック", text.font->faceName);
    // An installed face typed exactly as listed is chosen.
    const QString installed = Child<QListWidget>(page, "faceList")->item(0)->text();
    ASSERT_NE(QStringLiteral("ＭＳ ゴシック"), installed);
    TypeOver(face, installed);
    EXPECT_EQ(installed.toStdString(), text.font->faceName);
}

TEST_F(FormatPages, PlacementListsAndChecksEditTheFormatWord) {
    text.textFormat = kDefaultTextFormat;
    QWidget* page = Host(NewTextPlacementPage(text, [this] { ++changes; }));
    EXPECT_EQ(QStringLiteral("CDlgSubItemFormat"), page->objectName());
    auto* horizontal = Child<QComboBox>(page, "horizontalCombo");
    auto* vertical = Child<QComboBox>(page, "verticalCombo");
    EXPECT_EQ(QStringLiteral("中央揃え"), horizontal->currentText());

    Key(horizontal, Qt::Key_Home);
    EXPECT_EQ(QStringLiteral("右揃え"), horizontal->currentText());
    EXPECT_EQ(kDtRight, text.textFormat & (kDtCenter | kDtRight));
    Key(horizontal, Qt::Key_End);
    EXPECT_EQ(QStringLiteral("左揃え"), horizontal->currentText());
    EXPECT_EQ(0, text.textFormat & (kDtCenter | kDtRight));
    Key(vertical, Qt::Key_End);
    EXPECT_EQ(kDtBottom, text.textFormat & kDtVerticalAlign);

    auto* freePoint = Child<QCheckBox>(page, "freePointCheck");
    auto* wordBreak = Child<QCheckBox>(page, "wordBreakCheck");
    auto* ellipsis = Child<QCheckBox>(page, "endEllipsisCheck");
    const int32_t before = text.textFormat;
    Check(freePoint);
    EXPECT_EQ(1, text.freePoint);
    EXPECT_FALSE(horizontal->isEnabled());
    EXPECT_FALSE(vertical->isEnabled());
    EXPECT_FALSE(wordBreak->isEnabled());
    EXPECT_FALSE(ellipsis->isEnabled());
    Check(freePoint);
    EXPECT_EQ(0, text.freePoint);
    EXPECT_EQ(before, text.textFormat);
    EXPECT_TRUE(horizontal->isEnabled());
    EXPECT_EQ(QStringLiteral("左揃え"), horizontal->currentText());
    EXPECT_EQ(QStringLiteral("下揃え"), vertical->currentText());

    Check(wordBreak);
    EXPECT_EQ(kDtWordBreak, text.textFormat & kDtWordBreak);
    EXPECT_FALSE(ellipsis->isEnabled());
    Check(wordBreak);
    Check(ellipsis);
    EXPECT_EQ(kDtEndEllipsis, text.textFormat & (kDtEndEllipsis | kDtWordBreak));
    EXPECT_FALSE(wordBreak->isEnabled());
    EXPECT_EQ(8, changes);
}

}  // namespace
}  // namespace zarvik::gui
