// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "app/start_up.h"

#include "platform/qt/qt_accessible.h"
#include "platform/qt/qt_activation.h"
#include "platform/qt/qt_runtime.h"

#include <QApplication>

void setUpDesktop()
{
    platform::installSwedishQtTexts();
    platform::serveScreenReaders();
    platform::followPresses();
    // Dialogs without a title of their own carry the program's name.
    QApplication::setApplicationName(QStringLiteral("Tolvarn"));
    QGuiApplication::setDesktopFileName(QStringLiteral("se.tolvarn.tolvarn"));
}
