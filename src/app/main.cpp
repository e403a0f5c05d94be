// The desktop editor: the settings file, the main window, and the document named on the
// command line.

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "core/app/system.h"
#include "core/doc/recovery.h"
#include "core/port/platform.h"
#include "draw/qt_platform.h"
#include "gui/frame/main_window.h"
#include "gui/frame/recovery_dialog.h"
#include "gui/frame/recovery_keeper.h"
#include "gui/resources/gui_resources.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zarvik");
    // Qt's own dialogs (file choosers, printing) speak Japanese as the program does.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), "qtbase", "_",
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    // Ties the windows to the installed zarvik.desktop entry (its icon, and the app id on
    // Wayland).
    QGuiApplication::setDesktopFileName("zarvik");
    zarvik::gui::InitGuiResources();
    QApplication::setWindowIcon(QIcon(":/icons/zarvik.svg"));
    // Screen resolution, ticks and pictures from Qt, before anything measures or loads.
    zarvik::draw::HQtPlatform platform;
    zarvik::SetPlatform(&platform);
    zarvik::HSystem& system = zarvik::System();
    const std::string settings = system.GetSettingsPath();
    system.LoadSettings(settings);

    zarvik::gui::HMainWindow window;
    window.show();
    const QStringList arguments = QApplication::arguments();
    // The full path of the document named, so that the recent files still find it from
    // another folder; in the file system's own bytes.
    const std::string path =
        arguments.size() > 1
            ? QFile::encodeName(QFileInfo(arguments[1]).absoluteFilePath()).toStdString()
            : std::string();
    // Once the window is up, so that the dialogs have a window to sit on: first the copies
    // a run that did not end normally left, then the document named unless one was restored.
    const std::string recoveryFolder = zarvik::RecoveryFolder();
    QTimer::singleShot(0, &window, [&window, path, recoveryFolder] {
        if (!zarvik::gui::OfferRecoveryCopies(window.Document(), recoveryFolder, &window) &&
            !path.empty()) {
            window.Document().OpenPath(path);
        }
    });
    // Gone before the window, as a normal end: its copy goes with it.
    zarvik::gui::HRecoveryKeeper recovery(window.Document(), recoveryFolder);
    const int result = QApplication::exec();
    system.SaveSettings(settings);
    zarvik::SetPlatform(nullptr);
    return result;
}
