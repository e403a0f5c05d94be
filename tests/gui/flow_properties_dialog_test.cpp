// The flow properties sheet hands its working copy to the document on OK only.

#include "gui/frame/flow_properties_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "../core/test_support.h"
#include "core/app/system.h"
#include "dialog_events.h"

namespace zarvik::gui {
namespace {

using namespace test_events;

QPushButton* Button(QDialog& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    ADD_FAILURE() << text.toStdString();
    return nullptr;
}

TEST(FlowPropertiesDialog, OkAppliesTheNameAndTheRulesChoiceCancelNothing) {
    test_support::TempDir dir;  // the reference files the document's own rules start from
    const HDefaultFolders kept = System().DefaultFolders();
    System().SetDefaultFolders({dir.Path().string(), ""});
    CZarvikDoc doc;
    doc.flow.flowName = "old";
    {
        HFlowPropertiesDialog dialog(doc);
        dialog.show();
        TypeOver(dialog.findChild<QLineEdit*>("flowNameEdit"), "販売管理");
        Click(Button(dialog, "ｷｬﾝｾﾙ"));
    }
    EXPECT_EQ("old", doc.flow.flowName);

    HFlowPropertiesDialog dialog(doc);
    dialog.show();
    TypeOver(dialog.findChild<QLineEdit*>("flowNameEdit"), "販売管理");
    Click(dialog.findChild<QCheckBox*>());
    Click(Button(dialog, "OK"));
    EXPECT_EQ("販売管理", doc.flow.flowName);
    EXPECT_EQ(0, System().IsUsingSystemRules());
    System().UseSystemRules();
    System().SetDefaultFolders(kept);
}

}  // namespace
}  // namespace zarvik::gui
