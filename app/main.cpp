// Tolvarn: dodge the falling red balls with the green one for as long as you can.
#include "app/main_window.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt explains itself over several lines and aborts; a player
// needs one line and an exit status that says it failed.
void reportNoDisplay(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type != QtFatalMsg)
        return; // the platform plugins' notes on the way to the failure
    const char *display = std::getenv("DISPLAY");
    std::fprintf(stderr, "tolvarn: cannot open a window: no usable display (DISPLAY=%s)\n",
                 display && *display ? display : "not set");
    std::_Exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    const QtMessageHandler defaultHandler = qInstallMessageHandler(reportNoDisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(defaultHandler);

    // Dialogs without a title of their own carry the program's name.
    QApplication::setApplicationName(QStringLiteral("Tolvarn"));
    QGuiApplication::setDesktopFileName(QStringLiteral("se.tolvarn.tolvarn"));

    MainWindow window;
    window.showCentred();
    return QApplication::exec();
}
