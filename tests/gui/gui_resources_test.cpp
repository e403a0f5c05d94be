// The tool bar pictures: every icon the command table names is compiled into the window
// library and draws at tool bar sizes (a missing file, a broken SVG or a missing SVG plugin
// all give a blank picture).

#include <gtest/gtest.h>

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <set>
#include <string_view>

#include "core/command/command_table.h"
#include "draw/qt_text.h"
#include "gui/resources/gui_resources.h"

namespace zarvik::gui {
namespace {

int OpaquePixels(const QIcon& icon, int size) {
    const QImage image = icon.pixmap(size, size).toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        }
    }
    return count;
}

void ExpectIconDraws(const QString& path) {
    ASSERT_TRUE(QFile::exists(path)) << path.toStdString();
    const QIcon icon(path);
    for (int size : {16, 24}) {
        // A tenth of the square at least: a real picture, not a stray outline.
        EXPECT_GT(OpaquePixels(icon, size), size * size / 10)
            << path.toStdString() << " at " << size << " px";
    }
}

TEST(GuiResources, EveryToolBarIconOfTheCommandTableDraws) {
    InitGuiResources();
    std::set<std::string_view> names;
    for (const HCommandInfo& info : CommandTable()) {
        if (!info.icon.empty()) {
            names.insert(info.icon);
        }
    }
    ASSERT_GE(names.size(), 19u);
    for (std::string_view name : names) {
        ExpectIconDraws(":/icons/" + draw::ToQString(name) + ".svg");
    }
}

TEST(GuiResources, ApplicationIconDrawsAndRepeatedInitIsHarmless) {
    InitGuiResources();
    InitGuiResources();
    ExpectIconDraws(":/icons/zarvik.svg");
}

}  // namespace
}  // namespace zarvik::gui
