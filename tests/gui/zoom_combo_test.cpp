// The zoom selector: chosen entries and typed percentages.

#include "gui/panels/zoom_combo.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <vector>

#include "../core/scripted_ui.h"
#include "dialog_events.h"

namespace zarvik::gui {
namespace {

using namespace test_events;

TEST(ZoomCombo, TypedPercentagesOutsideTheRangeAreToldAndHeldToTheNearerBound) {
    test_support::ScriptedUi ui;
    HZoomCombo combo;
    std::vector<float> chosen;
    QObject::connect(&combo, &HZoomCombo::ZoomChosen, [&](float zoom) { chosen.push_back(zoom); });

    TypeOver(combo.lineEdit(), "1000");
    FocusOut(combo.lineEdit());
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ("400%", combo.currentText());
    ASSERT_EQ(1u, chosen.size());
    EXPECT_FLOAT_EQ(4.0f, chosen.back());

    TypeOver(combo.lineEdit(), "5");
    Key(combo.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(2u, ui.messages.size());
    EXPECT_EQ("10%", combo.currentText());
    EXPECT_FLOAT_EQ(0.1f, chosen.back());

    TypeOver(combo.lineEdit(), "150");
    FocusOut(combo.lineEdit());
    FocusOut(combo.lineEdit());  // leaving again without typing takes nothing
    EXPECT_EQ(2u, ui.messages.size());
    EXPECT_EQ("150%", combo.currentText());
    EXPECT_EQ(3u, chosen.size());
}

TEST(ZoomCombo, ChoosingAnEntrySetsItsZoomAndShowingAZoomChoosesNothing) {
    HZoomCombo combo;
    std::vector<float> chosen;
    QObject::connect(&combo, &HZoomCombo::ZoomChosen, [&](float zoom) { chosen.push_back(zoom); });
    EXPECT_EQ("100%", combo.currentText());
    Key(&combo, Qt::Key_Down);
    ASSERT_EQ(1u, chosen.size());
    EXPECT_FLOAT_EQ(0.75f, chosen.back());

    combo.ShowZoom(2.5f);
    EXPECT_EQ("250%", combo.currentText());
    EXPECT_EQ(1u, chosen.size());
}

}  // namespace
}  // namespace zarvik::gui
