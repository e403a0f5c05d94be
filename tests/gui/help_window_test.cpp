// The help window driven as a user drives it, over the bundled pages copied beside a
// stand-in program folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>

#include "../core/scripted_ui.h"
#include "../core/test_support.h"
#include "core/port/platform.h"
#include "draw/qt_text.h"
#include "gui/frame/help_window.h"

namespace zarvik::gui {
namespace {

namespace fs = std::filesystem;

class HelpWindowTest : public ::testing::Test, public HPlatform {
protected:
    HelpWindowTest() { SetPlatform(this); }
    ~HelpWindowTest() override {
        CloseHelpWindows();
        SetPlatform(nullptr);
    }
    std::string ProgramDirectory() const override { return m_dir.Path().string(); }

    void InstallPages() {
        const fs::path pages =
            fs::path(ZARVIK_SOURCE_DIR) / "src/gui/resources/help";
        fs::copy(pages, m_dir.Path() / "help");
    }

    test_support::TempDir m_dir;
    test_support::ScriptedUi m_ui;
};

void Type(QWidget* target, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
}

void ClickItem(QListWidget& list, int row) {
    const QPoint at = list.visualItemRect(list.item(row)).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, list.viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &event);
    }
}

TEST_F(HelpWindowTest, MissingPagesAreReportedAndOpenNoWindow) {
    EXPECT_EQ(ShowHelp(nullptr, HHelpRequest::Contents), 0);
    ASSERT_EQ(m_ui.messages.size(), 1u);
    const std::string path = (m_dir.Path().parent_path() / "share/zarvik/help/index.html").string();
    EXPECT_EQ(m_ui.messages[0].text,
              "Helpファイルが既定の場所に存在しません\n\n既定の場所:" + path);
    EXPECT_EQ(m_ui.messages[0].caption, "Zarvik");
    EXPECT_EQ(CurrentHelpWindow(), nullptr);
    EXPECT_EQ(ShowContextHelp(nullptr), 0);
    EXPECT_EQ(m_ui.messages.size(), 2u);
}

TEST_F(HelpWindowTest, OpensOnTheContentsAndSearchFindsAPage) {
    InstallPages();
    ASSERT_EQ(ShowHelp(nullptr, HHelpRequest::Contents), 1);
    HHelpWindow* window = CurrentHelpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->CurrentPage(), "index.html");
    EXPECT_TRUE(window->Browser().toPlainText().contains(draw::ToQString("Zarvik ヘルプ")));

    ASSERT_EQ(ShowHelp(nullptr, HHelpRequest::Search), 1);
    EXPECT_EQ(CurrentHelpWindow(), window);  // one window, reused
    EXPECT_EQ(window->Tabs().currentIndex(), 2);
    Type(&window->SearchField(), draw::ToQString("引線開始"));
    QListWidget& results = window->SearchResults();
    ASSERT_EQ(results.count(), 1);
    EXPECT_EQ(results.item(0)->text(), draw::ToQString("キャンバスと作図"));
    ClickItem(results, 0);
    EXPECT_EQ(window->CurrentPage(), "canvas.html");
    ASSERT_NE(window->Contents().currentItem(), nullptr);
    EXPECT_EQ(window->Contents().currentItem()->text(0), draw::ToQString("キャンバスと作図"));
    EXPECT_EQ(window->Browser().textCursor().selectedText(), draw::ToQString("引線開始"));

    Type(&window->SearchField(), draw::ToQString("存在しない語"));
    ASSERT_EQ(results.count(), 1);
    EXPECT_EQ(results.item(0)->flags(), Qt::NoItemFlags);

    // The back button returns to the contents page.
    QToolButton* back = nullptr;
    for (QToolButton* button : window->findChildren<QToolButton*>()) {
        if (button->text() == draw::ToQString("戻る")) {
            back = button;
        }
    }
    ASSERT_NE(back, nullptr);
    ASSERT_TRUE(back->isEnabled());
    back->click();
    EXPECT_EQ(window->CurrentPage(), "index.html");
}

TEST_F(HelpWindowTest, IndexAndContextHelpLeadToTheirTopics) {
    InstallPages();
    ASSERT_EQ(ShowHelp(nullptr, HHelpRequest::Index), 1);
    HHelpWindow* window = CurrentHelpWindow();
    EXPECT_EQ(window->Tabs().currentIndex(), 1);
    Type(&window->IndexFilter(), draw::ToQString("ｆｔｒ"));
    ASSERT_EQ(window->IndexList().count(), 1);
    EXPECT_EQ(window->CurrentPage(), "function_sheet.html");  // Enter opens the first entry

    QWidget panel;
    panel.setObjectName("CDlgBarAnswer");
    auto* field = new QLineEdit(&panel);
    EXPECT_EQ(ShowContextHelp(field), 1);
    EXPECT_EQ(window->CurrentPage(), "panels.html");
    EXPECT_EQ(window->Browser().source().fragment(), "estimate");

    QWidget unnamed;
    EXPECT_EQ(ShowContextHelp(&unnamed), 1);
    EXPECT_EQ(window->CurrentPage(), "index.html");
    EXPECT_TRUE(m_ui.messages.empty());
}

// F1 in a modal sheet: the help must not be one more window the sheet blocks.
TEST_F(HelpWindowTest, OpensAboveAModalSheetAndGoesWithIt) {
    InstallPages();
    auto* sheet = new QDialog;
    sheet->setModal(true);
    sheet->show();
    ASSERT_EQ(QApplication::activeModalWidget(), sheet);
    ASSERT_EQ(ShowHelp(sheet, HHelpRequest::Topic, "CDlgSubItemRuleUFP"), 1);
    EXPECT_EQ(CurrentHelpWindow()->parentWidget(), sheet);
    EXPECT_TRUE(CurrentHelpWindow()->isWindow());
    delete sheet;
    EXPECT_EQ(CurrentHelpWindow(), nullptr);
    ASSERT_EQ(ShowHelp(nullptr, HHelpRequest::Contents), 1);
    EXPECT_EQ(CurrentHelpWindow()->parentWidget(), nullptr);
}

}  // namespace
}  // namespace zarvik::gui
