// The desktop editor: the settings file, the main window, and the document named on the
// command line.

#include <QApplication>
#include <QIcon>

#include "core/app/system.h"
#include "gui/frame/main_window.h"
#include "gui/resources/gui_resources.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zarvik");
    // Ties the windows to the installed zarvik.desktop entry (its icon, and the app id on
    // Wayland).
    QGuiApplication::setDesktopFileName("zarvik");
    zarvik::gui::InitGuiResources();
    QApplication::setWindowIcon(QIcon(":/icons/zarvik.svg"));
    zarvik::HSystem& system = zarvik::System();
    const std::string settings = system.GetSettingsPath();
    system.LoadSettings(settings);

    zarvik::gui::HMainWindow window;
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        window.Document().OpenPath(arguments[1].toStdString());
    }
    window.show();
    const int result = QApplication::exec();
    system.SaveSettings(settings);
    return result;
}
