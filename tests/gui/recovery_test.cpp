// The recovery copy in the window: it follows the edits and goes with a save, and a copy
// a run left behind comes back as the changed document of its original path.

#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/command/command_ids.h"
#include "core/items/item_object.h"
#include "core/store/ini_file.h"
#include "core/store/ini_store.h"
#include "gui/canvas/canvas_widget.h"
#include "gui/frame/main_window.h"
#include "gui/frame/recovery_dialog.h"
#include "gui/frame/recovery_keeper.h"
#include "gui_test_support.h"
#include "test_support.h"

namespace zarvik::gui {
namespace {

namespace fs = std::filesystem;
using gui_support::Click;
using gui_support::WindowScriptedUi;

std::string ItemsText(const HFlowDocument& doc) {
    HInfoIniFile store;
    HIniFile ini(store, 0);
    doc.SaveItems(ini);
    return store.ToBytes();
}

// Clicks 復元 in the dialog that comes up next.
void RestoreFirstCopyWhenAsked() {
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == "復元") {
                button->click();
            }
        }
    });
}

TEST(Recovery, TheCopyFollowsTheEditsAndGoesWithASave) {
    const test_support::TempDir dir;
    HMainWindow window;
    WindowScriptedUi ui(window.UiPortOfWindow());
    CZarvikDoc& doc = window.Document();
    HRecoveryKeeper keeper(doc, dir / "recovery");
    const std::string copyPath = keeper.Slot().CopyPath();
    for (int i = 0; i < HRecoveryKeeper::kStepsPerCopy; ++i) {
        EXPECT_FALSE(fs::exists(copyPath)) << i;
        window.Action(kCmdPlaceTask)->trigger();
        Click(window.Canvas().viewport(), QPoint(40 + i % 10 * 70, 40 + i / 10 * 80));
    }
    ASSERT_EQ(keeper.WaitForWrite(), 1);
    HFlowDocument copy;
    ASSERT_TRUE(copy.LoadDocument(copyPath));
    EXPECT_EQ(copy.Boxes().Count(), HRecoveryKeeper::kStepsPerCopy);
    EXPECT_EQ(ItemsText(copy), ItemsText(doc));

    ui.chosen.push_back(dir / "saved.zvk");
    window.Action(kCmdFileSaveAs)->trigger();
    EXPECT_FALSE(fs::exists(copyPath));
}

TEST(Recovery, ACopyLeftBehindComesBackUnderItsOriginalPath) {
    const test_support::TempDir dir;
    const std::string folder = dir / "recovery";
    const std::string original = dir / "受注.zvk";
    HMainWindow window;
    WindowScriptedUi ui(window.UiPortOfWindow());
    CZarvikDoc& doc = window.Document();
    window.Action(kCmdPlaceFile)->trigger();
    Click(window.Canvas().viewport(), QPoint(60, 60));
    const std::string items = ItemsText(doc);
    {
        // A run that died: its slot's files without anyone holding the lock.
        HRecoverySlot slot(folder);
        int unencodable = 0;
        ASSERT_EQ(slot.Write(doc.DocumentBytes("2026/12/08 10:00:00", unencodable).View(),
                             {"", original, "受注", "2026/12/08 10:00:00"}),
                  1);
        const fs::path base = fs::path(slot.CopyPath()).replace_extension();
        for (const char* extension : {".zvk", ".info"}) {
            fs::copy_file(fs::path(base).replace_extension(extension),
                          fs::path(folder) / (std::string("dead") + extension));
        }
        std::ofstream(fs::path(folder) / "dead.lock");
    }
    doc.NewDocument();
    ASSERT_EQ(doc.Boxes().Count(), 0);

    RestoreFirstCopyWhenAsked();
    ASSERT_EQ(OfferRecoveryCopies(doc, folder, &window), 1);
    EXPECT_EQ(doc.PathName(), original);
    EXPECT_EQ(doc.IsChanged(), 1);
    EXPECT_EQ(ItemsText(doc), items);
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_TRUE(fs::is_empty(folder));
    // Nothing is offered again.
    EXPECT_EQ(OfferRecoveryCopies(doc, folder, &window), 0);
}

