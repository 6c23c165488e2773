#include "app/start_up.h"

#include "platform/qt/qt_accessible.h"
#include "platform/qt/qt_activation.h"
#include "platform/qt/qt_runtime.h"

#include <QApplication>

std::unique_ptr<MainWindow> startUp()
{
    platform::installSwedishQtTexts();
    platform::serveScreenReaders();
    platform::followPresses();
    // Dialogs without a title of their own carry the program's name.
    QApplication::setApplicationName(QStringLiteral("Tolvarn"));
    QGuiApplication::setDesktopFileName(QStringLiteral("se.tolvarn.tolvarn"));

    auto window = std::make_unique<MainWindow>();
    window->showCentred();
    return window;
}
