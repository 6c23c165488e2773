// Tolvarn: dodge the falling red balls with the green one for as long as you can.
#include "app/main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Dialogs without a title of their own carry the program's name.
    QApplication::setApplicationName(QStringLiteral("Tolvarn"));

    MainWindow window;
    window.showCentred();
    return QApplication::exec();
}
