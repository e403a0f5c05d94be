#pragma once
// What the window tests share: real mouse events sent to a widget, and a scripted user
// whose status texts still reach the window's panes.

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "scripted_ui.h"

namespace zarvik::gui::gui_support {

inline void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(target, &event);
}

inline void Click(QWidget* target, QPoint at) {
    Mouse(target, QEvent::MouseMove, at, Qt::NoButton);
    Mouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
    Mouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton);
}

// Answers questions and choosers from a script; status texts go on to the window's port.
// Made after the window, it replaces the window's port until it goes.
class WindowScriptedUi : public zarvik::test_support::ScriptedUi {
public:
    explicit WindowScriptedUi(HUiPort& window) : m_window(window) {}
    void SetStatusPane(int pane, const std::string& text) override {
        ScriptedUi::SetStatusPane(pane, text);
        m_window.SetStatusPane(pane, text);
    }
    void AddRecentFile(const std::string& path) override {
        ScriptedUi::AddRecentFile(path);
        m_window.AddRecentFile(path);
    }

private:
    HUiPort& m_window;
};

}  // namespace zarvik::gui::gui_support
