// The simple estimate sheet opened from the main window with F5, read, driven by keys and
// closed again.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "core/app/system.h"
#include "core/command/command_ids.h"
#include "core/fp/estimate.h"
#include "core/fp/estimate_sheet.h"
#include "core/items/item_kinds.h"
#include "dialog_events.h"
#include "draw/qt_text.h"
#include "gui/frame/main_window.h"
#include "gui/sheets/estimate_chart.h"
#include "gui/sheets/estimate_sheet_window.h"
#include "gui/sheets/ratio_list_dialog.h"
#include "gui_test_support.h"
#include "sheet_test_support.h"

namespace zarvik::gui {
namespace {

namespace fs = std::filesystem;
using gui_support::WindowScriptedUi;

std::string Example(const char* name) {
    return (fs::path(ZARVIK_SOURCE_DIR) / "examples" / name)
        .string();
}

// The value after prefix on its line of the estimate report.
QString ReportValue(const HInfoKousuu& estimate, const QString& prefix) {
    for (const QString& line : draw::ToQString(BuildReportText(estimate)).split("\r\n")) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size());
        }
    }
    ADD_FAILURE() << prefix.toStdString();
    return {};
}

class EstimateSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        kept.CopyFrom(System().SystemRules());
        window.show();
    }
    void TearDown() override { System().SystemRules().CopyFrom(kept); }

    // F5 on the main window; the sheet it opened, active.
    HEstimateSheetWindow* PressF5() {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_F5);
        HEstimateSheetWindow* sheet = window.EstimateSheet();
        if (sheet != nullptr) {
            sheet->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(sheet));
        }
        return sheet;
    }

    HInfoRule kept;
    HMainWindow window;
    WindowScriptedUi ui{window.UiPortOfWindow()};
};

TEST_F(EstimateSheetTest, F5ShowsTheFiguresOfTheReportAndF5Again) {
    CZarvikDoc& doc = window.Document();
    ASSERT_EQ(1, doc.OpenDocumentPath(Example("order_management.zvk")));
    HEstimateSheetWindow* sheet = PressF5();
    ASSERT_NE(nullptr, sheet);
    EXPECT_EQ(QStringLiteral("かんたん見積シート"), sheet->windowTitle());
    EXPECT_EQ(kAcceleratorsEstimateSheet, doc.acceleratorId);
    EXPECT_TRUE(window.Action(kCmdFileSave)->shortcut().isEmpty());

    const HEstimateChart& chart = sheet->Chart();
    const HInfoKousuu& r = doc.estimate;
    ASSERT_EQ(1, r.adjusted);
    EXPECT_EQ("FP値=" + ReportValue(r, "未調整合計FP値(UFP)="), chart.LineText(kKantanUfp, 2));
    EXPECT_EQ("係数=" + ReportValue(r, "調整係数(VAF)=0.65+(0.01×TDI)="),
              chart.LineText(kKantanAdjustment, 2));
    EXPECT_EQ("FP値=" + ReportValue(r, "最終調整FP値(FP)=UFP×VAF="), chart.LineText(kKantanFp, 2));
    EXPECT_EQ(ReportValue(r, "工数(人月)=合計FP値/生産性=") + "人月",
              chart.LineText(kKantanEffort, 2));
    EXPECT_EQ("(生産性=" + ReportValue(r, "生産性(FP数/1人月)=") + ")",
              chart.LineText(kKantanEffort, 3));
    // Pages, tests, defects and schedules are not in the report: the core's texts.
    for (const HInfoKantanItem& box : BuildKantanItems()) {
        for (int line = 0; line < kKantanLineCount; ++line) {
            EXPECT_EQ(draw::ToQString(GetKantanText(box, line, r)), chart.LineText(box.id, line))
                << box.id << " " << line;
        }
    }
    const HEstimateStatus status = GetEstimateStatus(r);
    EXPECT_EQ(draw::ToQString(status.ufp), sheet->PaneText(4));
    EXPECT_EQ(draw::ToQString(status.effort), sheet->PaneText(5));

    // A box's fill, a connector and the frame behind the functions.
    const QImage image = sheet->Chart().grab().toImage();
    EXPECT_EQ(QColor(200, 255, 200), image.pixelColor(30, 235));
    EXPECT_EQ(QColor(0, 0, 0), image.pixelColor(137, 180));
    EXPECT_EQ(QColor(200, 255, 255), image.pixelColor(310, 25));
    EXPECT_EQ(QColor(255, 255, 255), image.pixelColor(5, 5));

    // The development item list is the main window's, reached from the last box's menu.
    bool listed = false;
    QTimer::singleShot(0, [&listed] {
        auto* list = qobject_cast<HRatioListDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(nullptr, list);
        listed = true;
        list->reject();
    });
    sheet->Chart().setFocus();
    QTest::keyClick(&sheet->Chart(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(&sheet->Chart(), Qt::Key_Return);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(sheet->Menu("開発項目一覧"), menu);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(listed);
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));

    // F5 on the sheet takes the user back, and the window's keys come back with it.
    QTest::keyClick(sheet, Qt::Key_F5);
    EXPECT_EQ(nullptr, window.EstimateSheet());
    EXPECT_EQ(kAcceleratorsMain, doc.acceleratorId);
    EXPECT_EQ(QKeySequence(QStringLiteral("Ctrl+S")), window.Action(kCmdFileSave)->shortcut());

    // F5 on the main window closes it too while it is open.
    ASSERT_NE(nullptr, PressF5());
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_EQ(nullptr, window.EstimateSheet());
    EXPECT_EQ(kAcceleratorsMain, doc.acceleratorId);
}

