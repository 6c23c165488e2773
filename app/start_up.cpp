// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "app/start_up.h"

#include "platform/desktop/activation.h"
#include "platform/qt/accessible.h"
#include "platform/qt/runtime.h"

#include <QApplication>

namespace app {

void setUpDesktop()
{
    qtforms::installSwedishQtTexts();
    qtforms::serveScreenReaders();
    desktop::followPresses();
    // Dialogs without a title of their own carry the program's name.
    QApplication::setApplicationName(QStringLiteral("Tolvarn"));
    QGuiApplication::setDesktopFileName(QStringLiteral("se.tolvarn.tolvarn"));
}

} // namespace app
