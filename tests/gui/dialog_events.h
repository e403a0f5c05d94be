#pragma once
// Real key, focus and mouse events for driving the frame's small windows.

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace zarvik::gui::test_events {

inline void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// Selects what the field holds and types text over it.
inline void TypeOver(QWidget* target, const QString& text) {
    Key(target, Qt::Key_A, Qt::ControlModifier);
    for (const QChar c : text) {
        Key(target, c.unicode(), Qt::NoModifier, QString(c));
    }
}

inline void FocusOut(QWidget* target) {
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(target, &event);
}

inline void Click(QWidget* target) {
    const QPointF at = QRectF(target->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

}  // namespace zarvik::gui::test_events
