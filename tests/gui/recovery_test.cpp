// The recovery copy in the window: it follows the edits and goes with a save, and a copy
// a run left behind comes back as the changed document of its original path.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "core/command/command_ids.h"
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

    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == "復元") {
                button->click();
            }
        }
    });
    ASSERT_EQ(OfferRecoveryCopies(doc, folder, &window), 1);
    EXPECT_EQ(doc.PathName(), original);
    EXPECT_EQ(doc.IsChanged(), 1);
    EXPECT_EQ(ItemsText(doc), items);
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_TRUE(fs::is_empty(folder));
    // Nothing is offered again.
    EXPECT_EQ(OfferRecoveryCopies(doc, folder, &window), 0);
}

}  // namespace
}  // namespace zarvik::gui
