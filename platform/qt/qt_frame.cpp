// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "platform/qt/qt_frame.h"

#include <QIcon>
#include <QWidget>

namespace platform {

void setFixedFrame(QWidget &window, const QString &title)
{
    window.setWindowTitle(title);
    window.setWindowIcon(QIcon(QStringLiteral(":/icons/tolvarn.ico")));
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
}

} // namespace platform