TEST_F(EstimateSheetTest, TypedProductivityFromTheEffortBoxReachesTheSheet) {
    CZarvikDoc& doc = window.Document();
    ASSERT_EQ(1, doc.OpenDocumentPath(Example("library_lending.zvk")));
    HEstimateSheetWindow* sheet = PressF5();
    ASSERT_NE(nullptr, sheet);
    HEstimateChart& chart = sheet->Chart();
    const QString before = chart.LineText(kKantanEffort, 2);

    bool shown = false;
    QTimer::singleShot(0, [this, &shown] {
        HItemSheet* rules = sheet_support::ActiveSheet();
        ASSERT_NE(nullptr, rules);
        shown = true;
        ASSERT_EQ(2, rules->Tabs().count());
        EXPECT_EQ(QStringLiteral("生産性"), rules->Tabs().tabText(0));
        EXPECT_EQ(QStringLiteral("分野別生産性"), rules->Tabs().tabText(1));
        test_events::Click(rules->findChild<QRadioButton*>("productivityTypedRadio"));
        test_events::TypeOver(rules->findChild<QLineEdit*>("productivityEdit"), "10");
        ui.answers = {HMsgAnswer::Ok};
        test_events::Click(&rules->OkButton());
    });
    // The keyboard to the effort box (Tab in the order of the estimate), Enter for its menu,
    // and the menu's first entry.
    chart.setFocus();
    for (int i = 0; i < kKantanEffort; ++i) {
        QTest::keyClick(&chart, Qt::Key_Tab);
    }
    ASSERT_EQ(kKantanEffort, chart.FocusedBox());
    QTest::keyClick(&chart, Qt::Key_Return);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(sheet->Menu("工数"), menu);
    EXPECT_EQ(QStringLiteral("生産性のプロパティ..."), menu->actions().value(0)->text());
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(shown);

    EXPECT_EQ(QStringLiteral("(生産性=10.00)"), chart.LineText(kKantanEffort, 3));
    EXPECT_NE(before, chart.LineText(kKantanEffort, 2));
    EXPECT_EQ(draw::ToQString(GetEstimateStatus(doc.estimate).effort), sheet->PaneText(5));
    EXPECT_EQ(ReportValue(doc.estimate, "工数(人月)=合計FP値/生産性=") + "人月",
              chart.LineText(kKantanEffort, 2));
}

TEST_F(EstimateSheetTest, EmptyDiagramFollowsEditsAndTheKeyboardScrollsToTheFocus) {
    CZarvikDoc& doc = window.Document();
    HEstimateSheetWindow* sheet = PressF5();
    ASSERT_NE(nullptr, sheet);
    HEstimateChart& chart = sheet->Chart();
    EXPECT_EQ(QStringLiteral("未登録"), chart.LineText(kKantanData, 2));
    EXPECT_EQ(QString(), chart.LineText(kKantanData, 3));
    EXPECT_EQ(QStringLiteral("未登録"), chart.LineText(kKantanTransaction, 2));

    // An edit and its undo in the main window show at once.
    doc.AddItem(std::make_unique<HItemFile>());
    doc.RecordStep();
    EXPECT_EQ(QStringLiteral("1個"), chart.LineText(kKantanData, 2));
    EXPECT_EQ(QStringLiteral("DATA=1"), sheet->PaneText(2));
    window.RunCommand(kCmdUndo);
    EXPECT_EQ(QStringLiteral("未登録"), chart.LineText(kKantanData, 2));
    EXPECT_EQ(QStringLiteral("DATA=0"), sheet->PaneText(2));

    // The last box is far right: focusing it scrolls there, and the first scrolls back.
    sheet->resize(320, 300);
    auto* scroll = sheet->findChild<QScrollArea*>();
    ASSERT_NE(nullptr, scroll);
    const auto shows = [scroll, &chart](int32_t id) {
        const QRect shown(
            QPoint(scroll->horizontalScrollBar()->value(), scroll->verticalScrollBar()->value()),
            scroll->viewport()->size());
        return shown.contains(chart.BoxRect(id));
    };
    chart.setFocus();
    QTest::keyClick(&chart, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(kKantanDevItems, chart.FocusedBox());
    EXPECT_TRUE(shows(kKantanDevItems));
    QTest::keyClick(&chart, Qt::Key_Tab);
    EXPECT_EQ(kKantanType, chart.FocusedBox());
    EXPECT_TRUE(shows(kKantanType));
}

}  // namespace
}  // namespace zarvik::gui
