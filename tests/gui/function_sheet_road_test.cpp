// A data function measured from the canvas: Ctrl+I on the selected box, its DET list filled
// with the keys and the entry dialog, and every figure of the window following the OK.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "core/command/command_ids.h"
#include "core/doc/item_list.h"
#include "core/fp/estimate.h"
#include "core/fp/fp_rating.h"
#include "core/items/item_kinds.h"
#include "dialog_events.h"
#include "draw/qt_text.h"
#include "gui/canvas/canvas_widget.h"
#include "gui/frame/main_window.h"
#include "gui/panels/estimate_panel.h"
#include "gui/panels/item_list_panel.h"
#include "gui/sheets/col_edit_dialog.h"
#include "gui/sheets/function_sheet.h"
#include "gui/sheets/item_sheet.h"
#include "gui_test_support.h"
#include "sheet_test_support.h"

namespace zarvik::gui {
namespace {

using namespace test_events;
using sheet_support::ActiveSheet;
using sheet_support::List;

// Answers the entry dialog that the next key opens.
void FillEntryDialog(const QString& name, const QString& remarks) {
    QTimer::singleShot(0, [name, remarks] {
        auto* dialog = qobject_cast<HColEditDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(nullptr, dialog);
        TypeOver(dialog->NameEdit(), name);
        dialog->RemarksEdit()->setFocus();
        for (const QChar c : remarks) {
            if (c == '\n') {
                Key(dialog->RemarksEdit(), Qt::Key_Return);
            } else {
                Key(dialog->RemarksEdit(), c.unicode(), Qt::NoModifier, QString(c));
            }
        }
        Click(dialog->OkButton());
    });
}

class FunctionSheetRoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        HItemSheet::ForgetRects();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        window.Action(kCmdPlaceFile)->trigger();
        gui_support::Click(window.Canvas().viewport(), QPoint(40, 40));
        gui_support::Click(window.Canvas().viewport(), QPoint(60, 60));
        ASSERT_EQ(1, window.Document().Boxes().CountSelected());
    }
    void TearDown() override { HItemSheet::ForgetRects(); }

    HItemFile* File() { return dynamic_cast<HItemFile*>(window.Document().Boxes().Head()); }

    QString ListedFp() {
        return window.ItemListPanel().View()->model()->index(0, kListColFp).data().toString();
    }

    bool StatusShows(const QString& text) {
        for (QLabel* label : window.statusBar()->findChildren<QLabel*>()) {
            if (label->text() == text) {
                return true;
            }
        }
        return false;
    }

    void OpenSheetWithCtrlI(std::function<void(HItemSheet*)> drive) {
        QTimer::singleShot(0, [drive] {
            HItemSheet* sheet = ActiveSheet();
            ASSERT_NE(nullptr, sheet);
            drive(sheet);
            if (sheet->isVisible()) {
                Click(&sheet->CancelButton());
            }
        });
        QTest::keyClick(window.Canvas().viewport(), Qt::Key_I, Qt::ControlModifier);
    }

    HMainWindow window;
    gui_support::WindowScriptedUi ui{window.UiPortOfWindow()};
};

