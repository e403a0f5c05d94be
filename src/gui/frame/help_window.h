#pragma once
// The program's help: a window over the bundled HTML pages with their contents, keyword
// index and full-text search, and the entry points every help request goes through.

#include <QString>
#include <QWidget>
#include <memory>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QTreeWidget;

namespace zarvik {
class HHelpSearch;
}

namespace zarvik::gui {

enum class HHelpRequest { Contents, Search, Index, Topic };

class HHelpWindow : public QWidget {
    Q_OBJECT
public:
    // folder: where the pages are (HelpFolder()).
    explicit HHelpWindow(const QString& folder, QWidget* parent = nullptr);
    ~HHelpWindow() override;

    const QString& Folder() const { return m_folder; }

    // Each shows a page and brings its tab to the front.
    void ShowContents();
    void ShowIndex();
    void ShowSearch();
    // A page target: "page.html" or "page.html#anchor".
    void ShowTarget(const QString& target);

    // Fills the search tab's results with the pages holding every word of query.
    void Search(const QString& query);

    QTextBrowser& Browser() { return *m_browser; }
    QTabWidget& Tabs() { return *m_tabs; }
    QTreeWidget& Contents() { return *m_contents; }
    QLineEdit& IndexFilter() { return *m_indexFilter; }
    QListWidget& IndexList() { return *m_indexList; }
    QLineEdit& SearchField() { return *m_searchField; }
    QListWidget& SearchResults() { return *m_searchResults; }
    // The file name of the page shown ("index.html").
    QString CurrentPage() const;

private:
    QWidget* BuildContentsTab();
    QWidget* BuildIndexTab();
    QWidget* BuildSearchTab();
    void FillIndex(const QString& filter);
    void OpenSearchHit(const QString& file);
    void SelectContentsEntry(const QString& page);

    QString m_folder;
    QTabWidget* m_tabs = nullptr;
    QTreeWidget* m_contents = nullptr;
    QLineEdit* m_indexFilter = nullptr;
    QListWidget* m_indexList = nullptr;
    QLineEdit* m_searchField = nullptr;
    QListWidget* m_searchResults = nullptr;
    QTextBrowser* m_browser = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    // Read at the first search, kept for the next.
    std::unique_ptr<HHelpSearch> m_search;
    QString m_lastQuery;
};

// Every help request ends here. Ends any menu or mouse capture in progress; when the help
// file is missing, says so through the UI port and returns 0 without a window. Otherwise
// shows the one help window of the process (created at the first request) on the contents,
// the search tab, the index tab, or the page a topic leads to (the contents when it leads
// nowhere), and returns 1. parent: the window asking, for the help window's first place.
int ShowHelp(QWidget* parent, HHelpRequest request, const QString& topic = {});

// F1: the topic of the first of focus and its parents whose object name or class name has
// one; the contents when none has.
int ShowContextHelp(QWidget* focus);

// Gives a dialog F1 for the help of what has its focus (or of the dialog itself).
void AddContextHelpKey(QWidget* dialog);

// The help window of the process, or null.
HHelpWindow* CurrentHelpWindow();

// Closes the help window; the main window calls it when it goes.
void CloseHelpWindows();

}  // namespace zarvik::gui
