// The File menu's exports and the tools menu's comparison, run from the window's commands
// with a scripted user choosing the files.

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/app/system.h"
#include "core/command/command_ids.h"
#include "core/items/item_core.h"
#include "draw/qt_text.h"
#include "gui/canvas/canvas_widget.h"
#include "gui/frame/compare_dialog.h"
#include "gui/frame/main_window.h"
#include "gui_test_support.h"
#include "test_support.h"

namespace zarvik::gui {
namespace {

namespace fs = std::filesystem;
using gui_support::WindowScriptedUi;

std::string Example(const char* name) {
    return (fs::path(ZARVIK_SOURCE_DIR) / "examples" / name).string();
}

std::string Head(const std::string& path, std::size_t n) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(n, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(n));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

TEST(WindowExports, PictureAndReportAreWrittenWholeWhereTheUserChose) {
    test_support::TempDir dir;
    HMainWindow window;
    WindowScriptedUi ui(window.UiPortOfWindow());
    ASSERT_EQ(window.Document().OpenPath(Example("library_lending.zvk")), 1);

    // A name without an extension becomes a PNG; the chooser proposed one beside the document.
    ui.chosen = {dir / "diagram"};
    ASSERT_EQ(window.RunCommand(kCmdExportPicture), 1);
    EXPECT_EQ(ui.choosers.back().defaultName, Example("library_lending.png"));
    const QImage picture(QString::fromStdString(dir / "diagram.png"));
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), 400);

    ui.chosen = {dir / "diagram.SVG"};
    ASSERT_EQ(window.RunCommand(kCmdExportPicture), 1);
    EXPECT_NE(Head(dir / "diagram.SVG", 200).find("<svg"), std::string::npos);

    ui.chosen = {dir / "report"};
    ASSERT_EQ(window.RunCommand(kCmdExportEstimatePdf), 1);
    EXPECT_EQ(ui.choosers.back().defaultName, Example("library_lending.pdf"));
    EXPECT_EQ(Head(dir / "report.pdf", 5), "%PDF-");

    // A folder that is not there: said so, nothing written; a cancelled chooser does nothing.
    const int before = dir.Count();
    ui.chosen = {dir / "missing/diagram.png", std::nullopt};
    EXPECT_EQ(window.RunCommand(kCmdExportPicture), 0);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(window.RunCommand(kCmdExportEstimatePdf), 0);
    EXPECT_EQ(dir.Count(), before);
}

TEST(WindowComparison, MarksTheOpenDocumentsChangesAndFollowsItsEdits) {
    HMainWindow window;
    WindowScriptedUi ui(window.UiPortOfWindow());
    CZarvikDoc& doc = window.Document();
    ASSERT_EQ(doc.OpenPath(Example("library_lending_v2.zvk")), 1);

    ui.chosen = {Example("library_lending.zvk")};
    ASSERT_EQ(window.RunCommand(kCmdCompareDocuments), 1);
    auto* dialog = window.findChild<HCompareDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->Text().contains(QStringLiteral("追加された機能(1個,FP=4)")));
    EXPECT_TRUE(dialog->Text().contains(QStringLiteral("EFP=(4+26+0)×1.00+5×1.00=35.00")));
    auto marks = window.Canvas().Highlights();
    EXPECT_EQ(marks.size(), 6u);  // one added, five changed; the deleted one is not on it
    EXPECT_EQ(marks["TASK_044"], AddedColor());
    EXPECT_EQ(marks["FILE_005"], ChangedColor());

    // Turned round, what the open document adds is what the other one lacks.
    dialog->SetOpenDocumentIsBase(true);
    EXPECT_EQ(window.Canvas().Highlights().at("TASK_044"), DeletedColor());
    dialog->SetOpenDocumentIsBase(false);

    // An edit of the open document is counted at once.
    doc.Boxes().SetAllSelected(0);
    doc.Boxes().FindByKey("TASK_044")->SetSelected(1);
    ASSERT_EQ(window.RunCommand(kCmdItemDelete), 1);
    EXPECT_TRUE(dialog->Text().contains(QStringLiteral("追加された機能(0個,FP=0)")));
    EXPECT_EQ(window.Canvas().Highlights().count("TASK_044"), 0u);

    dialog->close();
    EXPECT_TRUE(window.Canvas().Highlights().empty());
}

TEST(WindowComparison, TheOpenDocumentKeepsItsOwnRules) {
    HMainWindow window;
    WindowScriptedUi ui(window.UiPortOfWindow());
    ASSERT_EQ(window.Document().OpenPath(Example("order_management.zvk")), 1);
    const HInfoRule* own = System().DocumentRules();
    ASSERT_NE(own, nullptr);

    ui.chosen = {Example("library_lending.zvk"), "/nonexistent/version.zvk"};
    ASSERT_EQ(window.RunCommand(kCmdCompareDocuments), 1);
    EXPECT_EQ(System().DocumentRules(), own);
    // A file that cannot be read is said so, and the rules stay as they are.
    EXPECT_EQ(window.RunCommand(kCmdCompareDocuments), 0);
    EXPECT_FALSE(ui.messages.empty());
    EXPECT_EQ(System().DocumentRules(), own);
}

}  // namespace
}  // namespace zarvik::gui