TEST_F(FunctionSheetRoadTest, DetListFromTheKeysReachesEveryFigureAndUndoTakesItBack) {
    const int ufpBefore = window.Document().estimate.ufp;
    const QString fpBefore = ListedFp();
    const QString panelBefore = window.EstimatePanel().toPlainText();
    ASSERT_TRUE(StatusShows(QStringLiteral("UFP=%1").arg(ufpBefore)));

    OpenSheetWithCtrlI([](HItemSheet* sheet) {
        QWidget* basic = sheet->Page(kPageFileBasic);
        Key(basic->findChild<QComboBox*>(QStringLiteral("fpTypeCombo")), Qt::Key_Down);
        Click(basic->findChild<QRadioButton*>(QStringLiteral("setting2")));
        // An empty RET list counts as one record type.
        QTreeWidget* rets = List(sheet, kPageFileRet);
        EXPECT_EQ(QStringLiteral("(計 RET=1)"),
                  rets->topLevelItem(rets->topLevelItemCount() - 1)->text(1));
        ASSERT_TRUE(sheet->SelectPage(kPageFileDet));
        QTreeWidget* dets = List(sheet, kPageFileDet);
        dets->setFocus();
        for (const char* name : {"顧客ID", "氏名", "住所"}) {
            FillEntryDialog(QString::fromUtf8(name), QStringLiteral("一行目\n二行目"));
            Key(dets, Qt::Key_I, Qt::NoModifier, QStringLiteral("i"));
        }
        ASSERT_EQ(4, dets->topLevelItemCount());
        dets->setCurrentItem(dets->topLevelItem(2));
        Key(dets, Qt::Key_U, Qt::NoModifier, QStringLiteral("u"));
        EXPECT_EQ(QStringLiteral("住所"), dets->topLevelItem(1)->text(1));
        dets->setCurrentItem(dets->topLevelItem(0));
        Key(dets, Qt::Key_Delete);
        ASSERT_EQ(3, dets->topLevelItemCount());
        EXPECT_EQ(QStringLiteral("(計 DET=2)"), dets->topLevelItem(2)->text(1));
        Click(&sheet->OkButton());
    });

    EXPECT_EQ(kFpTypeEIF, File()->typeCode);
    ASSERT_EQ(2u, File()->detList.size());
    EXPECT_EQ("住所", File()->detList[0].name);
    // Two typed lines are kept on one line of the file.
    EXPECT_EQ("一行目\\n二行目", File()->detList[0].info);
    const int ufp = window.Document().estimate.ufp;
    EXPECT_NE(ufpBefore, ufp);
    EXPECT_EQ(QString::number(File()->GetFp()), ListedFp());
    EXPECT_TRUE(StatusShows(QStringLiteral("UFP=%1").arg(ufp)));
    EXPECT_EQ(draw::ToQString(BuildReportText(window.Document().estimate)).replace("\r\n", "\n"),
              window.EstimatePanel().toPlainText());

    // Opened again, the remark is back on two lines.
    OpenSheetWithCtrlI([](HItemSheet* sheet) {
        ASSERT_TRUE(sheet->SelectPage(kPageFileDet));
        QTreeWidget* dets = List(sheet, kPageFileDet);
        dets->setCurrentItem(dets->topLevelItem(0));
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<HColEditDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(nullptr, dialog);
            EXPECT_EQ(QStringLiteral("一行目\n二行目"), dialog->RemarksEdit()->toPlainText());
            dialog->reject();
        });
        Key(dets, Qt::Key_E, Qt::NoModifier, QStringLiteral("e"));
    });

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(kFpTypeILF, File()->typeCode);
    EXPECT_TRUE(File()->detList.empty());
    EXPECT_EQ(fpBefore, ListedFp());
    EXPECT_TRUE(StatusShows(QStringLiteral("UFP=%1").arg(ufpBefore)));
    EXPECT_EQ(panelBefore, window.EstimatePanel().toPlainText());
}

TEST_F(FunctionSheetRoadTest, NamesAndRemarksKeepOnlyWhatTheFileCanHold) {
    OpenSheetWithCtrlI([](HItemSheet* sheet) {
        Click(sheet->Page(kPageFileBasic)->findChild<QRadioButton*>(QStringLiteral("setting2")));
        ASSERT_TRUE(sheet->SelectPage(kPageFileDet));
        QTreeWidget* dets = List(sheet, kPageFileDet);
        FillEntryDialog(QStringLiteral("顧客한ID"), QStringLiteral("備한考"));
        Key(dets, Qt::Key_I, Qt::NoModifier, QStringLiteral("i"));
        Click(&sheet->OkButton());
    });
    ASSERT_EQ(1u, File()->detList.size());
    EXPECT_EQ("顧客ID", File()->detList[0].name);
    EXPECT_EQ("備考", File()->detList[0].info);
}

}  // namespace
}  // namespace zarvik::gui
