// The canvas widget's own part: files dropped on it, the scroll bars over the canvas
// extent, and the keys it turns into commands. Real widgets and real events.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextDocumentFragment>
#include <QUrl>
#include <memory>
#include <vector>

#include "../core/scripted_ui.h"
#include "../core/test_support.h"
#include "core/app/system.h"
#include "core/canvas/tooltips.h"
#include "core/command/command_ids.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "gui/canvas/canvas_tooltip.h"
#include "gui/canvas/canvas_widget.h"

namespace zarvik::gui {
namespace {

using test_support::ScriptedUi;
using test_support::TempDir;

void AddFile(CZarvikDoc& doc, const char* name) {
    auto box = std::make_unique<HItemFile>();
    box->name = name;
    doc.AddItem(std::move(box));
    doc.RecordStep();
}

void Drop(QWidget* target, const QString& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QApplication::processEvents();  // the drop opens after it has finished
}

TEST(CanvasWidget, ADroppedDocumentAsksAboutUnsavedChangesFirst) {
    TempDir dir;
    const std::string path = dir / "other.zvk";
    {
        CZarvikDoc other;
        other.NewDocument();
        AddFile(other, "dropped");
        ASSERT_EQ(1, other.SaveDocument(path));
    }
    ScriptedUi ui;
    CZarvikDoc doc;
    doc.NewDocument();
    AddFile(doc, "unsaved");
    HCanvasWidget canvas(doc);

    ui.answers = {HMsgAnswer::Cancel};
    Drop(canvas.viewport(), QString::fromStdString(path));
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(HMsgButtons::YesNoCancel, ui.messages[0].buttons);
    ASSERT_EQ(1, doc.Boxes().Count());
    EXPECT_EQ("unsaved", doc.Boxes().Head()->Record()->name);
    EXPECT_EQ("", doc.PathName());

    ui.answers = {HMsgAnswer::No};
    Drop(canvas.viewport(), QString::fromStdString(path));
    ASSERT_EQ(1, doc.Boxes().Count());
    EXPECT_EQ("dropped", doc.Boxes().Head()->Record()->name);
    EXPECT_EQ(path, doc.PathName());
}

class CanvasSettings : public ::testing::Test {
protected:
    ~CanvasSettings() override { System().settings = saved; }
    HInfoSystem saved = System().settings;
};

TEST_F(CanvasSettings, ScrollBarsFollowTheCanvasType) {
    CZarvikDoc doc;
    HCanvasWidget canvas(doc);
    canvas.resize(600, 400);
    canvas.show();

    System().settings.SelectCanvasType = 1;
    System().settings.CanvasSizeCx = 4000;
    System().settings.CanvasSizeCy = 1000;
    canvas.SetZoom(0.5f);
    QApplication::processEvents();  // the scroll bars come and go after the range changes
    EXPECT_TRUE(canvas.horizontalScrollBar()->isVisible());
    // 2000 × 500 window pixels to scroll over.
    EXPECT_EQ(2000, canvas.horizontalScrollBar()->maximum() + canvas.viewport()->width());
    EXPECT_EQ(500, canvas.verticalScrollBar()->maximum() + canvas.viewport()->height());

    System().settings.SelectCanvasType = 0;
    canvas.UpdateExtent();
    QApplication::processEvents();
    EXPECT_FALSE(canvas.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(canvas.verticalScrollBar()->isVisible());
    EXPECT_EQ(600, canvas.viewport()->width());  // the canvas is the whole window
}

TEST(CanvasWidget, ShortcutKeysBecomeCommandsByWhatIsSelected) {
    CZarvikDoc doc;
    doc.NewDocument();
    HCanvasWidget canvas(doc);
    std::vector<int> chosen;
    QObject::connect(&canvas, &HCanvasWidget::CommandChosen,
                     [&chosen](int id) { chosen.push_back(id); });
    auto press = [&canvas](int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&canvas, &event);
    };

    press(Qt::Key_C, Qt::ControlModifier);
    press(Qt::Key_Delete, Qt::NoModifier);
    press(Qt::Key_X, Qt::ControlModifier);  // not the canvas's
    press(Qt::Key_I, Qt::NoModifier);       // Ctrl is wanted
    EXPECT_EQ((std::vector<int>{kCmdItemFormatCopy, kCmdItemDelete}), chosen);

    auto line = std::make_unique<HItemLine>();
    line->SetSelected(1);
    doc.Lines().Append(std::move(line));
    chosen.clear();
    press(Qt::Key_C, Qt::ControlModifier);
    press(Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ((std::vector<int>{kCmdLineFormatCopy, kCmdLineDelete}), chosen);

    // The window's own shortcuts for these keys do not take them from the canvas.
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Delete, Qt::NoModifier);
    override.ignore();
    QApplication::sendEvent(&canvas, &override);
    EXPECT_TRUE(override.isAccepted());
    QKeyEvent undo(QEvent::ShortcutOverride, Qt::Key_Z, Qt::ControlModifier);
    undo.ignore();
    QApplication::sendEvent(&canvas, &undo);
    EXPECT_FALSE(undo.isAccepted());
}

TEST(CanvasTooltip, LinesBreakAtLineEndsAndWrapAtTheTipWidth) {
    const QFont font;
    const QString name = QString("受注登録").repeated(40);
    const QString rich = TooltipRichText(name + "\r\n<b>  x", font, kTooltipMaxWidth);
    const QStringList lines = QTextDocumentFragment::fromHtml(rich).toPlainText().split(
        QRegularExpression(R"([\n\x{2028}])"));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ("<b>  x", lines.last());  // shown as written, blanks kept
    for (const QString& line : lines) {
        EXPECT_LE(QFontMetrics(font).horizontalAdvance(line), kTooltipMaxWidth) << line.size();
    }
    EXPECT_EQ(name, lines.mid(0, lines.size() - 1).join(""));
}

}  // namespace
}  // namespace zarvik::gui
