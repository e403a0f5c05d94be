// The desktop editor: the settings file, the main window, and the document named on the
// command line.

#include <QApplication>

#include "core/app/system.h"
#include "gui/frame/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zarvik");
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
