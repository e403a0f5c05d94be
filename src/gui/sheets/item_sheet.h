#pragma once
// The tabbed sheet every property sheet of the program is built on: pages known by their
// id, "OK" and "ｷｬﾝｾﾙ", a size grip, F1 for the current page's help, and a window rectangle
// remembered per kind of sheet for the rest of the run.

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QPushButton;
class QSizeGrip;
class QTabWidget;

namespace zarvik::gui {

// Which remembered rectangle a sheet opens in. Sheets of one kind share it: the item
// settings and function sheets one, the two format sheets another.
enum class HSheetKind { ItemSettings, Format, MeasurementRules, ReferenceRules };

class HItemSheet : public QDialog {
    Q_OBJECT

public:
    explicit HItemSheet(HSheetKind kind, QWidget* parent = nullptr);

    HSheetKind Kind() const { return m_kind; }

    // Appends a tab; the sheet takes the page. Ids are the caller's and must be unique.
    void AddPage(int id, const QString& label, QWidget* page);
    // The help topic F1 opens while the page is in front.
    void SetPageTopic(int id, const QString& topic);
    void SetPageEnabled(int id, bool enabled);
    bool IsPageEnabled(int id) const;
    // Brings the page to the front; false (and nothing changes) when it is unknown or
    // disabled.
    bool SelectPage(int id);
    // -1 when the sheet has no page.
    int CurrentPageId() const;
    QWidget* Page(int id) const;

    // Asked before OK closes the sheet; a false answer keeps it open.
    void SetAcceptCheck(std::function<bool()> check) { m_acceptCheck = std::move(check); }

    QTabWidget& Tabs() { return *m_tabs; }
    QPushButton& OkButton() { return *m_ok; }
    QPushButton& CancelButton() { return *m_cancel; }

    // Shows the help of the current page: its topic, or what its widgets lead to.
    int ShowPageHelp();

    void accept() override;
    void done(int result) override;

    // The rectangle a sheet of this kind last closed in; empty when none has closed yet.
    static QRect RememberedRect(HSheetKind kind);
    // Back to the state at program start.
    static void ForgetRects();

protected:
    // Default: the accept check, or true when none is set.
    virtual bool CanAccept();

    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct HPage {
        int id;
        QWidget* widget;
        QString topic;
    };

    int IndexOf(int id) const;
    void LayOut();

    HSheetKind m_kind;
    QTabWidget* m_tabs = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QSizeGrip* m_grip = nullptr;
    std::vector<HPage> m_pages;
    std::function<bool()> m_acceptCheck;
    bool m_placed = false;
};

}  // namespace zarvik::gui
