// The desktop editor: the settings file, the main window, and the document named on the
// command line.

#include <QApplication>
#include <QFont>

#include "core/app/system.h"
#include "gui/frame/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zarvik");
    // Documents name the Windows Japanese faces; they are drawn with a metric-compatible one.
    for (const char* face : {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "MS Gothic", "MS UI Gothic"}) {
        QFont::insertSubstitution(QString::fromUtf8(face), "IPAGothic");
    }
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
