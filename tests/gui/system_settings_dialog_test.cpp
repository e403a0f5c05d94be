// The system settings sheet driven with real keys and clicks.

#include "gui/frame/system_settings_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <memory>

#include "../core/scripted_ui.h"
#include "core/app/system.h"
#include "dialog_events.h"

namespace zarvik::gui {
namespace {

using namespace test_events;

class SystemSettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        kept = System().settings;
        System().settings.SelectCanvasType = 1;
        System().settings.CanvasSizeCx = 300;
        dialog = std::make_unique<HSystemSettingsDialog>();
        dialog->show();
    }
    void TearDown() override { System().settings = kept; }

    template <typename T>
    T* Child(const char* name) {
        T* child = dialog->findChild<T*>(name);
        EXPECT_NE(nullptr, child) << name;
        return child;
    }

    HInfoSystem kept;
    test_support::ScriptedUi ui;
    std::unique_ptr<HSystemSettingsDialog> dialog;
};

TEST_F(SystemSettingsDialogTest, TypedSideIsStoredAtOnceClampedOnLeavingAndCancelPutsItBack) {
    auto* width = Child<QLineEdit>("widthEdit");
    TypeOver(width, "5000");
    EXPECT_EQ(5000, System().settings.CanvasSizeCx);
    EXPECT_EQ(4000, Child<QSlider>("widthSlider")->value());
    FocusOut(width);
    EXPECT_EQ("4000", width->text());
    EXPECT_EQ(4000, System().settings.CanvasSizeCx);

    Click(Child<QPushButton>("cancelButton"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(300, System().settings.CanvasSizeCx);
}

TEST_F(SystemSettingsDialogTest, OkAsksOnlyWhenSomethingChanged) {
    Click(Child<QPushButton>("okButton"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(QDialog::Accepted, dialog->result());

    dialog->show();
    Child<QSlider>("heightSlider")->setValue(700);  // as a drag leaves it
    EXPECT_EQ("700", Child<QLineEdit>("heightEdit")->text());
    ui.answers = {HMsgAnswer::Cancel};
    Click(Child<QPushButton>("okButton"));
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_TRUE(dialog->isVisible());  // Cancel keeps the sheet open
    EXPECT_EQ(700, System().settings.CanvasSizeCy);
}

}  // namespace
}  // namespace zarvik::gui