constexpr const char* kChildFolder = "ZARVIK_RECOVERY_TEST_FOLDER";

// The editor that gets killed, run by the test below as a process of its own: it opens a
// document, moves a box, keeps its copy, tells what its diagram holds and waits.
TEST(RecoveryChild, EditsAndWaitsToBeKilled) {
    const char* folder = std::getenv(kChildFolder);
    if (folder == nullptr) {
        GTEST_SKIP() << "run by KilledEditorComesBack";
    }
    HMainWindow window;
    window.show();
    WindowScriptedUi ui(window.UiPortOfWindow());
    HRecoveryKeeper keeper(window.Document(), std::string(folder) + "/recovery");
    ASSERT_TRUE(window.Document().OpenDocumentPath(std::string(folder) + "/document.zvk"));
    // Drags the topmost box by (70, 40), as a user would.
    const auto* box = dynamic_cast<const HItemObject*>(window.Document().Boxes().Tail());
    ASSERT_NE(box, nullptr);
    const QPoint at(box->position.x + box->size.cx / 2, box->position.y + box->size.cy / 2);
    QWidget* canvas = window.Canvas().viewport();
    Click(canvas, at);
    QTest::qWait(80);  // no double click
    gui_support::Mouse(canvas, QEvent::MouseButtonPress, at, Qt::LeftButton);
    QTest::qWait(80);  // past the drag delay
    for (int step = 1; step <= 7; ++step) {
        gui_support::Mouse(canvas, QEvent::MouseMove, at + QPoint(10 * step, 5 * step),
                           Qt::LeftButton);
    }
    gui_support::Mouse(canvas, QEvent::MouseButtonRelease, at + QPoint(70, 35), Qt::LeftButton);
    ASSERT_EQ(window.Document().IsChanged(), 1);
    keeper.WriteNow();
    ASSERT_EQ(keeper.WaitForWrite(), 1);
    std::ofstream(std::string(folder) + "/on_screen.txt", std::ios::binary)
        << ItemsText(window.Document());
    for (;;) {
        QTest::qWait(1000);
    }
}

// An editor killed after an edit leaves its copy; the next start restores the diagram it
// showed, under the document's own path.
TEST(Recovery, AKilledEditorsDiagramComesBack) {
    const test_support::TempDir dir;
    const std::string document = dir / "document.zvk";
    fs::copy_file(fs::path(ZARVIK_SOURCE_DIR) / "examples" /
                      "library_lending.zvk",
                  document);
    QProcess editor;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kChildFolder, QString::fromStdString(dir.Path().string()));
    editor.setProcessEnvironment(environment);
    editor.start(QCoreApplication::applicationFilePath(),
                 {"--gtest_filter=RecoveryChild.EditsAndWaitsToBeKilled"});
    ASSERT_TRUE(editor.waitForStarted());
    const std::string onScreenPath = dir / "on_screen.txt";
    for (int waited = 0; !fs::exists(onScreenPath) && waited < 300; ++waited) {
        ASSERT_FALSE(editor.waitForFinished(100)) << editor.readAllStandardOutput().data();
    }
    QTest::qWait(200);  // the text is complete
    editor.kill();
    ASSERT_TRUE(editor.waitForFinished());
    std::ifstream file(onScreenPath, std::ios::binary);
    const std::string onScreen((std::istreambuf_iterator<char>(file)), {});
    ASSERT_FALSE(onScreen.empty());

    HMainWindow window;
    WindowScriptedUi ui(window.UiPortOfWindow());
    CZarvikDoc& doc = window.Document();
    RestoreFirstCopyWhenAsked();
    ASSERT_EQ(OfferRecoveryCopies(doc, dir / "recovery", &window), 1);
    EXPECT_EQ(doc.PathName(), document);
    EXPECT_EQ(doc.IsChanged(), 1);
    EXPECT_EQ(ItemsText(doc), onScreen);
}

}  // namespace
}  // namespace zarvik::gui
