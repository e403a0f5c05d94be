// What the main window leaves in the settings file: its bar arrangement beside the
// system's sections, and nothing lost of sections it does not know.

#include <gtest/gtest.h>

#include <fstream>

#include "core/app/system.h"
#include "core/command/command_ids.h"
#include "core/store/ini_store.h"
#include "gui/frame/main_window.h"
#include "gui_test_support.h"
#include "test_support.h"

namespace zarvik::gui {
namespace {

// Closes the window as the user does: the closing question is answered yes.
void CloseWindow(HMainWindow& window) {
    gui_support::WindowScriptedUi ui(window.UiPortOfWindow());
    ui.answers.push_back(HMsgAnswer::Yes);
    EXPECT_TRUE(window.close());
    EXPECT_EQ("終了しますか？", ui.Texts().at(0));
}

TEST(MainWindowSettings, TheBarArrangementSurvivesARestartUnlessItNamesAMissingBar) {
    test_support::TempDir dir;
    const std::string path = dir / "Zarvik.ini";
    std::ofstream(path) << "[Mine]\r\nKeep=1\r\n";
    System().LoadSettings(path);
    {
        HMainWindow window;
        window.RunCommand(kCmdFpItemBar);
        EXPECT_EQ(0, window.IsBarVisible(kCmdFpItemBar));
        CloseWindow(window);
    }
    ASSERT_EQ(1, System().SaveSettings(path));
    HInfoIniFile saved;
    ASSERT_EQ(1, saved.Read(path));
    for (const char* section : {"Mine", "SYSTEM", "RULE", "Zarvik", "ZarvikBarState"}) {
        EXPECT_NE(nullptr, saved.FindSection(section)) << section;
    }

    System().LoadSettings(path);
    {
        HMainWindow window;
        EXPECT_EQ(0, window.IsBarVisible(kCmdFpItemBar));
        EXPECT_EQ(1, window.IsBarVisible(kCmdStandardBar));
    }
    const std::string bars = System().GetProfileString("ZarvikBarState", "Bars");
    System().WriteProfileString("ZarvikBarState", "Bars", bars + ",RemovedBar");
    {
        HMainWindow window;
        EXPECT_EQ(1, window.IsBarVisible(kCmdFpItemBar));
    }
    ResetSystem();
}

}  // namespace
}  // namespace zarvik::gui
