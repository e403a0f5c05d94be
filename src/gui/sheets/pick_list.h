#pragma once
// A column of a font chooser: a caption, a field to type in and the list of entries under
// it. Choosing an entry puts its text in the field; typing an entry's exact text chooses
// that entry; Up and Down in the field step through the list.

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;

namespace zarvik::gui {

class HPickList : public QWidget {
    Q_OBJECT

public:
    HPickList(const QString& caption, QWidget* parent = nullptr);

    void SetEntries(const QStringList& entries);
    // Shows the text in the field and chooses its entry, if any, without telling anyone.
    void Show(const QString& text);

    QLineEdit& Edit() { return *m_edit; }
    QListWidget& List() { return *m_list; }

signals:
    // An entry was clicked, stepped to or typed exactly.
    void EntryChosen(int row);
    // The field holds text that is no entry.
    void OtherTyped(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Typed(const QString& text);
    void RowChanged(int row);

    QLineEdit* m_edit = nullptr;
    QListWidget* m_list = nullptr;
};

}  // namespace zarvik::gui
