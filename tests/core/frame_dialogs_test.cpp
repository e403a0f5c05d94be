// The rules behind the frame's small windows: the system settings sheet, the About box's
// lines and the zoom selector's typed percentages.

#include <gtest/gtest.h>

#include "core/app/about_text.h"
#include "core/app/system.h"
#include "core/app/system_settings_session.h"
#include "core/canvas/zoom_percent.h"
#include "scripted_ui.h"
#include "test_support.h"

namespace zarvik {
namespace {

using test_support::ScriptedUi;

TEST(SystemSettingsSheet, CanvasSidesAreHeldToTheOfferedRange) {
    EXPECT_EQ(100, ClampCanvasSide(-5));
    EXPECT_EQ(100, ClampCanvasSide(99));
    EXPECT_EQ(2500, ClampCanvasSide(2500));
    EXPECT_EQ(4000, ClampCanvasSide(5000));
}

TEST(SystemSettingsSheet, OkAsksOnlyAboutChangesAndCancelPutsTheOpeningBack) {
    ScriptedUi ui;
    HSystem system;
    system.settings.CanvasSizeCx = 5000;  // a loaded file may hold more than the sheet offers
    HSystemSettingsSession session(system);
    EXPECT_EQ(1, session.ConfirmOk());
    EXPECT_TRUE(ui.messages.empty());

    session.Settings().AutoGraphCheckFpOnly = 0;
    ui.answers = {HMsgAnswer::Cancel, HMsgAnswer::Ok};
    EXPECT_EQ(0, session.ConfirmOk());
    EXPECT_EQ(1, session.ConfirmOk());
    ASSERT_EQ(2u, ui.messages.size());
    EXPECT_EQ("Zarvik", ui.messages[0].caption);
    EXPECT_EQ(HMsgIcon::Warning, ui.messages[0].icon);
    EXPECT_EQ(HMsgButtons::OkCancel, ui.messages[0].buttons);

    session.Cancel();
    EXPECT_EQ(1, system.settings.AutoGraphCheckFpOnly);
    EXPECT_EQ(5000, system.settings.CanvasSizeCx);
}

TEST(SystemSettingsSheet, SaveRuleChoiceFollowsWhoseRulesAreInForce) {
    test_support::TempDir dir;
    HSystem system;
    system.SetDefaultFolders({dir.Path().string(), ""});
    HSystemSettingsSession session(system);
    EXPECT_EQ(1, session.SaveRuleCheckEnabled());
    EXPECT_EQ(0, session.OwnRulesNoteEnabled());
    system.SetDocumentRules(0);
    EXPECT_EQ(0, session.SaveRuleCheckEnabled());
    EXPECT_EQ(1, session.OwnRulesNoteEnabled());
}

TEST(AboutBox, ShowsThisReleasesVersionAndKeepsTemplatesForMissingStrings) {
    EXPECT_EQ("Zarvik  ( Version 1.2.6.0 )",
              AboutProductLine(HSystem::GetVersionString("ProductName"),
                               HSystem::GetVersionString("ProductVersion"), "template"));
    EXPECT_EQ("template", AboutProductLine("Zarvik", "", "template"));
    EXPECT_FALSE(HSystem::GetVersionString("LegalCopyright").empty());
    EXPECT_EQ("template", AboutCopyrightLine("", "template"));
}

TEST(ZoomSelector, TypedPercentagesOutsideTheRangeAreToldAndHeld) {
    ScriptedUi ui;
    EXPECT_EQ(400, TakeTypedZoomPercent("1000"));
    EXPECT_EQ(10, TakeTypedZoomPercent("5"));
    EXPECT_EQ(10, TakeTypedZoomPercent("abc"));  // no number reads 0
    EXPECT_EQ(3u, ui.messages.size());
    EXPECT_EQ(75, TakeTypedZoomPercent("75%"));
    EXPECT_EQ(400, TakeTypedZoomPercent(" 400 %"));
    ASSERT_EQ(3u, ui.messages.size());
    EXPECT_EQ("数値は10から400の範囲でお願いします。", ui.messages[0].text);
    EXPECT_EQ(HMsgIcon::Error, ui.messages[0].icon);
    EXPECT_EQ("75%", ZoomPercentText(75));
    EXPECT_EQ(75, PercentOfZoom(ZoomOfPercent(75)));
}

}  // namespace
}  // namespace zarvik
