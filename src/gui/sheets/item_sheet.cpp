#include "gui/sheets/item_sheet.h"

#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QSizeGrip>
#include <QTabWidget>
#include <map>

#include "gui/frame/help_window.h"

namespace zarvik::gui {

namespace {

// Kept for the run only; nothing writes them to the settings file.
std::map<HSheetKind, QRect>& Rects() {
    static std::map<HSheetKind, QRect> rects;
    return rects;
}

constexpr int kMargin = 10;
constexpr int kBottomBand = 45;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;
constexpr int kGripSize = 16;

}  // namespace

HItemSheet::HItemSheet(HSheetKind kind, QWidget* parent) : QDialog(parent), m_kind(kind) {
    // The grip below is the sheet's own, placed with the buttons.
    setSizeGripEnabled(false);
    m_tabs = new QTabWidget(this);
    m_ok = new QPushButton("OK", this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    m_grip = new QSizeGrip(this);
    connect(m_ok, &QPushButton::clicked, this, &HItemSheet::accept);
    connect(m_cancel, &QPushButton::clicked, this, &HItemSheet::reject);

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &HItemSheet::ShowPageHelp);

    const QRect remembered = RememberedRect(kind);
    if (!remembered.isEmpty()) {
        setGeometry(remembered);
        m_placed = true;
    }
}

void HItemSheet::AddPage(int id, const QString& label, QWidget* page) {
    m_pages.push_back({id, page, {}});
    m_tabs->addTab(page, label);
}

void HItemSheet::SetPageTopic(int id, const QString& topic) {
    for (HPage& page : m_pages) {
        if (page.id == id) {
            page.topic = topic;
        }
    }
}

void HItemSheet::SetPageEnabled(int id, bool enabled) {
    const int index = IndexOf(id);
    if (index >= 0) {
        m_tabs->setTabEnabled(index, enabled);
    }
}

bool HItemSheet::IsPageEnabled(int id) const {
    const int index = IndexOf(id);
    return index >= 0 && m_tabs->isTabEnabled(index);
}

bool HItemSheet::SelectPage(int id) {
    const int index = IndexOf(id);
    if (index < 0 || !m_tabs->isTabEnabled(index)) {
        return false;
    }
    m_tabs->setCurrentIndex(index);
    return true;
}

int HItemSheet::CurrentPageId() const {
    const QWidget* current = m_tabs->currentWidget();
    for (const HPage& page : m_pages) {
        if (page.widget == current) {
            return page.id;
        }
    }
    return -1;
}

QWidget* HItemSheet::Page(int id) const {
    for (const HPage& page : m_pages) {
        if (page.id == id) {
            return page.widget;
        }
    }
    return nullptr;
}

int HItemSheet::ShowPageHelp() {
    const int id = CurrentPageId();
    for (const HPage& page : m_pages) {
        if (page.id == id && !page.topic.isEmpty()) {
            return ShowHelp(this, HHelpRequest::Topic, page.topic);
        }
    }
    QWidget* focus = focusWidget();
    return ShowContextHelp(focus != nullptr ? focus : this);
}

bool HItemSheet::CanAccept() {
    return !m_acceptCheck || m_acceptCheck();
}

void HItemSheet::accept() {
    if (CanAccept()) {
        QDialog::accept();
    }
}

void HItemSheet::done(int result) {
    Rects()[m_kind] = geometry();
    QDialog::done(result);
}

QRect HItemSheet::RememberedRect(HSheetKind kind) {
    const auto found = Rects().find(kind);
    return found == Rects().end() ? QRect() : found->second;
}

void HItemSheet::ForgetRects() {
    Rects().clear();
}

void HItemSheet::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOut();
}

void HItemSheet::showEvent(QShowEvent* event) {
    if (!m_placed && !testAttribute(Qt::WA_Resized)) {
        // First sheet of its kind: as large as the largest page needs.
        const QSize tabs = m_tabs->sizeHint();
        resize(tabs.width() + 2 * kMargin, tabs.height() + kMargin + kBottomBand);
        m_placed = true;
    }
    QDialog::showEvent(event);
}

int HItemSheet::IndexOf(int id) const {
    const QWidget* page = Page(id);
    return page != nullptr ? m_tabs->indexOf(page) : -1;
}

void HItemSheet::LayOut() {
    const int w = width();
    const int h = height();
    m_tabs->setGeometry(kMargin, kMargin, w - 2 * kMargin, h - kMargin - kBottomBand);
    m_ok->setGeometry(w - 90, h - 35, kButtonWidth, kButtonHeight);
    m_cancel->setGeometry(w - 180, h - 35, kButtonWidth, kButtonHeight);
    m_grip->setGeometry(w - kGripSize, h - kGripSize, kGripSize, kGripSize);
}

}  // namespace zarvik::gui
