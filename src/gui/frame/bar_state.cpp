#include "gui/frame/bar_state.h"

#include <QByteArray>
#include <QDockWidget>
#include <QMainWindow>
#include <QStringList>
#include <QToolBar>

#include "core/app/system.h"
#include "draw/qt_text.h"

namespace zarvik::gui {
namespace {

constexpr const char* kSection = "ZarvikBarState";

QStringList BarNames(const QMainWindow& window) {
    QStringList names;
    for (const QToolBar* bar : window.findChildren<QToolBar*>()) {
        names << bar->objectName();
    }
    for (const QDockWidget* dock : window.findChildren<QDockWidget*>()) {
        names << dock->objectName();
    }
    return names;
}

QByteArray HexValue(const char* key) {
    return QByteArray::fromHex(QByteArray::fromStdString(System().GetProfileString(kSection, key)));
}

}  // namespace

void SaveBarState(const QMainWindow& window) {
    HSystem& system = System();
    system.ClearProfileSection(kSection);
    system.WriteProfileString(kSection, "Bars", draw::ToStdString(BarNames(window).join(',')));
    system.WriteProfileString(kSection, "State", window.saveState().toHex().toStdString());
    system.WriteProfileString(kSection, "Geometry", window.saveGeometry().toHex().toStdString());
}

int RestoreBarState(QMainWindow& window) {
    const QByteArray geometry = HexValue("Geometry");
    if (!geometry.isEmpty()) {
        window.restoreGeometry(geometry);
    }
    const QByteArray state = HexValue("State");
    const QString saved = draw::ToQString(System().GetProfileString(kSection, "Bars"));
    if (state.isEmpty() || saved.isEmpty()) {
        return 0;
    }
    const QStringList existing = BarNames(window);
    for (const QString& name : saved.split(',')) {
        if (!existing.contains(name)) {
            return 0;
        }
    }
    return window.restoreState(state) ? 1 : 0;
}

}  // namespace zarvik::gui
