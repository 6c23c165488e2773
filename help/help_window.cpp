#include "help/help_window.h"

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Hjälp"));
}

void HelpWindow::Show()
{
    show();
    raise();
    activateWindow();
}
