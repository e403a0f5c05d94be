// The data and transaction function sheets, driven through their own widgets while they run
// modally.

#include "gui/sheets/function_sheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <memory>

#include "core/doc/zarvik_doc.h"
#include "core/fp/function_sheet.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "dialog_events.h"
#include "gui/sheets/col_edit_dialog.h"
#include "gui/sheets/item_sheet.h"
#include "sheet_test_support.h"

namespace zarvik::gui {
namespace {

using namespace test_events;
using sheet_support::ActiveSheet;
using sheet_support::List;

// Presses I in the list and fills the entry dialog it opens.
void AddEntry(QTreeWidget* list, const QString& name) {
    QTimer::singleShot(0, [name] {
        auto* dialog = qobject_cast<HColEditDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(QStringLiteral("項目追加(新規)"), dialog->windowTitle());
        EXPECT_FALSE(dialog->OkButton()->isEnabled());
        TypeOver(dialog->NameEdit(), name);
        Click(dialog->OkButton());
    });
    Key(list, Qt::Key_I, Qt::NoModifier, QStringLiteral("i"));
}

void ClickRow(QTreeWidget* list, int row) {
    const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, list->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, list->viewport()->mapToGlobal(at),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &release);
}

class FunctionSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        HItemSheet::ForgetRects();
        doc.NewDocument();
        auto file = std::make_unique<HItemFile>();
        file->name = "顧客";
        file->SelectFpSumType = 1;
        file->FpLevel = kLevelHigh;
        doc.AddItem(std::move(file));
        doc.RecordStep();
    }
    void TearDown() override { HItemSheet::ForgetRects(); }

    HItemFile* File() { return dynamic_cast<HItemFile*>(doc.Boxes().Head()); }

    // Switches to the list setting and adds three DETs.
    static void FillDets(HItemSheet* sheet) {
        Click(sheet->Page(kPageFileBasic)->findChild<QRadioButton*>(QStringLiteral("setting2")));
        ASSERT_TRUE(sheet->SelectPage(kPageFileDet));
        QTreeWidget* list = List(sheet, kPageFileDet);
        ASSERT_TRUE(list->isEnabled());
        AddEntry(list, QStringLiteral("顧客ID"));
        AddEntry(list, QStringLiteral("氏名"));
        AddEntry(list, QStringLiteral("住所"));
        ASSERT_EQ(4, list->topLevelItemCount());
        EXPECT_EQ(QStringLiteral("(計 DET=3)"), list->topLevelItem(3)->text(1));
    }

    CZarvikDoc doc;
};

TEST_F(FunctionSheetTest, ListEditsReachTheRecordAndEstimateOnOkAndUndoRestores) {
    EXPECT_EQ(15, doc.estimate.ufp);
    QTimer::singleShot(0, [] {
        HItemSheet* sheet = ActiveSheet();
        ASSERT_NE(nullptr, sheet);
        EXPECT_EQ(QStringLiteral("データファンクションの設定"), sheet->windowTitle());
        EXPECT_FALSE(sheet->IsPageEnabled(kPageFileDet));
        FillDets(sheet);

        QTreeWidget* list = List(sheet, kPageFileDet);
        ClickRow(list, 1);
        Key(list, Qt::Key_Delete);
        ASSERT_EQ(3, list->topLevelItemCount());
        EXPECT_EQ(QStringLiteral("住所"), list->topLevelItem(1)->text(1));
        EXPECT_EQ(QStringLiteral("(計 DET=2)"), list->topLevelItem(2)->text(1));
        // An ILF with two DETs and one RET rates low.
        auto* fp =
            sheet->Page(kPageFileBasic)->findChild<QLabel*>(QStringLiteral("unadjustedFpLabel"));
        EXPECT_EQ(QStringLiteral("未調整FP値=7"), fp->text());
        Click(&sheet->OkButton());
    });
    EXPECT_EQ(1, RunFunctionSheet(doc, *File(), nullptr));

    ASSERT_EQ(2u, File()->detList.size());
    EXPECT_EQ("住所", File()->detList[1].name);
    EXPECT_EQ(File(), File()->detList[1].owner);
    EXPECT_EQ(2, File()->GetDetCount());
    EXPECT_EQ(7, doc.estimate.ufp);

    doc.UndoStep();
    EXPECT_TRUE(File()->detList.empty());
    EXPECT_EQ(1, File()->SelectFpSumType);
    EXPECT_EQ(15, doc.estimate.ufp);
}

TEST_F(FunctionSheetTest, CancelAfterListEditsChangesNothing) {
    const auto steps = doc.History().Count();
    QTimer::singleShot(0, [] {
        HItemSheet* sheet = ActiveSheet();
        ASSERT_NE(nullptr, sheet);
        FillDets(sheet);
        Click(&sheet->CancelButton());
    });
    EXPECT_EQ(0, RunFunctionSheet(doc, *File(), nullptr));
    EXPECT_TRUE(File()->detList.empty());
    EXPECT_EQ(1, File()->SelectFpSumType);
    EXPECT_EQ(steps, doc.History().Count());
    EXPECT_EQ(15, doc.estimate.ufp);
}

TEST_F(FunctionSheetTest, TransactionListsShowTheLinkedFile) {
    HItemFile* file = File();
    file->detList = {{file, "顧客ID", "", 0}};
    auto task = std::make_unique<HItemTask>();
    HItemTask* taskItem = task.get();
    auto line = std::make_unique<HItemLine>();
    line->fromItem = file;
    line->toItem = taskItem;
    doc.AddItem(std::move(task));
    doc.AddLine(std::move(line));
    doc.RecordStep();

    QTimer::singleShot(0, [] {
        HItemSheet* sheet = ActiveSheet();
        ASSERT_NE(nullptr, sheet);
        EXPECT_EQ(QStringLiteral("トランザクションファンクションの設定"), sheet->windowTitle());
        QTreeWidget* dets = List(sheet, kPageTaskDet);
        ASSERT_EQ(2, dets->topLevelItemCount());
        EXPECT_EQ(QStringLiteral("顧客ID"), dets->topLevelItem(0)->text(1));
        EXPECT_EQ(QStringLiteral("顧客"), dets->topLevelItem(0)->text(2));
        EXPECT_EQ(QStringLiteral("(計 DET=1)"), dets->topLevelItem(1)->text(1));
        QTreeWidget* ftrs = List(sheet, kPageTaskFtr);
        ASSERT_EQ(2, ftrs->topLevelItemCount());
        EXPECT_EQ(QStringLiteral("内部論理F(ILF)"), ftrs->topLevelItem(0)->text(2));
        EXPECT_EQ(QStringLiteral("(計 FTR=1)"), ftrs->topLevelItem(1)->text(1));
        Click(&sheet->CancelButton());
    });
    EXPECT_EQ(0, RunFunctionSheet(doc, *taskItem, nullptr));
}

}  // namespace
}  // namespace zarvik::gui
