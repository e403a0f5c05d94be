#include "gui/frame/help_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "core/app/help_files.h"
#include "core/app/help_search.h"
#include "core/app/help_topics.h"
#include "core/port/ui_port.h"
#include "draw/qt_text.h"

namespace zarvik::gui {
namespace {

QPointer<HHelpWindow> g_window;

constexpr int kTargetRole = Qt::UserRole;

QToolButton* NavigationButton(const char* text, QStyle::StandardPixmap icon, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(draw::ToQString(text));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

// Ends what would otherwise keep the mouse or keyboard while the help comes up.
void CancelModes() {
    for (int guard = 0; guard < 16 && QApplication::activePopupWidget() != nullptr; ++guard) {
        QApplication::activePopupWidget()->close();
    }
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    if (QWidget* grabber = QWidget::keyboardGrabber()) {
        grabber->releaseKeyboard();
    }
}

// The one help window over folder, made a child of an open modal dialog so that the dialog
// does not block it.
HHelpWindow* HelpWindowFor(const QString& folder, QWidget* parent) {
    if (g_window != nullptr && g_window->Folder() != folder) {
        delete g_window;  // the pages moved (another program folder): read them anew
    }
    QWidget* owner = QApplication::activeModalWidget();
    if (g_window == nullptr) {
        g_window = new HHelpWindow(folder, owner);
        if (parent != nullptr) {
            const QRect frame = parent->window()->geometry();
            g_window->move(frame.topLeft() + QPoint(40, 40));
        }
        static const bool closesAtQuit = [] {
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { CloseHelpWindows(); });
            return true;
        }();
        (void)closesAtQuit;
    } else if (g_window->parentWidget() != owner) {
        g_window->setParent(owner, Qt::Window);
    }
    return g_window;
}

}  // namespace

HHelpWindow::HHelpWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(folder) {
    setWindowTitle(draw::ToQString("Zarvik ヘルプ"));
    setObjectName("HHelpWindow");

    m_browser = new QTextBrowser(this);
    m_browser->setSearchPaths({folder});
    m_browser->setOpenExternalLinks(false);

    m_tabs = new QTabWidget(this);
    m_tabs->addTab(BuildContentsTab(), draw::ToQString("目次"));
    m_tabs->addTab(BuildIndexTab(), draw::ToQString("索引"));
    m_tabs->addTab(BuildSearchTab(), draw::ToQString("検索"));

    m_back = NavigationButton("戻る", QStyle::SP_ArrowBack, this);
    m_forward = NavigationButton("進む", QStyle::SP_ArrowForward, this);
    QToolButton* home = NavigationButton("ホーム", QStyle::SP_DirHomeIcon, this);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, [this] { ShowTarget(kHelpContentsPage); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    // The signal comes before source() follows, so the page is taken from it.
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& url) { SelectContentsEntry(url.fileName()); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(home);
    buttons->addStretch();

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    resize(920, 640);
}

HHelpWindow::~HHelpWindow() = default;

QWidget* HHelpWindow::BuildContentsTab() {
    m_contents = new QTreeWidget(this);
    m_contents->setHeaderHidden(true);
    QTreeWidgetItem* heading = nullptr;
    for (const HHelpPage& page : HelpPages()) {
        auto* item = page.level > 0 && heading != nullptr ? new QTreeWidgetItem(heading)
                                                          : new QTreeWidgetItem(m_contents);
        item->setText(0, draw::ToQString(page.title));
        item->setData(0, kTargetRole, draw::ToQString(page.file));
        if (page.level == 0) {
            heading = item;
        }
    }
    m_contents->expandAll();
    connect(m_contents, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const QString target = item->data(0, kTargetRole).toString();
        if (!target.isEmpty()) {
            ShowTarget(target);
        }
    });
    return m_contents;
}

QWidget* HHelpWindow::BuildIndexTab() {
    auto* tab = new QWidget(this);
    m_indexFilter = new QLineEdit(tab);
    m_indexFilter->setPlaceholderText(draw::ToQString("キーワードを入力"));
    m_indexList = new QListWidget(tab);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(new QLabel(draw::ToQString("探すキーワード:"), tab));
    layout->addWidget(m_indexFilter);
    layout->addWidget(m_indexList, 1);
    FillIndex({});
    connect(m_indexFilter, &QLineEdit::textChanged, this, &HHelpWindow::FillIndex);
    const auto open = [this](QListWidgetItem* item) {
        ShowTarget(item->data(kTargetRole).toString());
    };
    connect(m_indexList, &QListWidget::itemClicked, this, open);
    connect(m_indexList, &QListWidget::itemActivated, this, open);
    connect(m_indexFilter, &QLineEdit::returnPressed, this, [this] {
        if (m_indexList->count() > 0) {
            ShowTarget(m_indexList->item(0)->data(kTargetRole).toString());
        }
    });
    return tab;
}

QWidget* HHelpWindow::BuildSearchTab() {
    auto* tab = new QWidget(this);
    m_searchField = new QLineEdit(tab);
    auto* run = new QPushButton(draw::ToQString("検索"), tab);
    m_searchResults = new QListWidget(tab);
    auto* row = new QHBoxLayout;
    row->addWidget(m_searchField, 1);
    row->addWidget(run);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(new QLabel(draw::ToQString("検索する語句:"), tab));
    layout->addLayout(row);
    layout->addWidget(m_searchResults, 1);
    const auto search = [this] { Search(m_searchField->text()); };
    connect(run, &QPushButton::clicked, this, search);
    connect(m_searchField, &QLineEdit::returnPressed, this, search);
    const auto open = [this](QListWidgetItem* item) {
        const QString file = item->data(kTargetRole).toString();
        if (!file.isEmpty()) {
            OpenSearchHit(file);
        }
    };
    connect(m_searchResults, &QListWidget::itemClicked, this, open);
    connect(m_searchResults, &QListWidget::itemActivated, this, open);
    return tab;
}

void HHelpWindow::FillIndex(const QString& filter) {
    m_indexList->clear();
    for (const HHelpIndexEntry& entry : FilterHelpIndex(draw::ToStdString(filter))) {
        auto* item = new QListWidgetItem(draw::ToQString(entry.keyword), m_indexList);
        item->setData(kTargetRole, draw::ToQString(entry.target));
    }
}

void HHelpWindow::Search(const QString& query) {
    if (m_search == nullptr) {
        m_search = std::make_unique<HHelpSearch>(draw::ToStdString(m_folder));
    }
    m_lastQuery = query;
    m_searchResults->clear();
    const std::vector<HHelpHit> hits = m_search->Find(draw::ToStdString(query));
    for (const HHelpHit& hit : hits) {
        auto* item = new QListWidgetItem(draw::ToQString(hit.title), m_searchResults);
        item->setData(kTargetRole, draw::ToQString(hit.file));
    }
    if (hits.empty() && !query.trimmed().isEmpty()) {
        auto* none =
            new QListWidgetItem(draw::ToQString("該当するトピックはありません。"), m_searchResults);
        none->setFlags(Qt::NoItemFlags);
    }
}

void HHelpWindow::OpenSearchHit(const QString& file) {
    ShowTarget(file);
    // Marks where the first word stands on the page.
    const QString word = m_lastQuery.simplified().section(' ', 0, 0);
    if (!word.isEmpty()) {
        m_browser->find(word);
    }
}

void HHelpWindow::ShowTarget(const QString& target) {
    const qsizetype hash = target.indexOf('#');
    QUrl url = QUrl::fromLocalFile(m_folder + '/' + (hash < 0 ? target : target.left(hash)));
    if (hash >= 0) {
        url.setFragment(target.mid(hash + 1));
    }
    m_browser->setSource(url);
}

void HHelpWindow::ShowContents() {
    m_tabs->setCurrentIndex(0);
    ShowTarget(kHelpContentsPage);
}

void HHelpWindow::ShowIndex() {
    m_tabs->setCurrentIndex(1);
    if (m_browser->source().isEmpty()) {
        ShowTarget(kHelpContentsPage);
    }
    m_indexFilter->setFocus();
}

void HHelpWindow::ShowSearch() {
    m_tabs->setCurrentIndex(2);
    if (m_browser->source().isEmpty()) {
        ShowTarget(kHelpContentsPage);
    }
    m_searchField->setFocus();
    m_searchField->selectAll();
}

QString HHelpWindow::CurrentPage() const {
    return m_browser->source().fileName();
}

void HHelpWindow::SelectContentsEntry(const QString& page) {
    if (page.isEmpty()) {
        return;
    }
    for (QTreeWidgetItemIterator it(m_contents); *it != nullptr; ++it) {
        if ((*it)->data(0, kTargetRole).toString() == page) {
            m_contents->setCurrentItem(*it);
            return;
        }
    }
}

int ShowHelp(QWidget* parent, HHelpRequest request, const QString& topic) {
    CancelModes();
    if (HelpFileExists() == 0) {
        UiPort().MessageBox(MissingHelpMessage(), "Zarvik", HMsgIcon::Warning, HMsgButtons::Ok);
        return 0;
    }
    HHelpWindow* window = HelpWindowFor(draw::ToQString(HelpFolder()), parent);
    switch (request) {
        case HHelpRequest::Contents:
            window->ShowContents();
            break;
        case HHelpRequest::Search:
            window->ShowSearch();
            break;
        case HHelpRequest::Index:
            window->ShowIndex();
            break;
        case HHelpRequest::Topic: {
            const std::string target = HelpTopicTarget(draw::ToStdString(topic));
            if (target.empty()) {
                window->ShowContents();
            } else {
                window->ShowTarget(draw::ToQString(target));
            }
            break;
        }
    }
    window->show();
    window->raise();
    window->activateWindow();
    return 1;
}

int ShowContextHelp(QWidget* focus) {
    for (QWidget* widget = focus; widget != nullptr; widget = widget->parentWidget()) {
        QString name = widget->objectName();
        if (HelpTopicTarget(draw::ToStdString(name)).empty()) {
            name = QString::fromLatin1(widget->metaObject()->className()).section("::", -1);
        }
        if (!HelpTopicTarget(draw::ToStdString(name)).empty()) {
            return ShowHelp(focus, HHelpRequest::Topic, name);
        }
    }
    return ShowHelp(focus, HHelpRequest::Contents);
}

void AddContextHelpKey(QWidget* dialog) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
    QObject::connect(key, &QShortcut::activated, dialog, [dialog] {
        QWidget* focus = dialog->focusWidget();
        ShowContextHelp(focus != nullptr ? focus : dialog);
    });
}

HHelpWindow* CurrentHelpWindow() {
    return g_window;
}

void CloseHelpWindows() {
    delete g_window;
}

}  // namespace zarvik::gui
