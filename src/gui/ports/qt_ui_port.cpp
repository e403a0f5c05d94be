#include "gui/ports/qt_ui_port.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "draw/qt_text.h"

namespace zarvik::gui {
namespace {

QMessageBox::Icon IconOf(HMsgIcon icon) {
    switch (icon) {
        case HMsgIcon::Information:
            return QMessageBox::Information;
        case HMsgIcon::Warning:
            return QMessageBox::Warning;
        case HMsgIcon::Error:
            return QMessageBox::Critical;
        case HMsgIcon::Question:
            return QMessageBox::Question;
        case HMsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString FileDialogFilter(const std::string& filter) {
    const QStringList parts = draw::ToQString(filter).split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) {
            break;
        }
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        // A label that shows its patterns already gets them once, as Qt writes them.
        QString label = parts[i];
        const QString shown = " (" + patterns.join(';') + ")";
        if (label.endsWith(shown) || label.endsWith(" (" + patterns.join(' ') + ")")) {
            label.chop(shown.size());
        }
        // "*.*" means every file; here it would pass over names without a dot.
        for (QString& pattern : patterns) {
            if (pattern == "*.*") {
                pattern = "*";
            }
        }
        entries << label + " (" + patterns.join(' ') + ")";
    }
    return entries.join(";;");
}

void HQtUiPort::SetPane(int pane, QLabel* label) {
    if (pane >= 0 && pane < static_cast<int>(m_panes.size())) {
        m_panes[static_cast<std::size_t>(pane)] = label;
    }
}

HMsgAnswer HQtUiPort::MessageBox(const std::string& text, const std::string& caption, HMsgIcon icon,
                                 HMsgButtons buttons) {
    QMessageBox box(IconOf(icon), draw::ToQString(caption), draw::ToQString(text),
                    QMessageBox::NoButton, m_parent);
    // The program's own Japanese button texts, whatever the system language.
    const auto add = [&](const char* label, QMessageBox::ButtonRole role, HMsgAnswer answer) {
        QPushButton* button = box.addButton(draw::ToQString(label), role);
        button->setProperty("answer", static_cast<int>(answer));
        return button;
    };
    switch (buttons) {
        case HMsgButtons::Ok:
            box.setDefaultButton(add("OK", QMessageBox::AcceptRole, HMsgAnswer::Ok));
            break;
        case HMsgButtons::OkCancel:
            box.setDefaultButton(add("OK", QMessageBox::AcceptRole, HMsgAnswer::Ok));
            box.setEscapeButton(add("キャンセル", QMessageBox::RejectRole, HMsgAnswer::Cancel));
            break;
        case HMsgButtons::YesNo:
            box.setDefaultButton(add("はい(&Y)", QMessageBox::YesRole, HMsgAnswer::Yes));
            box.setEscapeButton(add("いいえ(&N)", QMessageBox::NoRole, HMsgAnswer::No));
            break;
        case HMsgButtons::YesNoCancel:
            box.setDefaultButton(add("はい(&Y)", QMessageBox::YesRole, HMsgAnswer::Yes));
            add("いいえ(&N)", QMessageBox::NoRole, HMsgAnswer::No);
            box.setEscapeButton(add("キャンセル", QMessageBox::RejectRole, HMsgAnswer::Cancel));
            break;
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr) {
        return buttons == HMsgButtons::Ok ? HMsgAnswer::Ok : HMsgAnswer::Cancel;
    }
    return static_cast<HMsgAnswer>(clicked->property("answer").toInt());
}

void HQtUiPort::SetStatusPane(int pane, const std::string& text) {
    if (pane >= 0 && pane < static_cast<int>(m_panes.size()) &&
        m_panes[static_cast<std::size_t>(pane)] != nullptr) {
        m_panes[static_cast<std::size_t>(pane)]->setText(draw::ToQString(text));
    }
}

std::optional<std::string> HQtUiPort::ChooseOpenFile(const HFileChooser& chooser) {
    const QString chosen = QFileDialog::getOpenFileName(m_parent, draw::ToQString(chooser.title),
                                                        draw::ToQString(chooser.defaultName),
                                                        FileDialogFilter(chooser.filter));
    return chosen.isEmpty() ? std::nullopt : std::optional(draw::ToStdString(chosen));
}

std::optional<std::string> HQtUiPort::ChooseSaveFile(const HFileChooser& chooser) {
    const QString chosen = QFileDialog::getSaveFileName(
        m_parent, draw::ToQString(chooser.title), draw::ToQString(chooser.defaultName),
        FileDialogFilter(chooser.filter), nullptr,
        chooser.confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite);
    return chosen.isEmpty() ? std::nullopt : std::optional(draw::ToStdString(chosen));
}

}  // namespace zarvik::gui
