// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Tolvarn: dodge the falling red balls with the green one for as long as you can.
#include "app/gnome_title_bars.h"
#include "app/start_up.h"

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

int main(int, char *argv[])
{
    // The game takes no command line, so Qt reads none of its own options (-reverse,
    // -style, ...) from it either: it gets the program's name alone. Its environment
    // variables still apply.
    char name[] = "tolvarn";
    char *qtArgv[] = {argv[0] ? argv[0] : name, nullptr};
    int qtArgc = 1;
    // Under GNOME Qt draws on GTK's theme for the desktop's colours, and GTK would put
    // itself on the accessibility bus as a second, empty application beside the game.
    qputenv("NO_AT_BRIDGE", "1");
    app::runOnXwaylandWhereQtLacksGnomeTitleBars();
    const QtMessageHandler defaultHandler = qInstallMessageHandler(reportNoDisplay);
    QApplication application(qtArgc, qtArgv);
    qInstallMessageHandler(defaultHandler);

    const std::unique_ptr<app::MainWindow> window = app::startUp<app::MainWindow>();
    return QApplication::exec();
}
